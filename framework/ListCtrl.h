// framework/ListCtrl.h
// A list-view control: a handle and one-line messages; it does not own the window.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "String.h"

class CListCtrl
{
public:
    explicit CListCtrl(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    operator HWND() const { return m_hWnd; }

    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(Send(LVM_DELETEALLITEMS)); }
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(Send(LVM_DELETEITEM, nItem)); }
    int InsertItem(const LVITEMA* pItem) { return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(pItem))); }
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    int InsertColumn(int nCol, LPCSTR lpszHeading, int nFormat, int nWidth);
    int GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
    int GetColumnWidth(int nCol) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, nCol)); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle)); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    CString GetItemText(int nItem, int nSubItem) const;
    void SetRedraw(BOOL bRedraw = TRUE) { Send(WM_SETREDRAW, bRedraw); }

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, msg, wParam, lParam); }
    HWND m_hWnd;
};
