// traces/ie/UrlCacheListing.cpp
#include "UrlCacheListing.h"
#include "UrlCacheWalk.h"
#include "traces/files/TimeText.h"
#include "view/Cursor.h"
#include "view/VestrelView.h"

void ListUrlCacheEntries(CVestrelView& view, CacheEntryKind kind)
{
    CUrlCacheWalk walk;
    // An empty cache leaves the cursor alone.
    if (!walk.Entry())
        return;
    ShowWaitCursor();
    do {
        const INTERNET_CACHE_ENTRY_INFOA& entry = *walk.Entry();
        CString time = FormatTimeText(entry.LastModifiedTime);
        if (IsEntryOfKind(entry.CacheEntryType, kind))
            view.AppendResultRow(entry.lpszSourceUrlName, time);
        // Every entry repaints, listed or not, so a long walk shows it is alive.
        view.RepaintResultsNow();
    } while (walk.Next());
    ShowArrowCursor();
}
