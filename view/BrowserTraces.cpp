// view/BrowserTraces.cpp
// The browser's cache, history and cookies: what each lists and erases, in which order, under which cursor.
#include "VestrelView.h"
#include "Cursor.h"
#include "traces/files/SpecialFolders.h"
#include "traces/ie/PurgeUrlCache.h"
#include "traces/ie/UrlCacheListing.h"
#include "traces/ie/WindowsHistoryFolder.h"
#include <shlobj.h>

// The files of the cache folder, then the content entries of the URL cache.
void CVestrelView::FindCache()
{
    ListFolderShowingWait(SpecialFolder(CSIDL_INTERNET_CACHE), "");
    ListUrlCacheEntries(ContentEntry);
}

// The History folder of the Windows directory, the user's History folder, under one wait cursor whether
// or not they are found; then the history entries of the URL cache.
void CVestrelView::FindHistory()
{
    ShowWaitCursor();
    ListFolder(WindowsHistoryFolder(), "");
    ListFolder(SpecialFolder(CSIDL_HISTORY), "");
    ShowArrowCursor();
    ListUrlCacheEntries(HistoryEntry);
}

// The cookie entries of the URL cache alone.
void CVestrelView::FindCookies()
{
    ListUrlCacheEntries(CookieEntry);
}

// Under the wait cursor: the content entries, then the cache folder.
bool CVestrelView::OnDeleteCache(EraseOutcome& outcome)
{
    ShowWaitCursor();
    PurgeUrlCache(ContentEntry, outcome);
    DeleteFolder(SpecialFolder(CSIDL_INTERNET_CACHE), "", TRUE, TRUE, FALSE, outcome);
    ShowArrowCursor();
    return true;
}

// The cursor stays as it is throughout. The Windows directory's History folder keeps its index.dat
// files unwritten as they go.
bool CVestrelView::OnDeleteHistory(EraseOutcome& outcome)
{
    DeleteFolder(WindowsHistoryFolder(), nullptr, TRUE, FALSE, FALSE, outcome);
    PurgeUrlCache(HistoryEntry, outcome);
    DeleteFolder(SpecialFolder(CSIDL_HISTORY), "", TRUE, TRUE, FALSE, outcome);
    return true;
}

// Under the wait cursor: the cookie entries, then the cookies folder, although the analysis lists only the
// entries.
bool CVestrelView::OnDeleteCookie(EraseOutcome& outcome)
{
    ShowWaitCursor();
    PurgeUrlCache(CookieEntry, outcome);
    DeleteFolder(SpecialFolder(CSIDL_COOKIES), "", TRUE, TRUE, FALSE, outcome);
    ShowArrowCursor();
    return true;
}

int CVestrelView::PurgeUrlCache(int kind, EraseOutcome& outcome)
{
    return PurgeUrlCacheEntries(kind, outcome);
}

void CVestrelView::ListUrlCacheEntries(CacheEntryKind kind)
{
    CUrlCacheWalk walk;
    // An empty cache leaves the cursor alone.
    if (!walk.Entry())
        return;
    ShowWaitCursor();
    ::ListUrlCacheEntries(*this, walk, kind);
    ShowArrowCursor();
}
