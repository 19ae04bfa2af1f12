// framework/Wnd.cpp
#include "Wnd.h"
#include "WinApp.h"
#include "AfxRes.h"
#include "RunningCommand.h"
#include <new>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

// Window objects by handle; the user-interface thread is the only one that touches it.
std::unordered_map<HWND, CWnd*>& WindowMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateEx is making: attached at the first message of the new window.
CWnd* s_pWndInit = nullptr;
HHOOK s_hHookCreate = nullptr;

// The message being handled, for Default(); kept here, not in the window object, which the message
// may destroy (a close deletes the frame).
struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; } s_currentMessage {};

LRESULT CALLBACK CreateHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_pWndInit) {
        CWnd* pWnd = s_pWndInit;
        s_pWndInit = nullptr;
        try {
            pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        }
        // A window that cannot be tied to its object is not made at all.
        catch (...) {
            return 1;
        }
    }
    return ::CallNextHookEx(s_hHookCreate, nCode, wParam, lParam);
}

}

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = WindowMap().find(hWnd);
    return it == WindowMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    WindowMap()[hWnd] = this;
}

void CWnd::Detach()
{
    WindowMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

LPCSTR CWnd::RegisterWndClass(HICON hIcon)
{
    // One class per icon: the frame's icon is a class property.
    static char name[64];
    wsprintfA(name, "AfxWnd:%p", static_cast<void*>(hIcon));
    WNDCLASSA wc = {};
    HINSTANCE hInstance = AfxGetResourceHandle();
    if (!::GetClassInfoA(hInstance, name, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hIcon = hIcon;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, HWND hWndParent, UINT_PTR nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    // A rectangle that starts at CW_USEDEFAULT leaves the size to the system too.
    bool byDefault = rect.left == static_cast<LONG>(CW_USEDEFAULT);
    cs.cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = hWndParent;
    cs.hMenu = reinterpret_cast<HMENU>(nIDorHMenu);
    cs.hInstance = AfxGetResourceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;

    // Windows created while this one is being made (a frame's bars and view) nest their own hooks.
    CWnd* pOuterInit = s_pWndInit;
    HHOOK hOuterHook = s_hHookCreate;
    s_pWndInit = this;
    s_hHookCreate = ::SetWindowsHookExA(WH_CBT, CreateHook, nullptr, ::GetCurrentThreadId());
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    ::UnhookWindowsHookEx(s_hHookCreate);
    s_hHookCreate = hOuterHook;
    s_pWndInit = pOuterInit;
    return hWnd != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    Attach(hWnd);
    WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old != AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

CString CWnd::GetWindowText() const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    std::string text(n + 1, '\0');
    n = ::GetWindowTextA(m_hWnd, &text[0], n + 1);
    return CString(text.c_str(), n);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, newStyle);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::CenterWindow(HWND hWndAlternateOwner)
{
    HWND hOwner = hWndAlternateOwner ? hWndAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area, rect;
    if (hOwner) {
        ::GetWindowRect(hOwner, &area);
    } else {
        HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO mi = { sizeof mi, {}, {}, 0 };
        ::GetMonitorInfoA(monitor, &mi);
        area = mi.rcWork;
    }
    GetWindowRect(&rect);
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    int x = area.left + ((area.right - area.left) - cx) / 2;
    int y = area.top + ((area.bottom - area.top) - cy) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (CRunningCommand::Defers(*pWnd, message, wParam, lParam))
        return 0;
    if (CRunningCommand::ShowsCursor(*pWnd, message, lParam))
        return TRUE;
    CRunningCommand command(*pWnd, message);
    const CurrentMessage saved = s_currentMessage;
    s_currentMessage = { message, wParam, lParam };
    LRESULT result;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (...) {
        result = ProcessWndProcException(hWnd, message);
    }
    s_currentMessage = saved;
    if (message == WM_NCDESTROY) {
        pWnd->Detach();
        pWnd->m_pfnSuper = nullptr;
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::ProcessWndProcException(HWND hWnd, UINT message)
{
    UINT nIDPrompt = AFX_IDP_INTERNAL_FAILURE;
    try {
        throw;
    }
    catch (const std::bad_alloc&) {
        nIDPrompt = AFX_IDP_FAILED_MEMORY_ALLOC;
    }
    catch (...) {
    }
    // A paint left pending would fail again at once, box after box.
    if (message == WM_PAINT)
        ::ValidateRect(hWnd, nullptr);
    // Loaded without allocating: memory may be what ran out.
    char text[256] = {};
    ::LoadStringA(AfxGetResourceHandle(), nIDPrompt, text, sizeof text);
    AfxMessageBox(text, MB_ICONSTOP);
    // A window whose creation failed is not made.
    return message == WM_CREATE ? -1 : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(s_currentMessage.message, s_currentMessage.wParam, s_currentMessage.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT nID = LOWORD(wParam);
    // A command disabled by the time it comes (a click that waited for another command) does nothing,
    // as its greyed item would.
    CCmdUI state;
    state.m_nID = nID;
    if (OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state) && state.Disabled())
        return TRUE;
    return OnCmdMsg(nID, CN_COMMAND, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (lParam) {
            // A control's notification goes to the control first, then is a command like any other.
            CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
            if (pChild && pChild->OnWndMsg(WM_REFLECT_BASE + WM_COMMAND, wParam, lParam, pResult))
                return TRUE;
            if (HIWORD(wParam) != BN_CLICKED)
                return FALSE;
        }
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild && pChild != this
            && pChild->OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, pResult)
            && *pResult)
            return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    return entry ? DispatchEntry(entry, wParam, lParam, pResult) : FALSE;
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AfxMsgHandler& fn = pEntry->pfn;
    switch (pEntry->nSig) {
    case AfxSig_is:
        *pResult = (this->*fn.pfn_is)(reinterpret_cast<LPCREATESTRUCT>(lParam));
        return TRUE;
    case AfxSig_lwl:
        *pResult = (this->*fn.pfn_lwl)(wParam, lParam);
        return TRUE;
    case AfxSig_l_p:
        *pResult = (this->*fn.pfn_l_p)(CPoint(lParam));
        return TRUE;
    case AfxSig_v_u_p:
        (this->*fn.pfn_v_u_p)(static_cast<UINT>(wParam), CPoint(lParam));
        *pResult = 0;
        return TRUE;
    case AfxSig_b_W_uu:
        *pResult = (this->*fn.pfn_b_W_uu)(FromHandlePermanent(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case AfxSig_hbr_h_u:
        *pResult = reinterpret_cast<LRESULT>((this->*fn.pfn_hbr_h_u)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}
