// view/Results.cpp
// The row operations through which every finder fills the list.
#include "VestrelView.h"
#include "framework/WinApp.h"
#include <climits>

namespace {

// Wine's list looks every deleted row up among all the others: emptying 20,000 rows at once takes
// 0.1 s, 100,000 rows 2 s, and the program would not answer meanwhile. Longer lists go a row at a
// time from the end, where taking one moves no other, with the system answered as often as during a
// clean.
const int kClearedAtOnce = 5000;

}

void CVestrelView::ClearResults()
{
    int rows = GetRowCount();
    CListCtrl list = GetListCtrl();
    if (rows <= kClearedAtOnce) {
        if (rows != 0)
            list.DeleteAllItems();
        return;
    }
    // Drawing a walk holds stays held for the walk to resume.
    const bool held = m_paintPacer.Filling();
    if (!held)
        list.SetRedraw(FALSE);
    // A clean that ends here last answered up to a pace ago.
    AfxPumpMessages();
    DWORD lastAnswer = ::GetTickCount();
    while (rows > 0) {
        list.DeleteItem(--rows);
        if (::GetTickCount() - lastAnswer >= CCleanProgress::kPace) {
            AfxPumpMessages();
            lastAnswer = ::GetTickCount();
        }
    }
    if (!held)
        list.SetRedraw(TRUE);
    // Nor does a report box that follows wait on the last rows.
    AfxPumpMessages();
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

// The list puts an item asked for past its end at its end, and says where: one message a row fewer
// than asking for the count first.
const int kAtTheEnd = INT_MAX;

}

int CVestrelView::AppendResultRow(LPCSTR path)
{
    CListCtrl list = GetListCtrl();
    HoldDrawing(list, m_paintPacer);
    return list.InsertItem(LVIF_TEXT, kAtTheEnd, path, 0, 0, 0, 0);
}

int CVestrelView::AppendResultRow(LPCSTR path, LPCSTR time)
{
    CListCtrl list = GetListCtrl();
    HoldDrawing(list, m_paintPacer);
    int row = list.InsertItem(LVIF_TEXT, kAtTheEnd, path, 0, 0, 0, 0);
    list.SetItem(row, 1, LVIF_TEXT, time, 0, 0, 0, 0);
    return row;
}

namespace {

// As its drawing resumes the list sets both scroll bars twice over, each time drawn at once (about
// 20 ms under Wine). Hidden from the window manager meanwhile, it sets them and draws nothing; what the
// rows changed is then drawn once.
void ResumeDrawingUnseen(CListCtrl& list)
{
    ::DefWindowProcA(list, WM_SETREDRAW, FALSE, 0);
    list.SetRedraw(TRUE);
    ::DefWindowProcA(list, WM_SETREDRAW, TRUE, 0);
}

// Insertions made while drawing was held invalidated nothing; the header does not change.
void PaintWholeList(CWnd& list)
{
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
}

// Rows appended below a full page change nothing in sight but the vertical scroll bar.
void PaintVerticalScrollBar(CWnd& list)
{
    RECT client;
    list.GetClientRect(&client);
    RECT bar = { client.right, client.top, client.right + ::GetSystemMetrics(SM_CXVSCROLL), client.bottom };
    list.RedrawWindow(&bar, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN);
}

}

// Called after each row of a walk; paints at display pace what the new rows changed, and holds drawing
// in between.
void CVestrelView::RepaintResultsNow()
{
    if (!m_paintPacer.RowAdded())
        return;
    CListCtrl list = GetListCtrl();
    bool rowsInSight = m_paintPacer.RowsPainted() <= list.GetTopIndex() + list.GetCountPerPage();
    ResumeDrawingUnseen(list);
    if (rowsInSight || m_paintPacer.IsDamaged())
        PaintWholeList(*this);
    else
        PaintVerticalScrollBar(*this);
    list.SetRedraw(FALSE);
    m_paintPacer.Painted(GetRowCount());
    // The walk goes on at once: the system and the rest of the window get their turn now.
    AfxPumpMessages();
}

// The list draws nothing while a walk holds its drawing: what the system asks it to paint meanwhile is
// drawn whole at the walk's next paint.
LRESULT CVestrelView::OnPaint(WPARAM, LPARAM)
{
    if (m_paintPacer.Filling())
        m_paintPacer.Damaged();
    return Default();
}

// Ends a walk's fill: drawing on again and the last rows painted.
void CVestrelView::ShowAllResults()
{
    if (!m_paintPacer.Filling())
        return;
    CListCtrl list = GetListCtrl();
    ResumeDrawingUnseen(list);
    PaintWholeList(*this);
    m_paintPacer.Finish();
}
