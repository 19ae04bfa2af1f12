// bench/Baselines.cpp
// Bare walks: the least a program must do to list or erase the same things, no window involved.
#include "Bench.h"
#include "traces/files/TimeText.h"
#include <wininet.h>
#include <cstring>

namespace {

// Keeps the compiler from dropping work whose result nobody reads.
volatile size_t g_sink = 0;

bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}

// Calls visit(path, entry) for every entry under folder, a folder after its contents.
template <typename Visit>
void WalkTree(const std::string& folder, Visit& visit)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotEntry(entry))
            continue;
        std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            WalkTree(path, visit);
        visit(path, entry);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

// Times work(), which returns how many items it handled.
template <typename Work>
WalkResult Timed(Work work)
{
    WalkResult result;
    LONGLONG start = Now();
    result.items = work();
    result.ms = Milliseconds(start, Now());
    return result;
}

// visit(path, entry) says whether the entry counts.
template <typename Visit>
WalkResult TimeTreeWalk(const std::vector<std::string>& folders, Visit visit)
{
    return Timed([&] {
        long items = 0;
        auto count = [&](const std::string& path, const WIN32_FIND_DATAA& entry) {
            if (visit(path, entry))
                ++items;
        };
        for (const std::string& folder : folders)
            WalkTree(folder, count);
        return items;
    });
}

// Calls visit(entry) for every entry of the URL cache, growing one buffer as needed.
template <typename Visit>
void WalkUrlCache(Visit visit)
{
    std::vector<char> buffer(64 * 1024);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    HANDLE find = ::FindFirstUrlCacheEntryA(nullptr, entry, &size);
    if (!find)
        return;
    for (;;) {
        visit(*entry);
        size = static_cast<DWORD>(buffer.size());
        if (::FindNextUrlCacheEntryA(find, entry, &size))
            continue;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        buffer.resize(size);
        entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
        if (!::FindNextUrlCacheEntryA(find, entry, &size))
            break;
    }
    ::FindCloseUrlCache(find);
}

bool IsCookie(const INTERNET_CACHE_ENTRY_INFOA& entry)
{
    return (entry.CacheEntryType & COOKIE_CACHE_ENTRY) != 0;
}

}

WalkResult BareFileWalk(const std::vector<std::string>& folders)
{
    return TimeTreeWalk(folders, [](const std::string& path, const WIN32_FIND_DATAA& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            return false;
        CString time = FormatTimeText(entry.ftLastWriteTime);
        g_sink = g_sink + path.size() + static_cast<size_t>(time.GetLength());
        return true;
    });
}

WalkResult BareDeleteWalk(const std::vector<std::string>& folders)
{
    return TimeTreeWalk(folders, [](const std::string& path, const WIN32_FIND_DATAA& entry) {
        // Folders are removed but not counted: the other tools count files.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ::RemoveDirectoryA(path.c_str());
            return false;
        }
        return ::DeleteFileA(path.c_str()) != FALSE;
    });
}

WalkResult BareUrlCacheWalk()
{
    return Timed([] {
        long cookies = 0;
        WalkUrlCache([&](const INTERNET_CACHE_ENTRY_INFOA& entry) {
            CString time = FormatTimeText(entry.LastModifiedTime);
            g_sink = g_sink + static_cast<size_t>(time.GetLength());
            if (IsCookie(entry))
                ++cookies;
        });
        return cookies;
    });
}

WalkResult BareUrlCacheDelete()
{
    return Timed([] {
        long deleted = 0;
        WalkUrlCache([&](const INTERNET_CACHE_ENTRY_INFOA& entry) {
            if (IsCookie(entry) && ::DeleteUrlCacheEntryA(entry.lpszSourceUrlName))
                ++deleted;
        });
        return deleted;
    });
}

WalkResult BareTypedAddressWalk()
{
    return Timed([] {
        long values = 0;
        HKEY key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", 0, KEY_READ,
                            &key) != ERROR_SUCCESS)
            return values;
        char name[260];
        BYTE data[2048];
        for (;;) {
            DWORD nameSize = sizeof name;
            DWORD dataSize = sizeof data;
            if (::RegEnumValueA(key, static_cast<DWORD>(values), name, &nameSize, nullptr, nullptr, data, &dataSize)
                != ERROR_SUCCESS)
                break;
            ++values;
        }
        ::RegCloseKey(key);
        return values;
    });
}
