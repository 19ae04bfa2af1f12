// framework/Wnd.h
// A window object: one HWND, its message map, and the window procedure that serves both.
#pragma once
#include "CmdTarget.h"
#include "String.h"

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The window object of a handle, if this process made one for it.
    static CWnd* FromHandlePermanent(HWND hWnd);

    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, HWND hWndParent, UINT_PTR nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    BOOL DestroyWindow();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, msg, wParam, lParam); }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, msg, wParam, lParam); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    BOOL RedrawWindow(const RECT* lpRect, HRGN hRgn, UINT flags) { return ::RedrawWindow(m_hWnd, lpRect, hRgn, flags); }
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void SetWindowText(LPCSTR psz) { ::SetWindowTextA(m_hWnd, psz); }
    CString GetWindowText() const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK) { return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType); }
    void CenterWindow(HWND hWndAlternateOwner = nullptr);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();

    // Runs after the window is gone; windows that own themselves delete themselves here.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Called in a catch block of a window procedure: ends the message and tells the user it was stopped,
    // so that nothing unwinds into the system's code that called the procedure.
    static LRESULT ProcessWndProcException(HWND hWnd, UINT message);
    // The class name under which the framework's own windows are registered.
    static LPCSTR RegisterWndClass(HICON hIcon);

protected:
    BOOL DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    WNDPROC m_pfnSuper = nullptr;

private:
    void Attach(HWND hWnd);
    void Detach();
};
