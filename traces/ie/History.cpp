// traces/ie/History.cpp
// The browser's history: the History folder of the Windows directory, the user's History folder
// and the history entries of the URL cache.
#include "view/VestrelView.h"
#include "view/Cursor.h"
#include "traces/files/SpecialFolders.h"
#include "CacheEntryKind.h"
#include "UrlCacheListing.h"
#include "WindowsHistoryFolder.h"
#include <shlobj.h>

void CVestrelView::OnAnalyzeHistory()
{
    RecordCategory(Trace::History);
    ClearResults();
    CString folder;
    ShowWaitCursor();
    if (FindWindowsHistoryFolder(folder))
        ListFolder(folder, "");
    if (FindSpecialFolder(CSIDL_HISTORY, folder))
        ListFolder(folder, "");
    ShowArrowCursor();
    ListUrlCacheEntries(*this, HistoryEntry);
    ReportAnalysis(Trace::History);
}

// The cursor stays as it is throughout.
void CVestrelView::OnDeleteHistory()
{
    EraseOutcome outcome;
    CString folder;
    // Its index.dat files are deleted without the overwrite.
    if (FindWindowsHistoryFolder(folder))
        DeleteFolder(folder, nullptr, TRUE, FALSE, FALSE, outcome);
    PurgeUrlCache(HistoryEntry, outcome);
    if (FindSpecialFolder(CSIDL_HISTORY, folder))
        DeleteFolder(folder, "", TRUE, TRUE, FALSE, outcome);
    ClearResults();
    ReportCleaned(Trace::History, outcome);
}
