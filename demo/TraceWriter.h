// demo/TraceWriter.h
// Writes traces the way the programs that leave them do: through WinINet, the shell and the
// registry, with the times given. Counts what it wrote and says on stderr what it could not.
#pragma once
#include <windows.h>
#include <string>

// `hours` before the demo's fixed "now", so that every seeding shows the same times.
FILETIME HoursBeforeNow(int hours);

// The places of this prefix's user; false, with a line on stderr, when one is unknown.
bool SpecialFolder(int csidl, std::string& folder);
bool WindowsFolder(std::string& folder);
bool UserTempFolder(std::string& folder);
std::string CurrentUserName();

class TraceWriter
{
public:
    // A page or file the browser downloaded: the entry and its file in the cache folder.
    void ContentEntry(const std::string& url, const std::string& extension, const std::string& body, FILETIME time);
    // "Visited: user@url", with no file.
    void HistoryEntry(const std::string& visitedUrl, FILETIME time);
    // "Cookie:user@host/path", with its text file in the cookies folder.
    void CookieEntry(const std::string& user, const std::string& host, const std::string& path,
                     const std::string& name, const std::string& value, FILETIME time);

    // Creates the folders on the way; replaces a file that is there.
    void TextFile(const std::string& path, const std::string& text, FILETIME time);
    // A container file as the browser keeps them: its header, then room for entries.
    void IndexDat(const std::string& path, FILETIME time);
    void Shortcut(const std::string& path, const std::string& target, FILETIME time);

    // The key goes with all it holds; a key that is not there is no failure.
    void DeleteKey(HKEY root, const std::string& subkey);
    void StringValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data);
    void BinaryValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data);

    int Entries() const { return m_entries; }
    int Files() const { return m_files; }
    int Values() const { return m_values; }
    int Failures() const { return m_failures; }

private:
    bool Check(bool ok, const std::string& what);
    bool WriteFileAt(const std::string& path, const std::string& data, FILETIME time);
    void Value(HKEY root, const std::string& subkey, const std::string& name, DWORD type, const std::string& data);

    int m_entries = 0;
    int m_files = 0;
    int m_values = 0;
    int m_failures = 0;
};
