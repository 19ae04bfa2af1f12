// view/Results.cpp
// The row operations through which every finder fills the list.
#include "VestrelView.h"

void CVestrelView::ClearResults()
{
    if (GetRowCount() != 0)
        GetListCtrl().DeleteAllItems();
}

int CVestrelView::AppendResultRow(LPCSTR path)
{
    return GetListCtrl().InsertItem(LVIF_TEXT, GetRowCount(), path, 0, 0, 0, 0);
}

int CVestrelView::AppendResultRow(LPCSTR path, LPCSTR time)
{
    int row = GetRowCount();
    CListCtrl list = GetListCtrl();
    list.InsertItem(LVIF_TEXT, row, path, 0, 0, 0, 0);
    list.SetItem(row, 1, LVIF_TEXT, time, 0, 0, 0, 0);
    return row;
}

void CVestrelView::RepaintResultsNow()
{
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW);
}
