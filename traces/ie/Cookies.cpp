// traces/ie/Cookies.cpp
// The browser's cookies: the cookie entries of the URL cache, and the cookies folder when erasing.
#include "view/VestrelView.h"
#include "CacheEntryKind.h"
#include "EntriesThenFolder.h"
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
    EraseEntriesThenFolder(*this, CookieEntry, CSIDL_COOKIES, Trace::Cookie);
}
