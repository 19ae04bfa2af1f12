// tests/support/FrameFixture.cpp
#include "FrameFixture.h"
#include "app/VestrelDoc.h"
#include "framework/WinApp.h"
#include "resource.h"

void FrameFixture::SetUp()
{
    m_template = std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RUNTIME_CLASS(CVestrelDoc),
                                                      RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVestrelView));
    AfxGetApp()->m_pMainWnd = nullptr;
    m_pDoc = m_template->OpenDocumentFile(nullptr);
    ASSERT_NE(m_pDoc, nullptr);
    m_pFrame = static_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
    ASSERT_NE(m_pFrame, nullptr);
}

void FrameFixture::TearDown()
{
    // Not the main window any more, so closing it does not end this test program's message loop.
    AfxGetApp()->m_pMainWnd = nullptr;
    if (m_pFrame)
        m_pFrame->DestroyWindow();
}

UINT FrameFixture::MenuState(int nPopup, UINT nID)
{
    HMENU hPopup = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), nPopup);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nPopup, FALSE));
    return ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
}
