// view/FolderTraces.cpp
// Temporary files, recent documents and network shortcuts: what each lists and erases, in which order,
// under which cursor.
#include "VestrelView.h"
#include "Cursor.h"
#include "traces/files/DeleteFolder.h"
#include "traces/files/ListFolder.h"
#include "traces/files/SpecialFolders.h"
#include "traces/files/TempFolders.h"
#include "traces/registry/RegDeletion.h"
#include <shlobj.h>
#include <shlwapi.h>

// The Windows temporary folder, then the user's, each under the wait cursor; a "Cookies" folder directly
// inside either is left out of the list, though the clean erases it. The category is recorded between
// the two.
void CVestrelView::FindTemporaryFiles()
{
    ListFolderShowingWait(WindowsTempFolder(), "Cookies");
    RecordCategory(Trace::System);
    ListFolderShowingWait(UserTempFolder(), "Cookies");
}

// The shortcuts of the Recent folder, under the wait cursor.
void CVestrelView::FindRecentDocuments()
{
    ListFolderShowingWait(SpecialFolder(CSIDL_RECENT), "");
}

// The shortcuts of the network-neighbourhood folder; the cursor stays as it is.
void CVestrelView::FindNetworkShortcuts()
{
    ListFolder(SpecialFolder(CSIDL_NETHOOD), "");
}

bool CVestrelView::OnDeleteSystem(EraseOutcome& outcome)
{
    DeleteFolderShowingWait(WindowsTempFolder(), outcome);
    DeleteFolderShowingWait(UserTempFolder(), outcome);
    return true;
}

// The Recent folder, then the Explorer key that remembers the same documents, which goes even when the
// folder is missing or empty.
bool CVestrelView::OnDeleteDocument(EraseOutcome& outcome)
{
    DeleteFolderShowingWait(SpecialFolder(CSIDL_RECENT), outcome);
    CountDeletion(::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"),
                  outcome);
    return true;
}

// The cursor stays as it is.
bool CVestrelView::OnDeleteNet(EraseOutcome& outcome)
{
    DeleteFolder(SpecialFolder(CSIDL_NETHOOD), "", TRUE, TRUE, FALSE, outcome);
    return true;
}

void CVestrelView::ListFolder(LPCSTR folder, LPCSTR skipSubfolder)
{
    ListFolderTree(*this, folder, skipSubfolder);
}

int CVestrelView::DeleteFolder(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni,
                               BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome)
{
    return EraseFolderTree(folder, skipSubfolder, includeDesktopIni, overwriteIndexDat, spareCookieNames, outcome);
}

int CVestrelView::OverwriteFile(LPCSTR folder, LPCSTR fileName)
{
    return OverwriteIndexDat(folder, fileName);
}

void CVestrelView::ListFolderShowingWait(const CString& folder, LPCSTR skipSubfolder)
{
    if (folder.IsEmpty())
        return;
    ShowWaitCursor();
    ListFolder(folder, skipSubfolder);
    ShowArrowCursor();
}

// Every file deleted, "desktop.ini" included, every "index.dat" overwritten first, every subfolder removed.
void CVestrelView::DeleteFolderShowingWait(const CString& folder, EraseOutcome& outcome)
{
    if (folder.IsEmpty())
        return;
    ShowWaitCursor();
    DeleteFolder(folder, "", TRUE, TRUE, FALSE, outcome);
    ShowArrowCursor();
}
