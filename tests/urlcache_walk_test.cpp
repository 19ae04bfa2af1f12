// tests/urlcache_walk_test.cpp
// The URL-cache walk with no window: entries that change under it, the purge it serves, and the kinds
// of entry it tells apart.
#include "support/ImportHook.h"
#include "support/UrlCacheState.h"
#include "traces/ie/PurgeUrlCache.h"
#include "traces/ie/UrlCacheWalk.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// ---- This executable's imports, redirected so a test can make an entry grow between its size query
// and its fetch, or claim a size no entry has.

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

class UrlCacheWalkTest : public ::testing::Test, protected UrlCacheSeeds
{
protected:
    void SetUp() override
    {
        ExpectEmptyCache();
        ASSERT_FALSE(HasFailure());
    }
};

TEST_F(UrlCacheWalkTest, PurgeTellsWhetherTheCacheHadAnEntryAndUnknownKindsEraseNothing)
{
    EraseOutcome outcome;
    EXPECT_EQ(PurgeUrlCacheEntries(ContentEntry, outcome), 0);
    SeedEveryKind();
    EXPECT_EQ(PurgeUrlCacheEntries(3, outcome), 1);
    EXPECT_EQ(CacheEntries().size(), 4u);
    EXPECT_EQ(outcome.notErased, 0);
}

TEST_F(UrlCacheWalkTest, EntryThatGrowsBeforeItsFetchIsStillWalkedAndTheRestToo)
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
    PurgeUrlCacheEntries(ContentEntry, outcome);
    EXPECT_FALSE(InCache(kPage));
}

TEST_F(UrlCacheWalkTest, EntryThatKeepsGrowingEndsTheWalkAndIsCountedAsNotErased)
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
    EXPECT_EQ(PurgeUrlCacheEntries(ContentEntry, cutShort), 1);
    EXPECT_EQ(cutShort.notErased, 1);
    g_understatedNextQueries = 0;
    g_understatedFirstQueries = 1000;
    EraseOutcome noFirst;
    EXPECT_EQ(PurgeUrlCacheEntries(ContentEntry, noFirst), 0);
    EXPECT_EQ(noFirst.notErased, 1);
    g_understatedFirstQueries = 0;
}

TEST_F(UrlCacheWalkTest, EntryOfAnAbsurdSizeIsNeverAllocatedAndEndsTheWalkCounted)
{
    SeedEveryKind();
    ImportHook next("FindNextUrlCacheEntryA", reinterpret_cast<void*>(&GrowingFindNext));
    ASSERT_TRUE(next.Installed());
    g_largestBlock = 0;
    g_absurdNextQueries = 1;

    EraseOutcome outcome;
    PurgeUrlCacheEntries(ContentEntry, outcome);
    g_absurdNextQueries = 0;

    EXPECT_LE(g_largestBlock, CUrlCacheWalk::kLargestEntry);
    EXPECT_EQ(outcome.notErased, 1);
}

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

}
