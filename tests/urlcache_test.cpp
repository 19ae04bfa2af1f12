// tests/urlcache_test.cpp
// The browser's cache, history and cookies: what each analysis lists, what each eraser removes and
// leaves, and the URL-cache walk when an entry changes under it.
#include <gtest/gtest.h>
#include "support/BoxCatcher.h"
#include "support/FolderState.h"
#include "support/ImportHook.h"
#include "support/ViewFixture.h"
#include "traces/ie/CacheEntryKind.h"
#include "traces/ie/UrlCacheWalk.h"
#include "traces/ie/WindowsHistoryFolder.h"
#include "resource.h"
#include <windows.h>
#include <wininet.h>
#include <algorithm>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

const char kPage[] = "http://vestrel-test.invalid/page.htm";
const char kUndated[] = "http://vestrel-test.invalid/undated.htm";
const char kVisited[] = "Visited: user@http://vestrel-test.invalid/visited.htm";
const char kCookie[] = "Cookie:user@vestrel-test.invalid/";
const char kCookieAndHistory[] = "Cookie:user@both.vestrel-test.invalid/";
const char kEntryTimeText[] = "2021/03/04 05:06:07";
const char kFileTimeText[] = "2020/01/02 03:04:05";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

const FILETIME kEntryTime = UtcTime(2021, 3, 4, 5, 6, 7);
const FILETIME kFileTime = UtcTime(2020, 1, 2, 3, 4, 5);

// ---- This executable's imports, redirected so a test sees every cursor the code sets and can make an
// entry grow between its size query and its fetch, or claim a size no entry has.

// Each cursor set, with the number of rows the list held at that moment.
struct CursorSet
{
    HCURSOR cursor;
    int rows;
    bool operator==(const CursorSet&) const = default;
};
std::vector<CursorSet> g_cursorsSet;
CVestrelView* g_cursorView = nullptr;

HCURSOR WINAPI RecordingSetCursor(HCURSOR cursor)
{
    g_cursorsSet.push_back({ cursor, g_cursorView ? g_cursorView->GetRowCount() : -1 });
    return RealImport<decltype(&::SetCursor)>("user32.dll", "SetCursor")(cursor);
}

HCURSOR Wait() { return ::LoadCursorA(nullptr, IDC_WAIT); }
HCURSOR Arrow() { return ::LoadCursorA(nullptr, IDC_ARROW); }

// Size queries still to understate by a byte, as if the entry grew before its fetch; and the fetches
// that then failed for want of room.
int g_understatedFirstQueries = 0;
int g_understatedNextQueries = 0;
int g_shortFetches = 0;
// Size queries still to answer with a size that no entry has, and the largest block a fetch was given.
const DWORD kAbsurdSize = 0xFFFFFFF0;
int g_absurdNextQueries = 0;
DWORD g_largestBlock = 0;

void Understate(int& queries, LPINTERNET_CACHE_ENTRY_INFOA info, BOOL ok, LPDWORD size)
{
    if (!info && *size > 0 && queries > 0) {
        --queries;
        --*size;
    }
    if (info && !ok && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        ++g_shortFetches;
}

HANDLE WINAPI GrowingFindFirst(LPCSTR pattern, LPINTERNET_CACHE_ENTRY_INFOA info, LPDWORD size)
{
    HANDLE found = RealImport<decltype(&::FindFirstUrlCacheEntryA)>("wininet.dll", "FindFirstUrlCacheEntryA")(pattern, info, size);
    Understate(g_understatedFirstQueries, info, found != nullptr, size);
    return found;
}

BOOL WINAPI GrowingFindNext(HANDLE find, LPINTERNET_CACHE_ENTRY_INFOA info, LPDWORD size)
{
    if (info)
        g_largestBlock = std::max(g_largestBlock, *size);
    BOOL ok = RealImport<decltype(&::FindNextUrlCacheEntryA)>("wininet.dll", "FindNextUrlCacheEntryA")(find, info, size);
    Understate(g_understatedNextQueries, info, ok, size);
    if (!info && *size > 0 && g_absurdNextQueries > 0) {
        --g_absurdNextQueries;
        *size = kAbsurdSize;
    }
    return ok;
}

HANDLE WINAPI ThrowingFindFirst(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD)
{
    throw std::bad_alloc();
}

HANDLE WINAPI MissingCacheFindFirst(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD size)
{
    *size = 0;
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
}

// ---- The URL cache and folders, seen through the API and not through the code under test.

struct CacheEntry
{
    std::string url;
    DWORD type;
};

std::vector<CacheEntry> CacheEntries()
{
    std::vector<CacheEntry> entries;
    alignas(8) BYTE block[64 * 1024];
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block);
    DWORD size = sizeof block;
    HANDLE find = ::FindFirstUrlCacheEntryA(nullptr, info, &size);
    for (BOOL more = find != nullptr; more; more = ::FindNextUrlCacheEntryA(find, info, &size)) {
        entries.push_back({ info->lpszSourceUrlName, info->CacheEntryType });
        size = sizeof block;
    }
    if (find)
        ::FindCloseUrlCache(find);
    return entries;
}

// The cache's URLs that are among these, in the order the cache walks them.
std::vector<std::string> InWalkOrder(std::initializer_list<const char*> urls)
{
    std::vector<std::string> ordered;
    for (const CacheEntry& entry : CacheEntries())
        if (std::find_if(urls.begin(), urls.end(), [&](const char* url) { return entry.url == url; }) != urls.end())
            ordered.push_back(entry.url);
    return ordered;
}

std::vector<std::string> UrlRows(const std::vector<std::string>& urls, const char* timeText)
{
    std::vector<std::string> rows;
    for (const std::string& url : urls)
        rows.push_back(url + "|" + timeText);
    return rows;
}

bool InCache(const char* url)
{
    DWORD size = 0;
    return !::GetUrlCacheEntryInfoA(url, nullptr, &size) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

std::vector<std::string> Contents(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0)
            names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

void RemoveTree(const std::string& folder)
{
    for (const std::string& name : Contents(folder)) {
        std::string path = folder + "\\" + name;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
}

// Last written at kFileTime; its folders are made as needed.
std::string MakeFile(const std::string& path, DWORD size = 16)
{
    return MakeFileAt(path, kFileTime, size);
}

std::string WindowsHistory()
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\History";
}

// The browser's folders moved to folders of the test's own, so the erasers never reach the files that
// this process's own WinINet holds open; the cache entries stay where WinINet keeps them.
class BrowserTraces : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        for (const CacheEntry& entry : CacheEntries())
            ADD_FAILURE() << "the URL cache of the test prefix must start empty, but holds " << entry.url;
        ASSERT_FALSE(HasFailure());
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_root = std::string(temp) + "vestrel-ie-" + std::to_string(::GetCurrentProcessId());
        RemoveTree(m_root);
        m_cache = m_root + "\\Cache";
        m_cookies = m_root + "\\Cookies";
        m_history = m_root + "\\History";
        for (const std::string& folder : { m_root, m_cache, m_cookies, m_history })
            ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &m_key),
                  ERROR_SUCCESS);
        MoveBrowserFolders(m_cache, m_cookies, m_history);
        g_cursorView = &View();
        g_cursorsSet.clear();
    }

    void TearDown() override
    {
        g_cursorView = nullptr;
        for (const char* url : { kPage, kUndated, kVisited, kCookie, kCookieAndHistory })
            ::DeleteUrlCacheEntryA(url);
        // Latest first, so a folder moved twice ends where it started.
        for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved)
            ::RegSetValueExA(m_key, saved->name, 0, saved->type, saved->data.data(), static_cast<DWORD>(saved->data.size()));
        if (m_key)
            ::RegCloseKey(m_key);
        if (!m_root.empty())
            RemoveTree(m_root);
        ViewFixture::TearDown();
    }

    void MoveBrowserFolders(const std::string& cache, const std::string& cookies, const std::string& history)
    {
        Move("Cache", cache);
        Move("Cookies", cookies);
        Move("History", history);
    }

    void SeedEntry(const char* url, DWORD type, FILETIME modified = kEntryTime)
    {
        FILETIME never = {};
        ASSERT_TRUE(::CommitUrlCacheEntryA(url, nullptr, never, modified, type, nullptr, 0, nullptr, nullptr)) << url;
    }

    // A downloaded page: an entry with its file in WinINet's own cache folder.
    void SeedPage(const char* url)
    {
        char file[MAX_PATH] = {};
        ASSERT_TRUE(::CreateUrlCacheEntryA(url, 0, "htm", file, 0));
        MakeFile(file);
        FILETIME never = {};
        ASSERT_TRUE(::CommitUrlCacheEntryA(url, file, never, kEntryTime, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
    }

    void SeedEveryKind()
    {
        SeedPage(kPage);
        SeedEntry(kVisited, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
        SeedEntry(kCookie, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
        SeedEntry(kCookieAndHistory, COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
    }

    std::string m_root, m_cache, m_cookies, m_history;

private:
    struct Saved
    {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    };

    void Move(const char* name, const std::string& folder)
    {
        Saved saved = { name, 0, std::vector<BYTE>(1024) };
        DWORD size = static_cast<DWORD>(saved.data.size());
        ASSERT_EQ(::RegQueryValueExA(m_key, name, nullptr, &saved.type, saved.data.data(), &size), ERROR_SUCCESS) << name;
        saved.data.resize(size);
        m_saved.push_back(saved);
        ::RegSetValueExA(m_key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                         static_cast<DWORD>(folder.size() + 1));
    }

    HKEY m_key = nullptr;
    std::vector<Saved> m_saved;
    // Empty for each test whatever an earlier run left there, such as the demo machine's seeding.
    FolderAside m_windowsHistory { WindowsHistory() };
};

std::vector<std::string> Sorted(std::vector<std::string> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> Slice(const std::vector<std::string>& rows, size_t from, size_t to)
{
    return std::vector<std::string>(rows.begin() + std::min(from, rows.size()), rows.begin() + std::min(to, rows.size()));
}

// ---- Analyses

TEST_F(BrowserTraces, CacheAnalysisListsCacheFolderFirstThenContentEntriesOnly)
{
    SeedEveryKind();
    SeedEntry(kUndated, NORMAL_CACHE_ENTRY, FILETIME {});
    std::string top = MakeFile(m_cache + "\\cached.txt");
    std::string deep = MakeFile(m_cache + "\\sub\\deep.txt");
    MakeFile(m_cookies + "\\cookie.txt");
    MakeFile(m_history + "\\history.txt");
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));
    ASSERT_TRUE(cursors.Installed());
    BoxCatcher boxes;

    View().OnAnalyzeCache();

    std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Sorted(Slice(rows, 0, 2)), Sorted({ top + "|" + kFileTimeText, deep + "|" + kFileTimeText }));
    std::vector<std::string> urlRows;
    for (const std::string& url : InWalkOrder({ kPage, kUndated }))
        urlRows.push_back(url + "|" + (url == kUndated ? "1601/01/01 00:00:00" : kEntryTimeText));
    EXPECT_EQ(Slice(rows, 2, 4), urlRows);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Analyzing result");
    EXPECT_EQ(boxes.Boxes()[0].text, "Temporary Internet Explorer files analyzing completed successfully, 4 files found.");
    EXPECT_STREQ(g_pszCategory, "Cache");
    std::vector<CursorSet> expected = { { Wait(), 0 }, { Arrow(), 2 }, { Wait(), 2 }, { Arrow(), 4 } };
    EXPECT_EQ(g_cursorsSet, expected);
}

TEST_F(BrowserTraces, HistoryAnalysisListsWindowsThenUserHistoryFolderThenHistoryEntries)
{
    SeedEveryKind();
    std::string old = MakeFile(WindowsHistory() + "\\old.txt");
    std::string recent = MakeFile(m_history + "\\recent.txt");
    MakeFile(m_cache + "\\cached.txt");
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));
    BoxCatcher boxes;

    View().OnAnalyzeHistory();

    std::vector<std::string> expected = { old + "|" + kFileTimeText, recent + "|" + kFileTimeText };
    for (const std::string& row : UrlRows(InWalkOrder({ kVisited, kCookieAndHistory }), kEntryTimeText))
        expected.push_back(row);
    EXPECT_EQ(Rows(), expected);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer history analyzing completed successfully, 4 history found.");
    EXPECT_STREQ(g_pszCategory, "History");
    std::vector<CursorSet> cursorsExpected = { { Wait(), 0 }, { Arrow(), 2 }, { Wait(), 2 }, { Arrow(), 4 } };
    EXPECT_EQ(g_cursorsSet, cursorsExpected);
}

TEST_F(BrowserTraces, CookieAnalysisListsCookieEntriesAloneAndReplacesEarlierRows)
{
    SeedEveryKind();
    MakeFile(m_cookies + "\\user@vestrel-test.txt");
    BoxCatcher boxes;
    View().OnAnalyzeCache();
    ASSERT_GT(View().GetRowCount(), 0);
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));

    View().OnAnalyzeCookie();

    EXPECT_EQ(Rows(), UrlRows(InWalkOrder({ kCookie, kCookieAndHistory }), kEntryTimeText));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, "Internet Explorer cookies analyzing completed successfully, 2 cookies found.");
    std::vector<CursorSet> expected = { { Wait(), 0 }, { Arrow(), 2 } };
    EXPECT_EQ(g_cursorsSet, expected);
}

TEST_F(BrowserTraces, CookieAnalysisOfAnEmptyCacheFindsNothingAndLeavesTheCursorAlone)
{
    MakeFile(m_cookies + "\\user@vestrel-test.txt");
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));
    BoxCatcher boxes;

    View().OnAnalyzeCookie();

    EXPECT_TRUE(Rows().empty());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer cookies analyzing completed successfully, no cookie found.");
    EXPECT_STREQ(g_pszCategory, "Cookie");
    EXPECT_TRUE(g_cursorsSet.empty());
}

TEST_F(BrowserTraces, HistoryFolderFilesAloneGiveTheCountText)
{
    MakeFile(WindowsHistory() + "\\a.txt");
    MakeFile(WindowsHistory() + "\\b.txt");
    BoxCatcher boxes;

    View().OnAnalyzeHistory();

    EXPECT_EQ(Rows().size(), 2u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer history analyzing completed successfully, 2 history found.");
}

// ---- Erasers

TEST_F(BrowserTraces, CacheEraserRemovesContentEntriesAndEmptiesTheCacheFolderAlone)
{
    SeedEveryKind();
    MakeFile(m_cache + "\\cached.txt");
    MakeFile(m_cache + "\\sub\\deep.txt");
    MakeFile(m_cookies + "\\cookie.txt");
    MakeFile(m_history + "\\history.txt");
    BoxCatcher boxes;
    View().OnAnalyzeCache();
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));

    View().OnCleanHistory();

    EXPECT_FALSE(InCache(kPage));
    EXPECT_TRUE(InCache(kVisited));
    EXPECT_TRUE(InCache(kCookie));
    EXPECT_TRUE(InCache(kCookieAndHistory));
    EXPECT_TRUE(PathExists(m_cache));
    EXPECT_TRUE(Contents(m_cache).empty());
    EXPECT_EQ(Contents(m_cookies).size(), 1u);
    EXPECT_EQ(Contents(m_history).size(), 1u);
    EXPECT_EQ(View().GetRowCount(), 0);
    EXPECT_STREQ(g_pszCategory, "Cache");
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].caption, kAppTitle);
    EXPECT_EQ(boxes.Boxes()[1].text, "Internet Explorer cache and temporary files cleaned sucessfully.");
    std::vector<CursorSet> expected = { { Wait(), 3 }, { Arrow(), 3 } };
    EXPECT_EQ(g_cursorsSet, expected);
}

TEST_F(BrowserTraces, HistoryEraserRemovesHistoryEntriesAndBothFoldersWithoutTouchingTheCursor)
{
    SeedEveryKind();
    MakeFile(WindowsHistory() + "\\old.txt");
    MakeFile(WindowsHistory() + "\\sub\\older.txt");
    MakeFile(m_history + "\\recent.txt");
    MakeFile(m_cache + "\\cached.txt");
    MakeFile(m_cookies + "\\cookie.txt");
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));
    BoxCatcher boxes;

    Clean(Trace::History);

    EXPECT_FALSE(InCache(kVisited));
    EXPECT_FALSE(InCache(kCookieAndHistory));
    EXPECT_TRUE(InCache(kPage));
    EXPECT_TRUE(InCache(kCookie));
    EXPECT_TRUE(PathExists(WindowsHistory()));
    EXPECT_TRUE(Contents(WindowsHistory()).empty());
    EXPECT_TRUE(Contents(m_history).empty());
    EXPECT_EQ(Contents(m_cache).size(), 1u);
    EXPECT_EQ(Contents(m_cookies).size(), 1u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer history cleaned sucessfully.");
    EXPECT_TRUE(g_cursorsSet.empty());
}

// Both files are held open without delete sharing, so they survive to be read back.
TEST_F(BrowserTraces, IndexDatIsZeroedInTheUserHistoryFolderButNotInTheWindowsOne)
{
    const DWORD kSize = 1000;
    HANDLE windowsIndex = ::CreateFileA(MakeFile(WindowsHistory() + "\\index.dat", kSize).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE userIndex = ::CreateFileA(MakeFile(m_history + "\\index.dat", kSize).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(windowsIndex, INVALID_HANDLE_VALUE);
    ASSERT_NE(userIndex, INVALID_HANDLE_VALUE);
    BoxCatcher boxes;

    Clean(Trace::History);

    auto read = [&](HANDLE file) {
        std::vector<BYTE> bytes(kSize);
        DWORD got = 0;
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        ::ReadFile(file, bytes.data(), kSize, &got, nullptr);
        return bytes;
    };
    std::vector<BYTE> untouched(kSize, 0xAB);
    std::vector<BYTE> zeroed(kSize, 0);
    std::fill(zeroed.begin(), zeroed.begin() + 64, 0xAB);
    EXPECT_EQ(read(windowsIndex), untouched);
    EXPECT_EQ(read(userIndex), zeroed);
    ::CloseHandle(windowsIndex);
    ::CloseHandle(userIndex);
    // The zeroed one stays as intended; the Windows one stays with what it recorded.
    EraseOutcome oneLeft;
    oneLeft.Failed();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, std::string(CleanedReport(TraceCategoryOf(Trace::History), oneLeft)));
}

TEST_F(BrowserTraces, CleaningAfterTheCookieAnalysisAlsoEmptiesTheCookiesFolder)
{
    SeedEveryKind();
    MakeFile(m_cookies + "\\user@vestrel-test[1].txt");
    MakeFile(m_cookies + "\\sub\\user@other[1].txt");
    MakeFile(m_cache + "\\cached.txt");
    BoxCatcher boxes;
    View().OnAnalyzeCookie();
    ASSERT_EQ(View().GetRowCount(), 2);
    ImportHook cursors("SetCursor", reinterpret_cast<void*>(&RecordingSetCursor));

    View().OnCleanHistory();

    EXPECT_FALSE(InCache(kCookie));
    EXPECT_FALSE(InCache(kCookieAndHistory));
    EXPECT_TRUE(InCache(kPage));
    EXPECT_TRUE(InCache(kVisited));
    EXPECT_TRUE(Contents(m_cookies).empty());
    EXPECT_EQ(Contents(m_cache).size(), 1u);
    EXPECT_EQ(View().GetRowCount(), 0);
    EXPECT_STREQ(g_pszCategory, "Cookie");
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].caption, kAppTitle);
    EXPECT_EQ(boxes.Boxes()[1].text, "Internet Explorer cookies cleaned sucessfully.");
    std::vector<CursorSet> expected = { { Wait(), 2 }, { Arrow(), 2 } };
    EXPECT_EQ(g_cursorsSet, expected);
}

TEST_F(BrowserTraces, EntryInUseIsReportedAsNotErased)
{
    SeedPage(kPage);
    alignas(8) BYTE block[4096];
    DWORD size = sizeof block;
    ASSERT_TRUE(::RetrieveUrlCacheEntryFileA(kPage, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block), &size, 0));
    BoxCatcher boxes;

    Clean(Trace::Cache);

    ::UnlockUrlCacheEntryFileA(kPage, 0);
    EraseOutcome oneLeft;
    oneLeft.Failed();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, std::string(CleanedReport(TraceCategoryOf(Trace::Cache), oneLeft)));
}

TEST_F(BrowserTraces, PurgeTellsWhetherTheCacheHadAnEntryAndUnknownKindsEraseNothing)
{
    EraseOutcome outcome;
    EXPECT_EQ(View().PurgeUrlCache(ContentEntry, outcome), 0);
    SeedEveryKind();
    EXPECT_EQ(View().PurgeUrlCache(3, outcome), 1);
    EXPECT_EQ(CacheEntries().size(), 4u);
    EXPECT_EQ(outcome.notErased, 0);
}

TEST_F(BrowserTraces, SuccessIsReportedWithEveryFolderMissingAndAnEmptyCache)
{
    MoveBrowserFolders(m_root + "\\no-cache", m_root + "\\no-cookies", m_root + "\\no-history");
    ASSERT_TRUE(::RemoveDirectoryA(WindowsHistory().c_str()));
    // Nor is there a URL cache.
    ImportHook first("FindFirstUrlCacheEntryA", reinterpret_cast<void*>(&MissingCacheFindFirst));
    ASSERT_TRUE(first.Installed());
    BoxCatcher boxes;

    View().OnAnalyzeCache();
    Clean(Trace::Cache);
    Clean(Trace::History);
    Clean(Trace::Cookie);

    std::vector<std::string> texts;
    for (const CaughtBox& box : boxes.Boxes())
        texts.push_back(box.text);
    std::vector<std::string> expected = {
        "Temporary Internet Explorer files analyzing completed successfully, no file found.",
        "Internet Explorer cache and temporary files cleaned sucessfully.",
        "Internet Explorer history cleaned sucessfully.",
        "Internet Explorer cookies cleaned sucessfully.",
    };
    EXPECT_EQ(texts, expected);
}

// ---- The walk when an entry grows between its size query and its fetch

TEST_F(BrowserTraces, EntryThatGrowsBeforeItsFetchIsStillWalkedAndTheRestToo)
{
    SeedEveryKind();
    std::vector<std::string> all;
    for (const CacheEntry& entry : CacheEntries())
        all.push_back(entry.url);
    ImportHook first("FindFirstUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindFirst));
    ImportHook next("FindNextUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindNext));
    ASSERT_TRUE(first.Installed() && next.Installed());
    g_shortFetches = 0;

    std::vector<std::string> walked;
    g_understatedFirstQueries = 1;
    g_understatedNextQueries = 1;
    {
        CUrlCacheWalk walk;
        for (bool more = walk.Entry() != nullptr; more; more = walk.Next())
            walked.push_back(walk.Entry()->lpszSourceUrlName);
    }
    EXPECT_EQ(walked, all);
    EXPECT_EQ(g_shortFetches, 2) << "the first entry and the second should each have failed a fetch once";

    // The page comes last in the walk, after the entry that grew.
    g_understatedNextQueries = 1;
    EraseOutcome outcome;
    View().PurgeUrlCache(ContentEntry, outcome);
    EXPECT_FALSE(InCache(kPage));
}

TEST_F(BrowserTraces, EntryThatKeepsGrowingEndsTheWalkAndIsCountedAsNotErased)
{
    SeedEveryKind();
    ImportHook first("FindFirstUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindFirst));
    ImportHook next("FindNextUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindNext));
    g_shortFetches = 0;
    g_understatedNextQueries = 1000;
    {
        CUrlCacheWalk walk;
        ASSERT_NE(walk.Entry(), nullptr);
        EXPECT_FALSE(walk.Next());
        EXPECT_EQ(walk.Entry(), nullptr);
    }
    EXPECT_GT(g_shortFetches, 1);
    EXPECT_LT(g_shortFetches, 100);

    // The entries after it are neither erased nor seen: the walk's early end counts for them.
    EraseOutcome cutShort;
    EXPECT_EQ(View().PurgeUrlCache(ContentEntry, cutShort), 1);
    EXPECT_EQ(cutShort.notErased, 1);
    g_understatedNextQueries = 0;
    g_understatedFirstQueries = 1000;
    EraseOutcome noFirst;
    EXPECT_EQ(View().PurgeUrlCache(ContentEntry, noFirst), 0);
    EXPECT_EQ(noFirst.notErased, 1);
    g_understatedFirstQueries = 0;
}

TEST_F(BrowserTraces, EntryOfAnAbsurdSizeIsNeverAllocatedAndEndsTheWalkCounted)
{
    SeedEveryKind();
    ImportHook next("FindNextUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindNext));
    ASSERT_TRUE(next.Installed());
    g_largestBlock = 0;
    g_absurdNextQueries = 1;

    EraseOutcome outcome;
    View().PurgeUrlCache(ContentEntry, outcome);
    g_absurdNextQueries = 0;

    EXPECT_LE(g_largestBlock, CUrlCacheWalk::kLargestEntry);
    EXPECT_EQ(outcome.notErased, 1);
}

// A handler that runs out of memory ends with a box; the program stays up and takes the next command.
TEST_F(BrowserTraces, CommandThatRunsOutOfMemoryEndsWithABoxAndTheProgramGoesOn)
{
    BoxCatcher boxes;
    {
        ImportHook first("FindFirstUrlCacheEntryA", reinterpret_cast<void*>(&ThrowingFindFirst));
        ASSERT_TRUE(first.Installed());
        View().SendMessage(WM_COMMAND, ID_ANALYZE_COOKIE, 0);
    }
    View().SendMessage(WM_COMMAND, ID_ANALYZE_COOKIE, 0);

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, kAppTitle);
    EXPECT_EQ(shown[0].text, "Out of memory: the operation was stopped.");
    EXPECT_EQ(shown[1].text, "Internet Explorer cookies analyzing completed successfully, no cookie found.");
}

// ---- Pure rules

TEST(CacheEntryKind, IsToldByTheCookieAndHistoryFlagsAlone)
{
    const DWORD content = NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY | SPARSE_CACHE_ENTRY;
    const DWORD cookie = COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY;
    const DWORD history = URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY;
    const DWORD both = COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY;
    EXPECT_TRUE(IsEntryOfKind(content, ContentEntry));
    EXPECT_TRUE(IsEntryOfKind(0, ContentEntry));
    EXPECT_FALSE(IsEntryOfKind(content, CookieEntry) || IsEntryOfKind(content, HistoryEntry));
    EXPECT_TRUE(IsEntryOfKind(cookie, CookieEntry));
    EXPECT_FALSE(IsEntryOfKind(cookie, ContentEntry) || IsEntryOfKind(cookie, HistoryEntry));
    EXPECT_TRUE(IsEntryOfKind(history, HistoryEntry));
    EXPECT_FALSE(IsEntryOfKind(history, ContentEntry) || IsEntryOfKind(history, CookieEntry));
    EXPECT_TRUE(IsEntryOfKind(both, CookieEntry) && IsEntryOfKind(both, HistoryEntry));
    EXPECT_FALSE(IsEntryOfKind(both, ContentEntry));
    EXPECT_FALSE(IsEntryOfKind(content, 3) || IsEntryOfKind(both, -1));
}

TEST(WindowsHistoryFolder, IsSkippedWhenItsPathWouldNotFit)
{
    EXPECT_EQ(std::string(WindowsHistoryFolder()), WindowsHistory());
    // "\History" adds 8 characters; MAX_PATH leaves room for 259 and the terminator.
    EXPECT_EQ(WindowsHistoryFolderOf(("C:\\" + std::string(248, 'w')).c_str()).GetLength(), MAX_PATH - 1);
    EXPECT_TRUE(WindowsHistoryFolderOf(("C:\\" + std::string(249, 'w')).c_str()).IsEmpty());
}

}
