// app/MainFrame.h
// The main window: toolbar of 48x48 true-colour buttons, status bar, and the results view.
#pragma once
#include "framework/FrameWnd.h"
#include "framework/ControlBar.h"
#include "framework/Gdi.h"

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    ~CMainFrame() override = default;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CImageList m_imageListNormal;
    CImageList m_imageListDisabled;
    CImageList m_imageListHot;

    DECLARE_MESSAGE_MAP()

private:
    bool LoadImageList(CImageList& list, CBitmap& bitmap, UINT nIDBitmap);
};
