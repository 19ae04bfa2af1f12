// view/Results.cpp
// The row operations through which every finder fills the list.
#include "VestrelView.h"
#include "framework/WinApp.h"

void CVestrelView::ClearResults()
{
    if (GetRowCount() != 0)
        GetListCtrl().DeleteAllItems();
}

namespace {

// A row inserted into a list that draws costs a paint of its own; rows go in with drawing held, and
// RepaintResultsNow shows them at display pace, ShowAllResults at the end of the walk.
void HoldDrawing(CListCtrl& list, CPaintPacer& pacer)
{
    if (pacer.Filling())
        return;
    list.SetRedraw(FALSE);
    pacer.Hold();
}

}

int CVestrelView::AppendResultRow(LPCSTR path)
{
    CListCtrl list = GetListCtrl();
    HoldDrawing(list, m_paintPacer);
    return list.InsertItem(LVIF_TEXT, GetRowCount(), path, 0, 0, 0, 0);
}

int CVestrelView::AppendResultRow(LPCSTR path, LPCSTR time)
{
    int row = GetRowCount();
    CListCtrl list = GetListCtrl();
    HoldDrawing(list, m_paintPacer);
    list.InsertItem(LVIF_TEXT, row, path, 0, 0, 0, 0);
    list.SetItem(row, 1, LVIF_TEXT, time, 0, 0, 0, 0);
    return row;
}

namespace {

// Insertions made while drawing was held invalidated nothing. The list updates its scroll bars itself
// when drawing resumes; the header does not change.
void PaintWholeList(CWnd& list)
{
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}

// Called after each row of a walk; paints at display pace and holds drawing in between.
void CVestrelView::RepaintResultsNow()
{
    if (!m_paintPacer.RowAdded())
        return;
    CListCtrl list = GetListCtrl();
    list.SetRedraw(TRUE);
    PaintWholeList(*this);
    list.SetRedraw(FALSE);
    m_paintPacer.Painted();
    // The walk goes on at once: the system and the rest of the window get their turn now.
    AfxPumpPaintAndSent();
}

// Ends a walk's fill: drawing on again and the last rows painted.
void CVestrelView::ShowAllResults()
{
    if (!m_paintPacer.Filling())
        return;
    GetListCtrl().SetRedraw(TRUE);
    PaintWholeList(*this);
    m_paintPacer.Finish();
}
