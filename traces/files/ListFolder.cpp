// traces/files/ListFolder.cpp
// Lists every file of a folder tree however deep, as a row of path and last-write time, depth-first.
#include "view/VestrelView.h"
#include "FolderWalk.h"
#include "TimeText.h"

namespace {

void ListTree(CVestrelView& view, const Folder& folder, LPCSTR skipSubfolder)
{
    FolderEntries entries(folder);
    while (entries.Next()) {
        if (entries.IsFolder()) {
            if (skipSubfolder && SameName(entries.RowName(), skipSubfolder))
                continue;
            // A link to a folder is shown as itself, as the eraser removes it, and never entered.
            if (!entries.IsLink()) {
                ListTree(view, Folder(folder, entries.Name(), entries.RowName(), Folder::LetBe), "");
                continue;
            }
        }
        view.AppendResultRow(JoinPath(folder.Path(), entries.RowName()), FormatTimeText(entries.LastWriteTime()));
        view.RepaintResultsNow();
    }
    // So is a folder that could not be read whole, for what in it could not be seen.
    if (!entries.ReadWhole()) {
        view.AppendResultRow(folder.Path());
        view.RepaintResultsNow();
    }
}

}

void CVestrelView::ListFolder(LPCSTR folder, LPCSTR skipSubfolder)
{
    ListTree(*this, Folder(folder), skipSubfolder);
}
