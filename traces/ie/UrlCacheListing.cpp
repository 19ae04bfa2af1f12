#include "UrlCacheListing.h"
#include "traces/files/TimeText.h"

void ListUrlCacheEntries(RowSink& rows, CUrlCacheWalk& walk, CacheEntryKind kind)
{
    for (bool more = walk.Entry() != nullptr; more; more = walk.Next()) {
        const INTERNET_CACHE_ENTRY_INFOA& entry = *walk.Entry();
        if (IsEntryOfKind(entry.CacheEntryType, kind))
            rows.AppendResultRow(entry.lpszSourceUrlName, FormatTimeText(entry.LastModifiedTime));
        rows.RepaintResultsNow();
    }
}
