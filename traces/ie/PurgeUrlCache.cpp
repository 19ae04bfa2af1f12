// traces/ie/PurgeUrlCache.cpp
#include "PurgeUrlCache.h"
#include "UrlCacheWalk.h"

int PurgeUrlCacheEntries(int kind, EraseOutcome& outcome)
{
    CUrlCacheWalk walk;
    const bool hadEntry = walk.Entry() != nullptr;
    for (bool more = hadEntry; more; more = walk.Next()) {
        const INTERNET_CACHE_ENTRY_INFOA& entry = *walk.Entry();
        if (IsEntryOfKind(entry.CacheEntryType, kind)) {
            // An entry someone else removed meanwhile is gone all the same; one in use stays, and is counted.
            const bool deleted = ::DeleteUrlCacheEntryA(entry.lpszSourceUrlName) != FALSE;
            outcome.Count(deleted, ::GetLastError());
        }
        outcome.ItemPassed();
    }
    // What lay beyond an entry that could not be fetched was neither seen nor erased.
    if (!walk.Complete())
        outcome.Failed();
    return hadEntry ? 1 : 0;
}
