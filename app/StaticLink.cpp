// app/StaticLink.cpp
#include "StaticLink.h"
#include <cstring>

IMPLEMENT_DYNAMIC(CStaticLink, CStatic)

BEGIN_MESSAGE_MAP(CStaticLink, CStatic)
    ON_WM_NCHITTEST()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

// The hand of the Windows Help program. A copy, because the module's own cursor goes with the module.
HCURSOR LoadLinkCursor()
{
    char path[MAX_PATH + 16] = {};
    if (!::GetWindowsDirectoryA(path, MAX_PATH))
        return nullptr;
    std::strcat(path, "\\winhlp32.exe");
    HMODULE module = ::LoadLibraryA(path);
    if (!module)
        return nullptr;
    HCURSOR shared = ::LoadCursorA(module, MAKEINTRESOURCEA(106));
    HCURSOR cursor = shared ? CopyCursor(shared) : nullptr;
    ::FreeLibrary(module);
    return cursor;
}

}

CStaticLink::CStaticLink(LPCSTR lpszTarget, BOOL bAutoDelete)
    : m_target(lpszTarget), m_textColor(s_colorUnvisited), m_autoDelete(bAutoDelete)
{
}

LRESULT CStaticLink::OnNcHitTest(CPoint)
{
    // A static without SS_NOTIFY is transparent to the mouse; a link must get its clicks.
    return HTCLIENT;
}

HBRUSH CStaticLink::CtlColor(HDC hdc, UINT)
{
    // Icons, frames and bitmaps keep the parent's colours.
    if ((GetStyle() & 0xFF) > SS_RIGHT)
        return nullptr;
    if (!m_underlineFont.m_hObject) {
        HFONT font = GetFont();
        // A static that was never given a font draws with the system font.
        if (!font)
            font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        LOGFONTA lf = {};
        ::GetObjectA(font, sizeof lf, &lf);
        lf.lfUnderline = 1;
        m_underlineFont.CreateFontIndirect(&lf);
        // Some static controls select their own font after asking for colours, which would drop the
        // underline: they are given the underlined font as their own too.
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_underlineFont.m_hObject), FALSE);
    }
    ::SelectObject(hdc, m_underlineFont);
    ::SetTextColor(hdc, m_textColor);
    ::SetBkMode(hdc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CStaticLink::OnLButtonDown(UINT, CPoint)
{
    if (m_target.IsEmpty()) {
        if (!m_target.LoadString(static_cast<UINT>(GetDlgCtrlID())))
            m_target = GetWindowText();
        if (m_target.IsEmpty())
            return;
    }
    if (reinterpret_cast<INT_PTR>(m_target.OpenTarget()) <= 32) {
        ::MessageBeep(0);
        return;
    }
    m_textColor = s_colorVisited;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CStaticLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!s_hLinkCursor && !s_bCursorTried) {
        s_hLinkCursor = LoadLinkCursor();
        s_bCursorTried = TRUE;
    }
    if (!s_hLinkCursor)
        return FALSE;
    ::SetCursor(s_hLinkCursor);
    return TRUE;
}

void CStaticLink::PostNcDestroy()
{
    if (m_autoDelete)
        delete this;
}
