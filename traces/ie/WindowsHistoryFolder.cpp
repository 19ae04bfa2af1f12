// traces/ie/WindowsHistoryFolder.cpp
#include "WindowsHistoryFolder.h"

bool FormWindowsHistoryFolder(LPCSTR windowsDirectory, CString& folder)
{
    CString path = CString(windowsDirectory) + "\\History";
    if (path.GetLength() >= MAX_PATH)
        return false;
    folder = path;
    return true;
}

bool FindWindowsHistoryFolder(CString& folder)
{
    char windows[MAX_PATH] = {};
    // A result of MAX_PATH or more is the size the directory would need, not a path.
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    return FormWindowsHistoryFolder(windows, folder);
}
