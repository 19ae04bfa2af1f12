// tests/urlcache_erasing_test.cpp
// What the browser's cache, history and cookie cleans erase and leave, in the URL cache and in the
// browser's folders, and the boxes that report it.
#include "support/BoxCatcher.h"
#include "support/BrowserTraces.h"
#include "support/ImportHook.h"

namespace {

// As on a machine that has no URL cache at all.
HANDLE WINAPI MissingCacheFindFirst(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD size)
{
    *size = 0;
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
}

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
    EXPECT_TRUE(NamesIn(m_cache).empty());
    EXPECT_EQ(NamesIn(m_cookies).size(), 1u);
    EXPECT_EQ(NamesIn(m_history).size(), 1u);
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
    MakeFile(m_windowsHistory.Path("old.txt"));
    MakeFile(m_windowsHistory.Path("sub\\older.txt"));
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
    EXPECT_TRUE(PathExists(m_windowsHistory.Path()));
    EXPECT_TRUE(NamesIn(m_windowsHistory.Path()).empty());
    EXPECT_TRUE(NamesIn(m_history).empty());
    EXPECT_EQ(NamesIn(m_cache).size(), 1u);
    EXPECT_EQ(NamesIn(m_cookies).size(), 1u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer history cleaned sucessfully.");
    EXPECT_TRUE(g_cursorsSet.empty());
}

// Both files are held open without delete sharing, so they survive to be read back.
TEST_F(BrowserTraces, IndexDatIsZeroedInTheUserHistoryFolderButNotInTheWindowsOne)
{
    const DWORD kSize = 1000;
    HANDLE windowsIndex = ::CreateFileA(MakeFile(m_windowsHistory.Path("index.dat"), kSize).c_str(), GENERIC_READ,
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
    EXPECT_EQ(boxes.Texts(), std::vector<std::string> { CleanedText(Trace::History, 1) });
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
    EXPECT_TRUE(NamesIn(m_cookies).empty());
    EXPECT_EQ(NamesIn(m_cache).size(), 1u);
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
    EXPECT_EQ(boxes.Texts(), std::vector<std::string> { CleanedText(Trace::Cache, 1) });
}

TEST_F(BrowserTraces, SuccessIsReportedWithEveryFolderMissingAndAnEmptyCache)
{
    MoveBrowserFolders(m_root.Path("no-cache"), m_root.Path("no-cookies"), m_root.Path("no-history"));
    ASSERT_TRUE(::RemoveDirectoryA(m_windowsHistory.Path().c_str()));
    // Nor is there a URL cache.
    ImportHook first("FindFirstUrlCacheEntryA", reinterpret_cast<void*>(&MissingCacheFindFirst));
    ASSERT_TRUE(first.Installed());
    BoxCatcher boxes;

    View().OnAnalyzeCache();
    Clean(Trace::Cache);
    Clean(Trace::History);
    Clean(Trace::Cookie);

    std::vector<std::string> expected = {
        "Temporary Internet Explorer files analyzing completed successfully, no file found.",
        "Internet Explorer cache and temporary files cleaned sucessfully.",
        "Internet Explorer history cleaned sucessfully.",
        "Internet Explorer cookies cleaned sucessfully.",
    };
    EXPECT_EQ(boxes.Texts(), expected);
}

}
