// traces/files/TempFiles.cpp
// "System": the Windows temporary folder and the user's, a "Cookies" folder directly inside left out
// of the listing but erased with the rest.
#include "view/VestrelView.h"
#include "view/Cursor.h"

namespace {

// Skipped, not cut short, when the Windows directory does not fit its buffer or the folder is missing.
bool FindWindowsTemp(CString& folder)
{
    char windows[100] = {};
    UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    CString path;
    path.Format("%s\\%s", windows, "Temp");
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return false;
    folder = path;
    return true;
}

// Without the backslash that GetTempPathA puts at its end.
bool FindUserTemp(CString& folder)
{
    char temp[MAX_PATH] = {};
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return false;
    folder = temp;
    int cut = folder.ReverseFind('\\');
    if (cut >= 0)
        folder = folder.Left(cut);
    return true;
}

}

void CVestrelView::OnAnalyzeSystem()
{
    ClearResults();
    CString windowsTemp;
    if (FindWindowsTemp(windowsTemp)) {
        ShowWaitCursor();
        ListFolder(windowsTemp, "Cookies");
        ShowArrowCursor();
    }
    RecordCategory(Trace::System);
    CString userTemp;
    if (FindUserTemp(userTemp)) {
        ShowWaitCursor();
        ListFolder(userTemp, "Cookies");
        ShowArrowCursor();
    }
    ReportAnalysis(Trace::System);
}

void CVestrelView::OnDeleteSystem()
{
    EraseOutcome outcome;
    CString windowsTemp;
    if (FindWindowsTemp(windowsTemp)) {
        ShowWaitCursor();
        DeleteFolder(windowsTemp, "", TRUE, TRUE, FALSE, outcome);
        ShowArrowCursor();
    }
    CString userTemp;
    if (FindUserTemp(userTemp)) {
        ShowWaitCursor();
        DeleteFolder(userTemp, "", TRUE, TRUE, FALSE, outcome);
        ShowArrowCursor();
    }
    ClearResults();
    ReportCleaned(Trace::System, outcome);
}
