// tests/support/FolderState.cpp
#include "tests/support/FolderState.h"
#include "tests/support/FileTree.h"
#include <shlobj.h>
#include <algorithm>
#include <utility>

namespace {

void Walk(const std::string& folder, bool recurse, std::vector<std::string>& found, bool fullPaths)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (recurse && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Walk(path, recurse, found, fullPaths);
        else
            found.push_back(fullPaths ? path : name);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

}

FolderAside::FolderAside(std::string folder, Leave leave) : m_folder(std::move(folder)), m_restored(m_folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA(m_folder.c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        ::FindClose(find);
        // Put back under the name it has on disk, whatever case the caller spelled it in.
        m_restored = m_folder.substr(0, m_folder.rfind('\\') + 1) + entry.cFileName;
        m_aside = m_folder + "-aside-" + std::to_string(::GetCurrentProcessId());
        EXPECT_TRUE(::MoveFileA(m_folder.c_str(), m_aside.c_str())) << m_folder;
    }
    if (leave == EmptyFolder) {
        EXPECT_TRUE(::CreateDirectoryA(m_folder.c_str(), nullptr)) << m_folder;
    }
}

FolderAside::~FolderAside()
{
    filetree::RemoveTree(m_folder);
    if (!m_aside.empty()) {
        EXPECT_TRUE(::MoveFileA(m_aside.c_str(), m_restored.c_str())) << m_restored << " was not put back";
    }
}

FILETIME UtcTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    const SYSTEMTIME st = { year, month, 0, day, hour, minute, second, 0 };
    FILETIME ft = {};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

std::string MakeFileAt(const std::string& path, const FILETIME& time, DWORD size)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    if (file == INVALID_HANDLE_VALUE)
        return path;
    const std::string bytes(size, '\xAB');
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), size, &written, nullptr);
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time)) << path;
    ::CloseHandle(file);
    return path;
}

bool PathExists(const std::string& path)
{
    return filetree::Exists(path);
}

std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> files = FilesDepthFirst(folder);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> FilesDepthFirst(const std::string& folder)
{
    std::vector<std::string> files;
    Walk(folder, true, files, true);
    return files;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    Walk(folder, false, names, false);
    std::sort(names.begin(), names.end());
    return names;
}

std::string SpecialFolderPath(int csidl)
{
    char path[MAX_PATH] = {};
    return ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

std::string WindowsDirectory()
{
    char path[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}
