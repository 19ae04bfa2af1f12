// framework/FrameWnd.h
// The main frame: caption, menu, icon, its control bars and the view that fills the rest.
#pragma once
#include "Wnd.h"
#include "AfxRes.h"

class CView;
class CDocument;
struct CCreateContext;
class CControlBar;

// Frame style: the caption shows the document's title before the application's.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CCreateContext* pContext);
    CView* GetActiveView() const { return m_pViewActive; }
    CDocument* GetActiveDocument() const;
    void InitialUpdateFrame(CDocument* pDoc);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void RecalcLayout();
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    // While refused, a logoff or shutdown is answered no, and Windows (Vista and later) shows the
    // reason beside the program's name.
    void RefuseSessionEnd(LPCSTR lpszReason);
    void AllowSessionEnd();
    CControlBar* GetControlBar(UINT nID) const;
    void ShowControlBar(CControlBar* pBar, BOOL bShow);

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI, bool bProbe = false) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override { delete this; }

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnToolBarCheck() { ToggleBar(ID_VIEW_TOOLBAR); }
    void OnStatusBarCheck() { ToggleBar(ID_VIEW_STATUS_BAR); }

    DECLARE_MESSAGE_MAP()

private:
    void ToggleBar(UINT nID);
    void UpdateMenuPopup(HMENU hMenu);
    // The prompt of a command's string, or the idle text for AFX_IDS_IDLEMESSAGE, or nothing for 0.
    void ShowPrompt(UINT nID);
    CView* CreateView(CCreateContext* pContext, UINT nID);

    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    bool m_bSessionEndRefused = false;
};
