// traces/files/SpecialFolders.cpp
#include "SpecialFolders.h"
#include <shlobj.h>

bool FindSpecialFolder(int csidl, CString& folder)
{
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return false;
    folder = path;
    return true;
}
