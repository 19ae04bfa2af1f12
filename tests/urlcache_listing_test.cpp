// tests/urlcache_listing_test.cpp
// What the browser's cache, history and cookie analyses list, in which order, under which cursor, and
// the boxes that report it.
#include "support/BoxCatcher.h"
#include "support/BrowserTraces.h"
#include "support/ImportHook.h"
#include "support/RowList.h"
#include "traces/ie/WindowsHistoryFolder.h"
#include "resource.h"
#include <new>

namespace {

// As if the walk could not have the memory for its first entry.
HANDLE WINAPI ThrowingFindFirst(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD)
{
    throw std::bad_alloc();
}

std::vector<std::string> UrlRows(const std::vector<std::string>& urls, const char* timeText)
{
    std::vector<std::string> rows;
    for (const std::string& url : urls)
        rows.push_back(url + "|" + timeText);
    return rows;
}

std::vector<std::string> Slice(const std::vector<std::string>& rows, size_t from, size_t to)
{
    return std::vector<std::string>(rows.begin() + std::min(from, rows.size()), rows.begin() + std::min(to, rows.size()));
}

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
    EXPECT_EQ(boxes.Boxes()[0].caption, kAnalyzingCaption);
    EXPECT_EQ(boxes.Boxes()[0].text, "Temporary Internet Explorer files analyzing completed successfully, 4 files found.");
    EXPECT_STREQ(g_pszCategory, "Cache");
    std::vector<CursorSet> expected = { { Wait(), 0 }, { Arrow(), 2 }, { Wait(), 2 }, { Arrow(), 4 } };
    EXPECT_EQ(g_cursorsSet, expected);
}

TEST_F(BrowserTraces, HistoryAnalysisListsWindowsThenUserHistoryFolderThenHistoryEntries)
{
    SeedEveryKind();
    std::string old = MakeFile(m_windowsHistory.Path("old.txt"));
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
    MakeFile(m_windowsHistory.Path("a.txt"));
    MakeFile(m_windowsHistory.Path("b.txt"));
    BoxCatcher boxes;

    View().OnAnalyzeHistory();

    EXPECT_EQ(Rows().size(), 2u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Internet Explorer history analyzing completed successfully, 2 history found.");
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

TEST(WindowsHistoryFolder, IsSkippedWhenItsPathWouldNotFit)
{
    EXPECT_EQ(std::string(WindowsHistoryFolder()), WindowsDirectory() + "\\History");
    // "\History" adds 8 characters; MAX_PATH leaves room for 259 and the terminator.
    EXPECT_EQ(WindowsHistoryFolderOf(("C:\\" + std::string(248, 'w')).c_str()).GetLength(), MAX_PATH - 1);
    EXPECT_TRUE(WindowsHistoryFolderOf(("C:\\" + std::string(249, 'w')).c_str()).IsEmpty());
}

}
