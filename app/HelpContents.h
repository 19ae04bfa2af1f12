// app/HelpContents.h
// Where the help file lies: beside the executable.
#pragma once
#include "framework/String.h"

// The help file's path for an executable at modulePath.
CString HelpFilePath(LPCSTR modulePath);
