// demo/TraceWriter.cpp
#include "TraceWriter.h"
#include "framework/FileHandle.h"
#include "framework/RegKey.h"
#include <wininet.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <cstdio>
#include <vector>

namespace {

class ComScope
{
public:
    ComScope() : m_ok(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope() { if (m_ok) ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_ok;
};

template <class T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr() { if (m_p) m_p->Release(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return m_p; }
    void** Receive() { return reinterpret_cast<void**>(&m_p); }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

std::string ParentOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\'));
}

bool MakeParentFolder(const std::string& path)
{
    const int made = ::SHCreateDirectoryExA(nullptr, ParentOf(path).c_str(), nullptr);
    return made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS || made == ERROR_FILE_EXISTS;
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

// The browser's own cookie file: name, value, host and path, flags, expiry and creation, "*".
std::string CookieText(const std::string& host, const std::string& path, const std::string& name,
                       const std::string& value, FILETIME time)
{
    ULARGE_INTEGER expires;
    expires.LowPart = time.dwLowDateTime;
    expires.HighPart = time.dwHighDateTime;
    expires.QuadPart += 365ULL * 24 * 3600 * 10000000;
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "1024\n%lu\n%lu\n%lu\n%lu\n", expires.LowPart, expires.HighPart,
                  time.dwLowDateTime, time.dwHighDateTime);
    return name + "\n" + value + "\n" + host + path + "\n" + numbers + "*\n";
}

// A second seeding replaces an entry instead of adding a copy. Wine keeps the file of a deleted
// entry until it next trims the cache, so the file goes here too.
void RemoveEarlierEntry(const std::string& url)
{
    DWORD size = 0;
    ::GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    std::string file;
    std::vector<BYTE> buffer(size);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    if (size && ::GetUrlCacheEntryInfoA(url.c_str(), info, &size) && info->lpszLocalFileName)
        file = info->lpszLocalFileName;
    if (::DeleteUrlCacheEntryA(url.c_str()) && !file.empty())
        ::DeleteFileA(file.c_str());
}

}

FILETIME HoursBeforeNow(int hours)
{
    const SYSTEMTIME now = { 2024, 4, 1, 22, 12, 0, 0, 0 };
    FILETIME time = {};
    ::SystemTimeToFileTime(&now, &time);
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart -= static_cast<ULONGLONG>(hours) * 3600 * 10000000;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    return time;
}

bool SpecialFolder(int csidl, std::string& folder)
{
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) {
        std::fprintf(stderr, "No special folder 0x%02X in this prefix\n", csidl);
        return false;
    }
    folder = path;
    return true;
}

bool WindowsFolder(std::string& folder)
{
    char path[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    folder = path;
    return true;
}

bool UserTempFolder(std::string& folder)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH)
        return false;
    folder = ParentOf(path);
    return true;
}

std::string CurrentUserName()
{
    char name[256] = {};
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? name : "user";
}

bool TraceWriter::Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::fprintf(stderr, "Could not seed %s (error %lu)\n", what.c_str(), ::GetLastError());
        ++m_failures;
    }
    return ok;
}

bool TraceWriter::WriteFileAt(const std::string& path, const std::string& data, FILETIME time)
{
    if (!MakeParentFolder(path))
        return false;
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.IsValid()
        && ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr)
        && written == data.size()
        && ::SetFileTime(file, &time, &time, &time);
}

void TraceWriter::ContentEntry(const std::string& url, const std::string& extension, const std::string& body, FILETIME time)
{
    RemoveEarlierEntry(url);
    char file[MAX_PATH] = {};
    if (!Check(::CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(body.size()), extension.c_str(), file, 0),
               "the cache file of " + url)
        || !Check(WriteFileAt(file, body, time), file))
        return;
    std::string header = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    const FILETIME never = {};
    if (Check(::CommitUrlCacheEntryA(url.c_str(), file, never, time, NORMAL_CACHE_ENTRY,
                                     reinterpret_cast<LPBYTE>(header.data()), static_cast<DWORD>(header.size()),
                                     extension.c_str(), nullptr),
              "the cache entry of " + url))
        ++m_entries;
}

void TraceWriter::HistoryEntry(const std::string& visitedUrl, FILETIME time)
{
    RemoveEarlierEntry(visitedUrl);
    const FILETIME never = {};
    if (Check(::CommitUrlCacheEntryA(visitedUrl.c_str(), nullptr, never, time,
                                     URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr),
              "the history entry " + visitedUrl))
        ++m_entries;
}

void TraceWriter::CookieEntry(const std::string& user, const std::string& host, const std::string& path,
                              const std::string& name, const std::string& value, FILETIME time)
{
    const std::string url = "Cookie:" + user + "@" + host + path;
    RemoveEarlierEntry(url);
    const std::string text = CookieText(host, path, name, value, time);
    char file[MAX_PATH] = {};
    if (!Check(::CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(text.size()), "txt", file, 0),
               "the cookie file of " + url)
        || !Check(WriteFileAt(file, text, time), file))
        return;
    const FILETIME never = {};
    if (Check(::CommitUrlCacheEntryA(url.c_str(), file, never, time, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY,
                                     nullptr, 0, "txt", nullptr),
              "the cookie entry " + url))
        ++m_entries;
}

void TraceWriter::TextFile(const std::string& path, const std::string& text, FILETIME time)
{
    if (Check(WriteFileAt(path, text, time), path))
        ++m_files;
}

void TraceWriter::IndexDat(const std::string& path, FILETIME time)
{
    std::string data = "Client UrlCache MMF Ver 5.2";
    data.resize(32768, '\0');
    const std::string record = "URL :2024040120240408: " + CurrentUserName() + "@http://www.example.com/";
    data.replace(0x5000, record.size(), record);
    TextFile(path, data, time);
}

void TraceWriter::Shortcut(const std::string& path, const std::string& target, FILETIME time)
{
    ComScope com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    const bool saved = MakeParentFolder(path)
        && SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Receive()))
        && SUCCEEDED(link->SetPath(target.c_str()))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive()))
        && SUCCEEDED(file->Save(Wide(path).c_str(), TRUE));
    if (!Check(saved, path))
        return;
    FileHandle written(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (Check(written.IsValid() && ::SetFileTime(written, &time, &time, &time), "the time of " + path))
        ++m_files;
}

void TraceWriter::DeleteKey(HKEY root, const std::string& subkey)
{
    const LSTATUS status = ::SHDeleteKeyA(root, subkey.c_str());
    ::SetLastError(status);
    Check(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND, "the removal of " + subkey);
}

void TraceWriter::Value(HKEY root, const std::string& subkey, const std::string& name, DWORD type, const std::string& data)
{
    CRegKey key;
    // Where 64-bit Windows keeps the machine's keys, whichever build seeds them.
    LSTATUS status = key.Create(root, subkey.c_str(), KEY_SET_VALUE | KEY_WOW64_64KEY);
    if (status == ERROR_SUCCESS)
        status = ::RegSetValueExA(key, name.c_str(), 0, type,
                                  reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    ::SetLastError(status);
    if (Check(status == ERROR_SUCCESS, subkey + "\\" + name))
        ++m_values;
}

void TraceWriter::StringValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data)
{
    Value(root, subkey, name, REG_SZ, std::string(data.c_str(), data.size() + 1));
}

void TraceWriter::BinaryValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data)
{
    Value(root, subkey, name, REG_BINARY, data);
}
