// framework/Document.h
// The document, its archive, and the single-document template that makes document, frame and view.
#pragma once
#include "CmdTarget.h"
#include "String.h"
#include <vector>

class CView;
class CFrameWnd;
class CDocTemplate;

class CArchive
{
public:
    enum Mode { store = 0, load = 1 };
    explicit CArchive(Mode mode) : m_mode(mode) {}
    BOOL IsStoring() const { return m_mode == store; }
private:
    Mode m_mode;
};

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    ~CDocument() override;
    virtual BOOL OnNewDocument() { return TRUE; }
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual void Serialize(CArchive&) {}

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }

    CDocTemplate* m_pDocTemplate = nullptr;
    // The document deletes itself when its last view goes.
    BOOL m_bAutoDelete = TRUE;

protected:
    CString m_strTitle;
    std::vector<CView*> m_views;
};

struct CCreateContext
{
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CDocTemplate
{
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
        : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}
    virtual ~CDocTemplate() = default;
    // Null path: a new document; else the file read through Serialize. Null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName) = 0;

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate
{
public:
    using CDocTemplate::CDocTemplate;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName) override;
};
