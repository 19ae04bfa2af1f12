// framework/ListCtrl.cpp
#include "ListCtrl.h"
#include <vector>

namespace {

LVITEMA MakeItem(UINT nMask, int nItem, int nSubItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                 LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return item;
}

}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEMA item = MakeItem(nMask, nItem, 0, lpszItem, nState, nStateMask, nImage, lParam);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA item = MakeItem(nMask, nItem, nSubItem, lpszItem, nState, nStateMask, nImage, lParam);
    return static_cast<BOOL>(Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszHeading, int nFormat, int nWidth)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<LPSTR>(lpszHeading);
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Paths can be longer than MAX_PATH in a list: grow until the text fits.
    for (int size = 512;; size *= 2) {
        std::vector<char> buffer(size);
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        int n = static_cast<int>(Send(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
        if (n < size - 1 || size >= 1 << 20)
            return CString(buffer.data(), n);
    }
}
