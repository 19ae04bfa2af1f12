// traces/ie/EntriesThenFolder.cpp
#include "EntriesThenFolder.h"
#include "view/VestrelView.h"
#include "view/Cursor.h"
#include "traces/files/SpecialFolders.h"

void EraseEntriesThenFolder(CVestrelView& view, CacheEntryKind kind, int csidlFolder, Trace trace)
{
    EraseOutcome outcome;
    ShowWaitCursor();
    view.PurgeUrlCache(kind, outcome);
    CString folder;
    if (FindSpecialFolder(csidlFolder, folder))
        view.DeleteFolder(folder, "", TRUE, TRUE, FALSE, outcome);
    ShowArrowCursor();
    view.ClearResults();
    view.ReportCleaned(trace, outcome);
}
