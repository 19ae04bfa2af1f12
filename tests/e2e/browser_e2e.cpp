// tests/e2e/browser_e2e.cpp
// The browser's cache, history and cookies as a user meets them: URL-cache entries of every kind and
// files in the browser's folders, analyzed, cleaned, and read back through WinINet and the file system.
#include "CategoryTest.h"
#include "tests/support/FolderState.h"
#include <wininet.h>
#include <shlobj.h>

namespace {

const char kPage[] = "http://vestrel-e2e.invalid/page.htm";
const char kUndated[] = "http://vestrel-e2e.invalid/undated.htm";
const char kVisited[] = "Visited: user@http://vestrel-e2e.invalid/visited.htm";
const char kCookie[] = "Cookie:user@vestrel-e2e.invalid/";
const char kCookieAndHistory[] = "Cookie:user@both.vestrel-e2e.invalid/";

const FILETIME kEntryTime = UtcTime(2021, 3, 4, 15, 16, 17);
const char kEntryText[] = "2021/03/04 15:16:17";
const FILETIME kFileTime = UtcTime(2018, 11, 12, 13, 14, 15);
const char kFileText[] = "2018/11/12 13:14:15";

// This process's WinINet, loaded only once the browser's folders are in place, so that it keeps its
// index files in them as the program does, and unloaded before they are put back.
class UrlCache
{
public:
    UrlCache() : m_dll(::LoadLibraryA("wininet.dll"))
    {
        Bind(m_create, "CreateUrlCacheEntryA");
        Bind(m_commit, "CommitUrlCacheEntryA");
        Bind(m_info, "GetUrlCacheEntryInfoA");
        Bind(m_findFirst, "FindFirstUrlCacheEntryA");
        Bind(m_findNext, "FindNextUrlCacheEntryA");
        Bind(m_findClose, "FindCloseUrlCache");
    }
    ~UrlCache()
    {
        if (m_dll)
            ::FreeLibrary(m_dll);
    }
    UrlCache(const UrlCache&) = delete;
    UrlCache& operator=(const UrlCache&) = delete;

    bool Loaded() const { return m_dll && m_create && m_commit && m_info && m_findFirst && m_findNext && m_findClose; }

    // An entry without a file of its own.
    bool Commit(const char* url, DWORD type, const FILETIME& modified = kEntryTime) const
    {
        const FILETIME never = {};
        return m_commit(url, nullptr, never, modified, type, nullptr, 0, nullptr, nullptr);
    }

    // A downloaded page: its file in WinINet's own folder, last written at kFileTime. Returns the file.
    std::string CommitPage(const char* url) const
    {
        char file[MAX_PATH] = {};
        if (!m_create(url, 0, "htm", file, 0))
            return {};
        MakeFileAt(file, kFileTime);
        const FILETIME never = {};
        return m_commit(url, file, never, kEntryTime, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr) ? file : "";
    }

    bool Contains(const char* url) const
    {
        DWORD size = 0;
        return !m_info(url, nullptr, &size) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    }

    // Every URL, in the order WinINet walks them.
    std::vector<std::string> Urls() const
    {
        std::vector<std::string> urls;
        alignas(8) BYTE block[16 * 1024];
        auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block);
        DWORD size = sizeof block;
        HANDLE find = m_findFirst(nullptr, info, &size);
        for (BOOL more = find != nullptr; more; more = m_findNext(find, info, &size)) {
            urls.push_back(info->lpszSourceUrlName);
            size = sizeof block;
        }
        if (find)
            m_findClose(find);
        return urls;
    }

private:
    template <class Function>
    void Bind(Function& function, const char* name)
    {
        function = m_dll ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_dll, name))) : nullptr;
    }

    HMODULE m_dll;
    decltype(&::CreateUrlCacheEntryA) m_create = nullptr;
    decltype(&::CommitUrlCacheEntryA) m_commit = nullptr;
    decltype(&::GetUrlCacheEntryInfoA) m_info = nullptr;
    decltype(&::FindFirstUrlCacheEntryA) m_findFirst = nullptr;
    decltype(&::FindNextUrlCacheEntryA) m_findNext = nullptr;
    decltype(&::FindCloseUrlCache) m_findClose = nullptr;
};

std::vector<std::string> PathsOf(const Rows& rows, size_t from, size_t to)
{
    std::vector<std::string> paths;
    for (size_t i = std::min(from, rows.size()); i < std::min(to, rows.size()); ++i)
        paths.push_back(rows[i].at(0));
    return Sorted(paths);
}

bool HasRow(const Rows& rows, const std::string& path, const std::string& time)
{
    return std::find(rows.begin(), rows.end(), std::vector<std::string> { path, time }) != rows.end();
}

// The browser's folders start empty and the URL cache with them; the program starts once both are in
// place. Members go in reverse: the program first (by TearDown), then this process's WinINet, then the folders.
// Each eraser leaves WinINet's own index file, which the program itself holds open, zeroed after its
// header, and the folder that holds it: that is the clean done as intended, and nothing else is left.
class BrowserTraces : public CategoryTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_urlCache.Loaded()) << "wininet.dll could not be loaded";
        ASSERT_EQ(std::vector<std::string> {}, m_urlCache.Urls()) << "the URL cache must start empty";
        StartProgram();
    }

    // One entry of every kind, with one file in each of the browser's folders.
    void SeedEveryKind()
    {
        m_pageFile = m_urlCache.CommitPage(kPage);
        ASSERT_FALSE(m_pageFile.empty()) << "no page in the cache";
        ASSERT_TRUE(m_urlCache.Commit(kUndated, NORMAL_CACHE_ENTRY, FILETIME {}));
        ASSERT_TRUE(m_urlCache.Commit(kVisited, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY));
        ASSERT_TRUE(m_urlCache.Commit(kCookie, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY));
        ASSERT_TRUE(m_urlCache.Commit(kCookieAndHistory, COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY));
        m_cached = MakeFileAt(m_cache.Path("cached.txt"), kFileTime);
        m_deepCached = MakeFileAt(m_cache.Path("sub\\deep.txt"), kFileTime);
        m_cookieFile = MakeFileAt(m_cookies.Path("user@vestrel-e2e[1].txt"), kFileTime);
        m_recent = MakeFileAt(m_history.Path("recent.txt"), kFileTime);
        m_old = MakeFileAt(m_windowsHistory.Path("old\\older.txt"), kFileTime);
    }

    // The rows of these URLs, in the order the URL cache walks them.
    Rows EntryRows(std::initializer_list<const char*> urls) const
    {
        Rows rows;
        for (const std::string& url : m_urlCache.Urls())
            for (const char* wanted : urls)
                if (url == wanted)
                    rows.push_back({ url, url == kUndated ? "1601/01/01 00:00:00" : kEntryText });
        return rows;
    }

    std::vector<std::string> CacheLeft(std::initializer_list<const char*> urls) const
    {
        std::vector<std::string> left;
        for (const char* url : urls)
            if (m_urlCache.Contains(url))
                left.push_back(url);
        return left;
    }

    FolderAside m_cache { SpecialFolderPath(CSIDL_INTERNET_CACHE) };
    FolderAside m_cookies { SpecialFolderPath(CSIDL_COOKIES) };
    FolderAside m_history { SpecialFolderPath(CSIDL_HISTORY) };
    FolderAside m_windowsHistory { WindowsDirectory() + "\\History" };
    UrlCache m_urlCache;
    std::string m_pageFile, m_cached, m_deepCached, m_cookieFile, m_recent, m_old;
};

TEST_F(BrowserTraces, CacheListsItsFolderThenContentEntriesAndCleanLeavesOtherKinds)
{
    ASSERT_NO_FATAL_FAILURE(SeedEveryKind());
    const std::vector<std::string> files = FilesUnder(m_cache.Path());
    const Rows entries = EntryRows({ kPage, kUndated });
    ASSERT_EQ(2u, entries.size());

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_CACHE));
    ExpectBox(AnalysisBox("Temporary Internet Explorer files analyzing completed successfully, "
                          + std::to_string(files.size() + 2) + " files found."));
    const Rows rows = App().Rows();
    ASSERT_EQ(files.size() + 2, rows.size());
    EXPECT_EQ(files, PathsOf(rows, 0, files.size()));
    EXPECT_TRUE(HasRow(rows, m_pageFile, kFileText)) << m_pageFile;
    EXPECT_TRUE(HasRow(rows, m_deepCached, kFileText)) << m_deepCached;
    EXPECT_EQ(entries, Rows(rows.end() - 2, rows.end()));
    ExpectCleanHistoryEnabled(true);

    CleanExpecting("Internet Explorer cache and temporary files cleaned sucessfully.");
    EXPECT_EQ(std::vector<std::string> { m_cache.Path("Content.IE5\\index.dat") }, FilesUnder(m_cache.Path()));
    EXPECT_EQ(std::vector<std::string>({ kVisited, kCookie, kCookieAndHistory }),
              CacheLeft({ kPage, kUndated, kVisited, kCookie, kCookieAndHistory }));
    for (const std::string& kept : { m_cookieFile, m_recent, m_old })
        EXPECT_TRUE(PathExists(kept)) << kept;
}

TEST_F(BrowserTraces, HistoryListsWindowsThenUserFolderThenHistoryEntriesAndCleanLeavesOtherKinds)
{
    ASSERT_NO_FATAL_FAILURE(SeedEveryKind());
    const std::vector<std::string> userFiles = FilesUnder(m_history.Path());
    const Rows entries = EntryRows({ kVisited, kCookieAndHistory });
    ASSERT_EQ(2u, entries.size());

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_HISTORY));
    ExpectBox(AnalysisBox("Internet Explorer history analyzing completed successfully, "
                          + std::to_string(userFiles.size() + 3) + " history found."));
    const Rows rows = App().Rows();
    ASSERT_EQ(userFiles.size() + 3, rows.size());
    EXPECT_EQ((std::vector<std::string> { m_old, kFileText }), rows[0]);
    EXPECT_EQ(userFiles, PathsOf(rows, 1, 1 + userFiles.size()));
    EXPECT_TRUE(HasRow(rows, m_recent, kFileText)) << m_recent;
    EXPECT_EQ(entries, Rows(rows.end() - 2, rows.end()));

    CleanExpecting("Internet Explorer history cleaned sucessfully.");
    EXPECT_EQ(std::vector<std::string> { m_history.Path("History.IE5\\index.dat") }, FilesUnder(m_history.Path()));
    EXPECT_EQ(std::vector<std::string>({ kPage, kUndated, kCookie }),
              CacheLeft({ kPage, kUndated, kVisited, kCookie, kCookieAndHistory }));
    EXPECT_TRUE(PathExists(m_windowsHistory.Path()));
    EXPECT_EQ(std::vector<std::string> {}, NamesIn(m_windowsHistory.Path()));
    for (const std::string& kept : { m_pageFile, m_cached, m_cookieFile })
        EXPECT_TRUE(PathExists(kept)) << kept;
}

TEST_F(BrowserTraces, CookiesListEntriesAloneAndCleanEmptiesTheCookiesFolderToo)
{
    ASSERT_NO_FATAL_FAILURE(SeedEveryKind());
    const Rows entries = EntryRows({ kCookie, kCookieAndHistory });
    ASSERT_EQ(2u, entries.size());

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_COOKIE));
    ExpectBox(AnalysisBox("Internet Explorer cookies analyzing completed successfully, 2 cookies found."));
    EXPECT_EQ(entries, App().Rows());

    CleanExpecting("Internet Explorer cookies cleaned sucessfully.");
    EXPECT_EQ(std::vector<std::string> { m_cookies.Path("index.dat") }, FilesUnder(m_cookies.Path()));
    EXPECT_EQ(std::vector<std::string>({ kPage, kUndated, kVisited }),
              CacheLeft({ kPage, kUndated, kVisited, kCookie, kCookieAndHistory }));
    for (const std::string& kept : { m_pageFile, m_cached, m_recent, m_old })
        EXPECT_TRUE(PathExists(kept)) << kept;
}

TEST_F(BrowserTraces, CookiesNoneFoundReplacesEarlierRowsAndDisablesClean)
{
    ASSERT_TRUE(m_urlCache.Commit(kVisited, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY));
    MakeFileAt(m_cookies.Path("user@vestrel-e2e[1].txt"), kFileTime);
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_HISTORY));
    ASSERT_TRUE(App().AnswerBox());
    ExpectCleanHistoryEnabled(true);

    // The cookies folder is not listed: only cookie entries count.
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_COOKIE));
    ExpectBox(AnalysisBox("Internet Explorer cookies analyzing completed successfully, no cookie found."));
    EXPECT_EQ(Rows {}, App().Rows());
    ExpectCleanHistoryEnabled(false);
}

}
