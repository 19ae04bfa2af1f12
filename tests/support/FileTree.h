// tests/support/FileTree.h
// Real folder trees in the test prefix: made through the Win32 API, Unix links made and everything removed
// through native programs, since Wine 8 can neither make nor remove a link itself.
#pragma once
#include "framework/FileHandle.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace filetree {

// An absolute path of ASCII names as the wide calls take it, at any depth.
inline std::wstring Long(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool WaitUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        ::Sleep(10);
    }
    return done();
}

// Wine starts a native program named by its Unix path; it gives no handle to wait on.
inline bool RunNative(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    return true;
}

inline std::string UnixPath(const std::string& dosPath)
{
    using UnixName = char* (CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return std::string();
    wchar_t wide[1024] = {};
    ::MultiByteToWideChar(CP_ACP, 0, dosPath.c_str(), -1, wide, 1024);
    char* name = unixName(wide);
    std::string path = name ? name : "";
    ::HeapFree(::GetProcessHeap(), 0, name);
    return path;
}

inline std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

inline std::string ReadAll(const std::string& path)
{
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<unreadable>";
    std::string data(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!data.empty())
        ::ReadFile(file, &data[0], static_cast<DWORD>(data.size()), &read, nullptr);
    ::CloseHandle(file);
    data.resize(read);
    return data;
}

inline void MakeFile(const std::string& path, const std::string& data = "data", DWORD attributes = 0)
{
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!data.empty())
        ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    ::CloseHandle(file);
    if (attributes) {
        EXPECT_TRUE(::SetFileAttributesW(Long(path).c_str(), attributes)) << path;
    }
}

// Everything left under folder, a link counted as one entry and never entered.
inline int CountLeft(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        ++count;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            count += CountLeft(folder + "\\" + name);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return count;
}

// A Unix link at path to target: symbolic with "-s", else a hard link.
inline std::string Link(const std::string& path, const std::string& target, const std::string& kind = "-s")
{
    std::string unixTarget = UnixPath(target);
    std::string unixLink = UnixPath(path.substr(0, path.rfind('\\'))) + "/" + path.substr(path.rfind('\\') + 1);
    EXPECT_FALSE(unixTarget.empty()) << "links need Wine's Unix file names";
    EXPECT_TRUE(RunNative("/bin/ln " + kind + " " + Quoted(unixTarget) + " " + Quoted(unixLink)));
    EXPECT_TRUE(WaitUntil([&path] { return Exists(path); })) << path;
    return path;
}

// Every entry under folder with its attributes, creation and last-write times and, for a file, its bytes;
// links recorded and never followed: what must come out of a test exactly as it went in.
inline std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> entries;
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = entry.cFileName;
        std::string path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        const FILETIME& created = entry.ftCreationTime;
        const FILETIME& written = entry.ftLastWriteTime;
        std::string stamp = std::to_string(entry.dwFileAttributes) + " " + std::to_string(created.dwHighDateTime) + ":" +
                            std::to_string(created.dwLowDateTime) + " " + std::to_string(written.dwHighDateTime) + ":" +
                            std::to_string(written.dwLowDateTime) + " ";
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            entries[path] = stamp + "<link>";
        else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries[path] = stamp + "<folder>";
            entries.merge(Snapshot(path));
        }
        else
            entries[path] = stamp + ReadAll(path);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return entries;
}

// The paths whose entry is not the same in both snapshots, gone or new ones included; empty when none.
inline std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                        const std::map<std::string, std::string>& after)
{
    std::vector<std::string> changed;
    for (const auto& [path, data] : before) {
        auto now = after.find(path);
        if (now == after.end() || now->second != data)
            changed.push_back(path);
    }
    for (const auto& [path, data] : after)
        if (!before.count(path))
            changed.push_back(path);
    return changed;
}

// Removes a folder with all it holds, links included, without following any.
inline void RemoveTree(const std::string& folder)
{
    // The native rm runs on its own: for a folder already gone the wait below would end at once, and
    // the rm could then remove what is made or put back under that name next.
    if (!Exists(folder))
        return;
    std::string unixPath = UnixPath(folder);
    if (!unixPath.empty() && RunNative("/bin/rm -rf " + Quoted(unixPath))) {
        EXPECT_TRUE(WaitUntil([&folder] { return !Exists(folder); })) << folder;
    }
}

// Bytes that are never zero, so an overwrite shows wherever it reached.
inline std::string Pattern(size_t size)
{
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>(1 + i % 251);
    return data;
}

// Empty when the bytes are the same, else where they first differ: readable where a dump of them is not.
inline std::string Difference(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return std::string();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return "differs from byte " + std::to_string(at) + " on, sizes " + std::to_string(actual.size()) + " and " +
           std::to_string(expected.size());
}

// A file held open as a running program holds it: others may read and write it but not delete it.
class HeldFile
{
public:
    explicit HeldFile(const std::string& path)
        : m_handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr)) { EXPECT_TRUE(m_handle.IsValid()) << path; }

private:
    FileHandle m_handle;
};

// A folder of its own under the prefix's temporary folder, removed with all it holds, links included,
// without following any.
class TempTree
{
public:
    TempTree()
    {
        static int s_count = 0;
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_root = std::string(temp) + "vestrel-files-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(++s_count);
        EXPECT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    }
    ~TempTree() { RemoveTree(m_root); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

    std::string Folder(const std::string& relative) const
    {
        std::string path = Path(relative);
        EXPECT_TRUE(::CreateDirectoryW(Long(path).c_str(), nullptr)) << path;
        return path;
    }

    std::string File(const std::string& relative, const std::string& data = "data", DWORD attributes = 0) const
    {
        std::string path = Path(relative);
        MakeFile(path, data, attributes);
        return path;
    }

    // A Unix symbolic link at relative to target, as a user or another program may leave one.
    std::string Link(const std::string& relative, const std::string& target) const
    {
        return filetree::Link(Path(relative), target);
    }

    // A second name for the file target, which shares its data.
    std::string HardLink(const std::string& relative, const std::string& target) const
    {
        return filetree::Link(Path(relative), target, "");
    }

private:
    std::string m_root;
};

}
