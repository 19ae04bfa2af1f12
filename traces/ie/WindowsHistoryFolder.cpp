// traces/ie/WindowsHistoryFolder.cpp
#include "WindowsHistoryFolder.h"

CString WindowsHistoryFolderOf(LPCSTR windowsDirectory)
{
    CString path = CString(windowsDirectory) + "\\History";
    return path.GetLength() < MAX_PATH ? path : CString();
}

CString WindowsHistoryFolder()
{
    char windows[MAX_PATH] = {};
    // A result of MAX_PATH or more is the size the directory would need, not a path.
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return WindowsHistoryFolderOf(windows);
}
