// traces/files/SpecialFolders.h
// The shell's special folders (Recent, NetHood, the browser's folders), found but never created.
#pragma once
#include "framework/String.h"

// The folder of a CSIDL_ value; empty, which the walks take as a folder that is not there, when the shell
// does not know it or it does not exist.
CString SpecialFolder(int csidl);
