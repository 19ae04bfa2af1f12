// framework/Document.cpp
#include "Document.h"
#include "FrameWnd.h"
#include "View.h"
#include "WinApp.h"
#include "AfxRes.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    for (CView* pView : m_views)
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(pView->GetParent())))
            pFrame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    HANDLE hFile = ::CreateFileA(lpszPathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    CArchive archive(CArchive::load);
    Serialize(archive);
    ::CloseHandle(hFile);
    // The title is the file's name without its folder.
    CString path(lpszPathName);
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    SetTitle(slash < 0 ? path : path.Mid(slash + 1));
    return TRUE;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName)
{
    auto* pDoc = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (!pDoc)
        return nullptr;
    pDoc->m_pDocTemplate = this;

    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    auto* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    CWinApp* pApp = AfxGetApp();
    if (pFrame && !pApp->m_pMainWnd)
        pApp->m_pMainWnd = pFrame;
    // A frame that fails takes its view with it, but the document is deleted here, once.
    pDoc->m_bAutoDelete = FALSE;
    BOOL framed = pFrame && pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, &context);
    pDoc->m_bAutoDelete = TRUE;
    if (!framed) {
        if (pApp->m_pMainWnd == pFrame)
            pApp->m_pMainWnd = nullptr;
        delete pDoc;
        return nullptr;
    }

    BOOL opened = lpszPathName ? pDoc->OnOpenDocument(lpszPathName) : pDoc->OnNewDocument();
    if (!opened) {
        if (pApp->m_pMainWnd == pFrame)
            pApp->m_pMainWnd = nullptr;
        pFrame->DestroyWindow();    // takes the view and, with its last view, the document
        return nullptr;
    }
    pFrame->InitialUpdateFrame(pDoc);
    return pDoc;
}
