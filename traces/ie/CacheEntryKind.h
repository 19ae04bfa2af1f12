// traces/ie/CacheEntryKind.h
// The three kinds of URL-cache entry, told by the entry's type flags alone.
#pragma once
#include <windows.h>
#include <wininet.h>

// The numbers are the ones PurgeUrlCache takes.
enum CacheEntryKind : int { ContentEntry = 0, CookieEntry = 1, HistoryEntry = 2 };

// An entry with both the cookie and the history flag is of both kinds. Any other kind number matches nothing.
inline bool IsEntryOfKind(DWORD cacheEntryType, int kind)
{
    const bool cookie = (cacheEntryType & COOKIE_CACHE_ENTRY) != 0;
    const bool history = (cacheEntryType & URLHISTORY_CACHE_ENTRY) != 0;
    switch (kind) {
    case ContentEntry: return !cookie && !history;
    case CookieEntry: return cookie;
    case HistoryEntry: return history;
    default: return false;
    }
}
