// framework/FrameWnd.cpp
#include "FrameWnd.h"
#include "ControlBar.h"
#include "Document.h"
#include "View.h"
#include "RunningCommand.h"
#include "WinApp.h"
#include <iterator>
#include <utility>

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_TOOLBAR, OnToolBarCheck)
    ON_COMMAND(ID_VIEW_STATUS_BAR, OnStatusBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CCreateContext* pContext)
{
    // The template string's first field is the window title.
    CString strings;
    strings.LoadString(nIDResource);
    int newline = strings.Find('\n');
    m_strTitle = newline < 0 ? strings : strings.Left(newline);

    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
    HMENU hMenu = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    const RECT rect = { static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0 };
    if (!CreateEx(0, RegisterWndClass(hIcon), m_strTitle, dwDefaultStyle, rect, nullptr,
                  reinterpret_cast<UINT_PTR>(hMenu), pContext)) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pNewViewClass && !CreateView(pContext, AFX_IDW_PANE_FIRST))
        return -1;
    return 0;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    auto* pView = static_cast<CView*>(pContext->m_pNewViewClass->CreateObject());
    if (!pView)
        return nullptr;
    RECT rect = {};
    if (!pView->Create(AFX_WS_DEFAULT_VIEW, rect, this, nID, pContext)) {
        delete pView;
        return nullptr;
    }
    m_pViewActive = pView;
    return pView;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc)
{
    if (pDoc)
        for (CView* pView : pDoc->GetViews())
            pView->OnInitialUpdate();
    OnUpdateFrameTitle(TRUE);
    RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDoc && !pDoc->GetTitle().IsEmpty())
        SetWindowText(pDoc->GetTitle() + " - " + m_strTitle);
    else
        SetWindowText(m_strTitle);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    CWnd* pWnd = FromHandlePermanent(::GetDlgItem(m_hWnd, nID));
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd) : nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow)
{
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::ToggleBar(UINT nID)
{
    if (CControlBar* pBar = GetControlBar(nID))
        ShowControlBar(pBar, !pBar->IsShown());
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar && pBar->IsShown());
}

void CFrameWnd::RecalcLayout()
{
    RECT client;
    GetClientRect(&client);
    if (CControlBar* pBar = GetControlBar(AFX_IDW_TOOLBAR); pBar && pBar->IsShown()) {
        int cy = pBar->CalcHeight();
        pBar->MoveWindow(client.left, client.top, client.right - client.left, cy);
        client.top += cy;
    }
    if (CControlBar* pBar = GetControlBar(AFX_IDW_STATUS_BAR); pBar && pBar->IsShown()) {
        int cy = pBar->CalcHeight();
        pBar->MoveWindow(client.left, client.bottom - cy, client.right - client.left, cy);
        client.bottom -= cy;
    }
    if (HWND hView = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(hView, client.left, client.top, client.right - client.left,
                     client.bottom > client.top ? client.bottom - client.top : 0, TRUE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    CWnd* pWnd = FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CStatusBar)))
        static_cast<CStatusBar*>(pWnd)->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    SetMessageText(text);
}

namespace {

// Looked up, not linked: the program still starts where Windows has no such call.
template <typename Function>
Function* User32Function(LPCSTR name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

}

void CFrameWnd::RefuseSessionEnd(LPCSTR lpszReason)
{
    m_bSessionEndRefused = true;
    auto* create = User32Function<BOOL WINAPI(HWND, LPCWSTR)>("ShutdownBlockReasonCreate");
    WCHAR reason[256] = {};
    if (create && ::MultiByteToWideChar(CP_ACP, 0, lpszReason, -1, reason, static_cast<int>(std::size(reason))))
        create(m_hWnd, reason);
}

void CFrameWnd::AllowSessionEnd()
{
    if (!std::exchange(m_bSessionEndRefused, false))
        return;
    if (auto* destroy = User32Function<BOOL WINAPI(HWND)>("ShutdownBlockReasonDestroy"))
        destroy(m_hWnd);
}

void CFrameWnd::ShowPrompt(UINT nID)
{
    // A running command keeps the message pane for what it has to say.
    if (CRunningCommand::IsRunning())
        return;
    // A command's string is "prompt\ntooltip": the pane shows the prompt.
    CString text;
    if (nID != 0)
        text.LoadString(nID);
    int newline = text.Find('\n');
    SetMessageText(newline < 0 ? text : text.Left(newline));
}

void CFrameWnd::UpdateMenuPopup(HMENU hMenu)
{
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        CCmdUI state;
        state.m_nID = id;
        state.m_nIndex = i;
        state.m_hMenu = hMenu;
        state.DoUpdate(this, TRUE);
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI, bool bProbe)
{
    // The active view (and through it the document) first, then the frame, then the application.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pCmdUI, bProbe))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pCmdUI, bProbe))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pCmdUI, bProbe);
}

BOOL CFrameWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    switch (hdr->code) {
    case TTN_GETDISPINFOA:
    case TTN_GETDISPINFOW: {
        // A tooltip is the text after the newline of the command's string.
        CString text;
        if (text.LoadString(static_cast<UINT>(hdr->idFrom))) {
            int newline = text.Find('\n');
            text = newline < 0 ? CString() : text.Mid(newline + 1);
        }
        if (hdr->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            lstrcpynA(info->szText, text, sizeof info->szText);
        } else {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            ::MultiByteToWideChar(CP_ACP, 0, text, -1, info->szText, sizeof info->szText / sizeof(WCHAR));
        }
        *pResult = 0;
        return TRUE;
    }
    case TBN_HOTITEMCHANGE: {
        CControlBar* pBar = GetControlBar(static_cast<UINT>(hdr->idFrom));
        if (pBar && (pBar->GetBarStyle() & CBRS_FLYBY)) {
            auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
            ShowPrompt(hot->dwFlags & HICF_LEAVING ? AFX_IDS_IDLEMESSAGE : hot->idNew);
        }
        *pResult = 0;
        return TRUE;
    }
    }
    return FALSE;
}

BOOL CFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        break;
    case WM_SETFOCUS:
        if (m_pViewActive && m_pViewActive->m_hWnd)
            ::SetFocus(m_pViewActive->m_hWnd);
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            UpdateMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT: {
        UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && !lParam)
            ShowPrompt(AFX_IDS_IDLEMESSAGE);
        else
            ShowPrompt(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU) ? 0 : LOWORD(wParam));
        *pResult = 0;
        return TRUE;
    }
    case WM_EXITMENULOOP:
        ShowPrompt(AFX_IDS_IDLEMESSAGE);
        break;
    case WM_IDLEUPDATECMDUI:
        for (UINT nID : { AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR })
            if (CControlBar* pBar = GetControlBar(nID); pBar && pBar->IsShown())
                pBar->OnUpdateCmdUI(this, static_cast<BOOL>(wParam));
        *pResult = 0;
        return TRUE;
    case WM_QUERYENDSESSION:
        *pResult = !m_bSessionEndRefused;
        return TRUE;
    case WM_DESTROY:
        if (AfxGetMainWnd() == this)
            ::PostQuitMessage(0);
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
