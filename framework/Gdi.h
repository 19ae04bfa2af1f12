// framework/Gdi.h
// Graphics objects and image lists: one handle each, released with the object.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CGdiObject
{
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;
    BOOL Attach(HGDIOBJ hObject) { if (!hObject) return FALSE; DeleteObject(); m_hObject = hObject; return TRUE; }
    BOOL DeleteObject() { if (!m_hObject) return FALSE; BOOL ok = ::DeleteObject(m_hObject); m_hObject = nullptr; return ok; }
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
};

class CBitmap : public CGdiObject
{
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CFont : public CGdiObject
{
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
};

class CImageList
{
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { DeleteImageList(); }

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    { DeleteImageList(); m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow); return m_hImageList != nullptr; }
    int Add(CBitmap* pbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, *pbmImage, crMask); }
    BOOL DeleteImageList() { if (!m_hImageList) return FALSE; BOOL ok = ImageList_Destroy(m_hImageList); m_hImageList = nullptr; return ok; }
};
