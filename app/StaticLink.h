// app/StaticLink.h
// A static text control that acts as a hyperlink: underlined, blue until opened and purple after.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "HyperLink.h"

class CStaticLink : public CStatic
{
    DECLARE_DYNAMIC(CStaticLink)
public:
    // With no target, the first click takes the string resource of the control's id, else its text.
    explicit CStaticLink(LPCSTR lpszTarget = nullptr, BOOL bAutoDelete = FALSE);
    ~CStaticLink() override = default;

    CHyperLink m_target;
    COLORREF m_textColor;
    CFont m_underlineFont;
    BOOL m_autoDelete;

    static constexpr COLORREF s_colorUnvisited = RGB(0, 0, 255);
    static constexpr COLORREF s_colorVisited = RGB(128, 0, 128);
    // Shared by every link of the process: loaded on first need, tried once, never released.
    static inline HCURSOR s_hLinkCursor = nullptr;
    static inline BOOL s_bCursorTried = FALSE;

protected:
    LRESULT OnNcHitTest(CPoint point);
    HBRUSH CtlColor(HDC hdc, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};
