// framework/View.h
// Views: a child window of the frame that shows a document; the list view is a view that is a list control.
#pragma once
#include "Wnd.h"
#include "ListCtrl.h"

class CDocument;
class CFrameWnd;
struct CCreateContext;

// Styles of a view as the frame creates it; the border becomes a sunken client edge.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }
    // The frame the view sits in, or null.
    CFrameWnd* GetParentFrame() const;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, CCreateContext* pContext);
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI, bool bProbe = false) override;
    virtual void OnInitialUpdate() { Invalidate(); }

protected:
    friend class CDocument;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    virtual void OnDraw(HDC hdc) = 0;
    void PostNcDestroy() override;
    CDocument* m_pDocument = nullptr;
};

class CListView : public CView
{
    DECLARE_DYNAMIC(CListView)
public:
    CListCtrl GetListCtrl() const { return CListCtrl(m_hWnd); }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
