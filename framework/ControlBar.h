// framework/ControlBar.h
// Control bars of a frame: the toolbar at the top and the status bar at the bottom.
#pragma once
#include "Wnd.h"
#include "Gdi.h"
#include <commctrl.h>
#include <vector>

class CFrameWnd;

// Bar styles, kept by the bar object rather than in the window's style.
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ALL            0x0040FFFFL

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
    { m_cxLeftBorder = cxLeft; m_cyTopBorder = cyTop; m_cxRightBorder = cxRight; m_cyBottomBorder = cyBottom; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Shown by the user's choice, even while the frame itself is still hidden.
    BOOL IsShown() const { return (GetStyle() & WS_VISIBLE) != 0; }
    // The height the frame gives the bar.
    virtual int CalcHeight() const = 0;
    // Brings the bar's command state up to date from the frame's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) = 0;

protected:
    BOOL CreateBar(LPCSTR lpszClass, DWORD dwCtrlStyle, CWnd* pParent, DWORD dwStyle, UINT nID);
    DWORD m_dwStyle = 0;
    int m_cxLeftBorder = 6, m_cyTopBorder = 1, m_cxRightBorder = 0, m_cyBottomBorder = 1;
};

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = 0xE800);
    BOOL LoadToolBar(UINT nIDResource);
    int CalcHeight() const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    HIMAGELIST SetImageList(HIMAGELIST h) { return reinterpret_cast<HIMAGELIST>(SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(h))); }
    HIMAGELIST SetDisabledImageList(HIMAGELIST h) { return reinterpret_cast<HIMAGELIST>(SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(h))); }
    HIMAGELIST SetHotImageList(HIMAGELIST h) { return reinterpret_cast<HIMAGELIST>(SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(h))); }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int GripperWidth() const { return (m_dwStyle & CBRS_GRIPPER) ? 8 : 0; }
    void PaintNonClient();
    CBitmap m_bitmap;   // the toolbar's own images; the control only borrows the handle
};

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = 0xE801);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText);
    CString GetPaneText(int nIndex) const;
    int CalcHeight() const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void LayoutPanes();
    struct Pane { UINT nID; CString text; int cxText; };
    std::vector<Pane> m_panes;
};
