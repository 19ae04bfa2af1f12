// traces/ie/WindowsHistoryFolder.h
// The History folder inside the Windows directory, which the history analysis and eraser both cover.
#pragma once
#include "framework/String.h"

// The Windows directory followed by "\History"; false when that path would not fit in MAX_PATH.
bool FormWindowsHistoryFolder(LPCSTR windowsDirectory, CString& folder);
// False when the Windows directory cannot be read or the folder's path is too long.
bool FindWindowsHistoryFolder(CString& folder);
