// tests/support/UrlCacheState.h
// URL-cache entries that a test seeds through this process's WinINet and reads back through it, not
// through the code under test: one of every kind, at known times, in a cache that starts empty.
#pragma once
#include "FolderState.h"
#include <windows.h>
#include <wininet.h>
#include <initializer_list>
#include <string>
#include <vector>

inline const char kPage[] = "http://vestrel-test.invalid/page.htm";
inline const char kUndated[] = "http://vestrel-test.invalid/undated.htm";
inline const char kVisited[] = "Visited: user@http://vestrel-test.invalid/visited.htm";
inline const char kCookie[] = "Cookie:user@vestrel-test.invalid/";
inline const char kCookieAndHistory[] = "Cookie:user@both.vestrel-test.invalid/";

// When seeded entries were last modified, and seeded files last written; and the rows' texts of them.
inline const FILETIME kEntryTime = UtcTime(2021, 3, 4, 5, 6, 7);
inline const char kEntryTimeText[] = "2021/03/04 05:06:07";
inline const FILETIME kFileTime = UtcTime(2020, 1, 2, 3, 4, 5);
inline const char kFileTimeText[] = "2020/01/02 03:04:05";

struct CacheEntry
{
    std::string url;
    DWORD type;
};

// Every entry, in the order the cache walks them.
std::vector<CacheEntry> CacheEntries();
// The cache's URLs that are among these, in the order the cache walks them.
std::vector<std::string> InWalkOrder(std::initializer_list<const char*> urls);
bool InCache(const char* url);

// A fixture's seeding of the cache: the cache must be empty before it, and the seeded URLs go with it.
class UrlCacheSeeds
{
public:
    UrlCacheSeeds() = default;
    ~UrlCacheSeeds();
    UrlCacheSeeds(const UrlCacheSeeds&) = delete;
    UrlCacheSeeds& operator=(const UrlCacheSeeds&) = delete;

    // A failure for every entry the cache holds.
    static void ExpectEmptyCache();

    static void SeedEntry(const char* url, DWORD type, FILETIME modified = kEntryTime);
    // A downloaded page: an entry with its file in WinINet's own cache folder.
    static void SeedPage(const char* url);
    // A page, a visited address, a cookie, and a cookie that is history too.
    static void SeedEveryKind();
};
