// framework/View.cpp
#include "View.h"
#include "Document.h"
#include "FrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CListView, CView)

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The frame asks for a border; a view shows it as a sunken client edge.
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    if (!cs.lpszClass)
        cs.lpszClass = RegisterWndClass(nullptr);
    return TRUE;
}

BOOL CView::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, CCreateContext* pContext)
{
    if (!CreateEx(0, nullptr, nullptr, dwStyle, rect, pParent->m_hWnd, nID))
        return FALSE;
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return TRUE;
}

CFrameWnd* CView::GetParentFrame() const
{
    CWnd* pParent = FromHandlePermanent(GetParent());
    return pParent && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pParent) : nullptr;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI, bool bProbe)
{
    if (CWnd::OnCmdMsg(nID, nCode, pCmdUI, bProbe))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pCmdUI, bProbe);
}

BOOL CView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A view goes with its frame: closed alone, it would leave the frame sending commands to nothing.
    if (message == WM_CLOSE) {
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CView::PostNcDestroy()
{
    // A view owns itself; the document goes with its last view.
    if (CDocument* pDoc = m_pDocument) {
        pDoc->RemoveView(this);
        if (pDoc->GetViews().empty() && pDoc->m_bAutoDelete)
            delete pDoc;
    }
    delete this;
}

BOOL CListView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = WC_LISTVIEWA;
    return CView::PreCreateWindow(cs);
}
