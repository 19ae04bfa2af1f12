// traces/files/TempFolders.cpp
#include "TempFolders.h"

CString WindowsTempFolder()
{
    char windows[100] = {};
    UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return CString();
    CString path;
    path.Format("%s\\%s", windows, "Temp");
    return ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? CString() : path;
}

CString UserTempFolder()
{
    char temp[MAX_PATH] = {};
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return CString();
    CString folder(temp);
    int cut = folder.ReverseFind('\\');
    return cut >= 0 ? folder.Left(cut) : folder;
}
