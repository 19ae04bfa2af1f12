// traces/ie/WindowsHistoryFolder.h
// The History folder inside the Windows directory, which the history analysis and eraser both cover.
#pragma once
#include "framework/String.h"

// windowsDirectory followed by "\History"; empty when that path would not fit in MAX_PATH.
CString WindowsHistoryFolderOf(LPCSTR windowsDirectory);
// Empty when the Windows directory cannot be read or the folder's path is too long.
CString WindowsHistoryFolder();
