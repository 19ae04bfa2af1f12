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
        bool reachable = JoinPath(folder, entries.Name(), path);
        if (entries.IsFolder()) {
            if (skipSubfolder && SameName(entries.Name(), skipSubfolder))
                continue;
            // A link to a folder is shown as itself, as the eraser removes it, and never entered.
            if (reachable && !entries.IsLink()) {
                ListFolder(path, "");
                continue;
            }
        }
        // What the ANSI calls cannot reach is shown too: the erasure counts it as left behind.
        AppendResultRow(path, FormatTimeText(entries.LastWriteTime()));
        RepaintResultsNow();
    }
    // So is a folder that could not be read whole, for what in it could not be seen.
    if (!entries.ReadWhole()) {
        AppendResultRow(folder);
        RepaintResultsNow();
    }
}
