// tests/support/UrlCacheState.cpp
#include "UrlCacheState.h"
#include <gtest/gtest.h>
#include <algorithm>

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

std::vector<std::string> InWalkOrder(std::initializer_list<const char*> urls)
{
    std::vector<std::string> ordered;
    for (const CacheEntry& entry : CacheEntries())
        if (std::find_if(urls.begin(), urls.end(), [&](const char* url) { return entry.url == url; }) != urls.end())
            ordered.push_back(entry.url);
    return ordered;
}

bool InCache(const char* url)
{
    DWORD size = 0;
    return !::GetUrlCacheEntryInfoA(url, nullptr, &size) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

UrlCacheSeeds::~UrlCacheSeeds()
{
    for (const char* url : { kPage, kUndated, kVisited, kCookie, kCookieAndHistory })
        ::DeleteUrlCacheEntryA(url);
}

void UrlCacheSeeds::ExpectEmptyCache()
{
    for (const CacheEntry& entry : CacheEntries())
        ADD_FAILURE() << "the URL cache of the test prefix must start empty, but holds " << entry.url;
}

void UrlCacheSeeds::SeedEntry(const char* url, DWORD type, FILETIME modified)
{
    FILETIME never = {};
    ASSERT_TRUE(::CommitUrlCacheEntryA(url, nullptr, never, modified, type, nullptr, 0, nullptr, nullptr)) << url;
}

void UrlCacheSeeds::SeedPage(const char* url)
{
    char file[MAX_PATH] = {};
    ASSERT_TRUE(::CreateUrlCacheEntryA(url, 0, "htm", file, 0));
    MakeFileAt(file, kFileTime);
    FILETIME never = {};
    ASSERT_TRUE(::CommitUrlCacheEntryA(url, file, never, kEntryTime, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
}

void UrlCacheSeeds::SeedEveryKind()
{
    SeedPage(kPage);
    SeedEntry(kVisited, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
    SeedEntry(kCookie, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
    SeedEntry(kCookieAndHistory, COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
}
