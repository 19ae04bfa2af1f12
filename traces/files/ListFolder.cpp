// traces/files/ListFolder.cpp
// Lists every file of a folder tree as a row of path and last-write time, depth-first.
#include "view/VestrelView.h"
#include "FolderWalk.h"
#include "TimeText.h"

void CVestrelView::ListFolder(LPCSTR folder, LPCSTR skipSubfolder)
{
    FolderEntries entries(folder);
    while (entries.Next()) {
        CString path;
        if (!JoinPath(folder, entries.Name(), path))
            continue;
        if (entries.IsFolder()) {
            if (skipSubfolder && SameName(entries.Name(), skipSubfolder))
                continue;
            // A link to a folder is shown as itself, as the eraser removes it, and never entered.
            if (!entries.IsLink()) {
                ListFolder(path, "");
                continue;
            }
        }
        AppendResultRow(path, FormatTimeText(entries.LastWriteTime()));
        RepaintResultsNow();
    }
}
