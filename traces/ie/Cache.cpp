// traces/ie/Cache.cpp
// The browser's cache: the files of its folder and the content entries of the URL cache.
#include "view/VestrelView.h"
#include "view/Cursor.h"
#include "traces/files/SpecialFolders.h"
#include "CacheEntryKind.h"
#include "EntriesThenFolder.h"
#include "UrlCacheListing.h"
#include <shlobj.h>

void CVestrelView::OnAnalyzeCache()
{
    RecordCategory(Trace::Cache);
    ClearResults();
    CString folder;
    if (FindSpecialFolder(CSIDL_INTERNET_CACHE, folder)) {
        ShowWaitCursor();
        ListFolder(folder, "");
        ShowArrowCursor();
    }
    ListUrlCacheEntries(*this, ContentEntry);
    ReportAnalysis(Trace::Cache);
}

void CVestrelView::OnDeleteCache()
{
    EraseEntriesThenFolder(*this, ContentEntry, CSIDL_INTERNET_CACHE, Trace::Cache);
}
