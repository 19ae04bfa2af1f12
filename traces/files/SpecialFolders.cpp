// traces/files/SpecialFolders.cpp
#include "SpecialFolders.h"
#include <shlobj.h>

CString SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    return ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? CString(path) : CString();
}
