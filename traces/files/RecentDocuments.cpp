// traces/files/RecentDocuments.cpp
// "Document": the shortcuts of the Recent folder, and the Explorer key that remembers the same documents.
#include "view/VestrelView.h"
#include "view/Cursor.h"
#include "SpecialFolders.h"
#include <shlobj.h>
#include <shlwapi.h>

void CVestrelView::OnAnalyzeDocument()
{
    RecordCategory(Trace::Document);
    ClearResults();
    CString recent;
    if (FindSpecialFolder(CSIDL_RECENT, recent)) {
        ShowWaitCursor();
        ListFolder(recent, "");
        ShowArrowCursor();
    }
    ReportAnalysis(Trace::Document);
}

void CVestrelView::OnDeleteDocument()
{
    EraseOutcome outcome;
    CString recent;
    if (FindSpecialFolder(CSIDL_RECENT, recent)) {
        ShowWaitCursor();
        DeleteFolder(recent, "", TRUE, TRUE, FALSE, outcome);
        ShowArrowCursor();
    }
    // The key goes even when the folder is missing or empty; a key that is already gone is no failure.
    LSTATUS status = ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs");
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        outcome.Failed();
    ClearResults();
    ReportCleaned(Trace::Document, outcome);
}
