// app/MainFrame.cpp
#include "MainFrame.h"
#include "framework/WinApp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

const UINT s_indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };

}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The caption is the application's title alone, never a document's name.
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_wndToolBar.SetBorders(5, 3, 3, 3);
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                             AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.ModifyStyle(0, TBSTYLE_FLAT);

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar.SetIndicators(s_indicators, static_cast<int>(std::size(s_indicators))))
        return -1;

    // Without all three true-colour lists the toolbar keeps its own 16-colour images.
    CBitmap bitmap;
    if (!LoadImageList(m_imageListNormal, bitmap, IDB_TOOLBAR_NORMAL)
        || !LoadImageList(m_imageListDisabled, bitmap, IDB_TOOLBAR_DISABLED)
        || !LoadImageList(m_imageListHot, bitmap, IDB_TOOLBAR_HOT))
        return 0;

    m_wndToolBar.SetImageList(m_imageListNormal);
    m_wndToolBar.SetDisabledImageList(m_imageListDisabled);
    m_wndToolBar.SetHotImageList(m_imageListHot);
    return 0;
}

bool CMainFrame::LoadImageList(CImageList& list, CBitmap& bitmap, UINT nIDBitmap)
{
    bool made = false;
    BITMAP bm = {};
    if (bitmap.Attach(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDBitmap), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION | LR_DEFAULTSIZE))
        && bitmap.GetBitmap(&bm) && bm.bmBits) {
        // The first stored pixel, blue-green-red, is the colour drawn transparent.
        const BYTE* pixel = static_cast<const BYTE*>(bm.bmBits);
        COLORREF mask = RGB(pixel[2], pixel[1], pixel[0]);
        made = list.Create(48, 48, ILC_COLOR24 | ILC_MASK, 0, 0) && list.Add(&bitmap, mask) != -1;
    }
    bitmap.DeleteObject();
    return made;
}
