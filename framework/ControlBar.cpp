// framework/ControlBar.cpp
#include "ControlBar.h"
#include "FrameWnd.h"
#include "WinApp.h"
#include "AfxRes.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BOOL CControlBar::CreateBar(LPCSTR lpszClass, DWORD dwCtrlStyle, CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle;
    RECT rect = {};
    return CreateEx(0, lpszClass, nullptr, windowStyle, rect, pParent->m_hWnd, nID);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    DWORD ctrlStyle = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | ((dwStyle & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0);
    if (!CreateBar(TOOLBARCLASSNAMEA, ctrlStyle, pParentWnd, dwStyle, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // The borders live in the non-client area: make the control measure itself again.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    // A toolbar resource: version, image width and height, item count, then one command id per item (0: separator).
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(241));
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    const WORD* data = hGlobal ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    if (!data || data[0] != 1)
        return FALSE;
    int cx = data[1], cy = data[2], count = data[3];
    const WORD* ids = data + 4;

    if (!m_bitmap.Attach(::LoadImageA(hInst, MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)))
        return FALSE;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(cx + 7, cy + 7));
    int images = 0;
    for (int i = 0; i < count; ++i)
        images += ids[i] != 0;
    TBADDBITMAP addBitmap = { nullptr, reinterpret_cast<UINT_PTR>(static_cast<HBITMAP>(m_bitmap)) };
    if (SendMessage(TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&addBitmap)) == -1)
        return FALSE;

    std::vector<TBBUTTON> buttons(count);
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON& b = buttons[i];
        b = {};
        if (ids[i] == 0) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 8;
        } else {
            b.iBitmap = image++;
            b.idCommand = ids[i];
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons.data())));
}

int CToolBar::CalcHeight() const
{
    return HIWORD(SendMessage(TB_GETBUTTONSIZE)) + m_cyTopBorder + m_cyBottomBorder;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        CCmdUI state;
        state.m_nID = button.idCommand;
        state.m_nIndex = i;
        state.m_hToolBar = m_hWnd;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

BOOL CToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* rect = reinterpret_cast<RECT*>(lParam);
        rect->left += m_cxLeftBorder + GripperWidth();
        rect->top += m_cyTopBorder;
        rect->right -= m_cxRightBorder;
        rect->bottom -= m_cyBottomBorder;
        *pResult = 0;
        return TRUE;
    }
    case WM_NCPAINT:
        PaintNonClient();
        *pResult = 0;
        return TRUE;
    case WM_NCHITTEST:
        *pResult = HTCLIENT;    // the gripper does not drag: the bar cannot be torn off
        return TRUE;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

void CToolBar::PaintNonClient()
{
    RECT window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    ::OffsetRect(&window, -window.left, -window.top);

    HDC hdc = ::GetWindowDC(m_hWnd);
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    ::FillRect(hdc, &window, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_dwStyle & CBRS_GRIPPER) {
        RECT grip = { m_cxLeftBorder - 2, window.top + m_cyTopBorder + 1, m_cxLeftBorder + 1, window.bottom - m_cyBottomBorder - 1 };
        ::DrawEdge(hdc, &grip, BDR_RAISEDINNER, BF_RECT);
        ::OffsetRect(&grip, 4, 0);
        ::DrawEdge(hdc, &grip, BDR_RAISEDINNER, BF_RECT);
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        RECT line = window;
        line.top = line.bottom - 2;
        ::DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
    }
    ::ReleaseDC(m_hWnd, hdc);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // Not CCS_NORESIZE: the control keeps its own height for its font; the frame places it.
    return CreateBar(STATUSCLASSNAMEA, SBARS_SIZEGRIP | CCS_NOPARENTALIGN, pParentWnd, dwStyle, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(hdc, GetFont());
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane = { lpIDArray[i], CString(), 0 };
        if (pane.nID != ID_SEPARATOR) {
            CString text;
            if (!text.LoadString(pane.nID)) {
                ::SelectObject(hdc, old);
                ::ReleaseDC(m_hWnd, hdc);
                return FALSE;
            }
            SIZE size = {};
            ::GetTextExtentPoint32A(hdc, text, text.GetLength(), &size);
            pane.cxText = size.cx;
        }
        m_panes.push_back(pane);
    }
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    LayoutPanes();
    if (!m_panes.empty() && m_panes[0].nID == ID_SEPARATOR) {
        CString idle;
        idle.LoadString(AFX_IDS_IDLEMESSAGE);
        SetPaneText(0, idle);
    }
    return TRUE;
}

void CStatusBar::LayoutPanes()
{
    // The first pane stretches; the indicators keep the width of their own text.
    RECT client;
    GetClientRect(&client);
    int x = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> edges(m_panes.size(), -1);
    for (size_t i = m_panes.size(); i-- > 1;) {
        x -= m_panes[i].cxText + 12;
        edges[i - 1] = x;
    }
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < m_panes.size(); ++i)
        SendMessage(SB_SETTEXTA, i | (i == 0 ? SBT_NOBORDERS : 0), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_panes[i].text)));
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return FALSE;
    if (m_panes[nIndex].text == lpszNewText)
        return TRUE;
    m_panes[nIndex].text = lpszNewText;
    return static_cast<BOOL>(SendMessage(SB_SETTEXTA, nIndex | (nIndex == 0 ? SBT_NOBORDERS : 0), reinterpret_cast<LPARAM>(lpszNewText)));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()) ? m_panes[nIndex].text : CString();
}

int CStatusBar::CalcHeight() const
{
    SendMessage(WM_SIZE);
    RECT rect;
    GetWindowRect(&rect);
    return rect.bottom - rect.top;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The keyboard indicators show their text while their lock is on.
    for (size_t i = 0; i < m_panes.size(); ++i) {
        int key = m_panes[i].nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                : m_panes[i].nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                : m_panes[i].nID == ID_INDICATOR_SCRL ? VK_SCROLL : 0;
        if (!key)
            continue;
        CString text;
        if (::GetKeyState(key) & 1)
            text.LoadString(m_panes[i].nID);
        SetPaneText(static_cast<int>(i), text);
    }
}

BOOL CStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SIZE) {
        *pResult = Default();
        LayoutPanes();
        return TRUE;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
