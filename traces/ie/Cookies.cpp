// traces/ie/Cookies.cpp
// The browser's cookies: the cookie entries of the URL cache, and the cookies folder when erasing.
#include "view/VestrelView.h"
#include "view/Cursor.h"
#include "traces/files/SpecialFolders.h"
#include "CacheEntryKind.h"
#include "UrlCacheListing.h"
#include <shlobj.h>

void CVestrelView::OnAnalyzeCookie()
{
    RecordCategory(Trace::Cookie);
    ClearResults();
    ListUrlCacheEntries(*this, CookieEntry);
    ReportAnalysis(Trace::Cookie);
}

// The folder goes too, although the analysis lists only the cache entries.
void CVestrelView::OnDeleteCookie()
{
    EraseOutcome outcome;
    ShowWaitCursor();
    PurgeUrlCache(CookieEntry, outcome);
    CString folder;
    if (FindSpecialFolder(CSIDL_COOKIES, folder))
        DeleteFolder(folder, "", TRUE, TRUE, FALSE, outcome);
    ShowArrowCursor();
    ClearResults();
    ReportCleaned(Trace::Cookie, outcome);
}
