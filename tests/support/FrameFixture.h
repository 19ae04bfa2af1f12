// tests/support/FrameFixture.h
// The main window made as start-up makes it (template, document, frame, view), hidden, in this process.
#pragma once
#include <gtest/gtest.h>
#include "app/MainFrame.h"
#include "view/VestrelView.h"
#include "framework/Document.h"
#include <memory>

class FrameFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& Frame() { return *m_pFrame; }
    CVestrelView& View() { return *static_cast<CVestrelView*>(m_pFrame->GetActiveView()); }
    CDocument& Document() { return *m_pDoc; }
    HWND Bar(UINT nID) const { return ::GetDlgItem(m_pFrame->m_hWnd, nID); }
    // The frame's idle-time update, as the message loop runs it when the queue is empty.
    void IdleUpdate() { m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE); }
    // The state of a menu item after its pop-up has been brought up to date, as when the user opens it.
    UINT MenuState(int nPopup, UINT nID);

private:
    std::unique_ptr<CSingleDocTemplate> m_template;
    CMainFrame* m_pFrame = nullptr;     // deletes itself with its window
    CDocument* m_pDoc = nullptr;
};
