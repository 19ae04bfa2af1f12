// traces/files/SpecialFolders.h
// The shell's special folders (Recent, NetHood, the browser's folders), found but never created.
#pragma once
#include "framework/String.h"

// The folder of a CSIDL_ value; false when the shell does not know it or it does not exist.
bool FindSpecialFolder(int csidl, CString& folder);
