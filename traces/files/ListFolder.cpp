// traces/files/ListFolder.cpp
// Lists every file of a folder tree however deep, as a row of path and last-write time, depth-first.
#include "ListFolder.h"
#include "FolderWalk.h"
#include "TimeText.h"

namespace {

void ListTree(RowSink& rows, const Folder& folder, LPCSTR skipSubfolder)
{
    FolderEntries entries(folder);
    while (entries.Next()) {
        if (entries.IsFolder()) {
            if (skipSubfolder && SameName(entries.RowName(), skipSubfolder))
                continue;
            // A link to a folder is shown as itself, as the eraser removes it, and never entered.
            if (!entries.IsLink()) {
                ListTree(rows, Folder(folder, entries.Name(), entries.RowName(), Folder::LetBe), "");
                continue;
            }
        }
        rows.AppendResultRow(JoinPath(folder.Path(), entries.RowName()), FormatTimeText(entries.LastWriteTime()));
        rows.RepaintResultsNow();
    }
    // So is a folder that could not be read whole, for what in it could not be seen.
    if (!entries.ReadWhole()) {
        rows.AppendResultRow(folder.Path());
        rows.RepaintResultsNow();
    }
}

}

void ListFolderTree(RowSink& rows, LPCSTR folder, LPCSTR skipSubfolder)
{
    ListTree(rows, Folder(folder), skipSubfolder);
}
