// traces/ie/PurgeUrlCache.cpp
#include "view/VestrelView.h"
#include "CacheEntryKind.h"
#include "UrlCacheWalk.h"

int CVestrelView::PurgeUrlCache(int kind, EraseOutcome& outcome)
{
    CUrlCacheWalk walk;
    if (!walk.Entry())
        return 0;
    do {
        const INTERNET_CACHE_ENTRY_INFOA& entry = *walk.Entry();
        if (!IsEntryOfKind(entry.CacheEntryType, kind))
            continue;
        // An entry someone else removed meanwhile is gone all the same; one in use stays, and is counted.
        if (!::DeleteUrlCacheEntryA(entry.lpszSourceUrlName) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
            outcome.Failed();
    } while (walk.Next());
    return 1;
}
