// tests/support/ViewFixture.cpp
#include "ViewFixture.h"
#include "framework/AfxRes.h"

std::string AnalysisText(Trace trace, int rows)
{
    return std::string(AnalysisReport(TraceCategoryOf(trace), rows));
}

std::string CleanedText(Trace trace, int notErased)
{
    EraseOutcome outcome;
    outcome.Failed(notErased);
    return std::string(CleanedReport(TraceCategoryOf(trace), outcome));
}

void ViewFixture::SetUp()
{
    RECT frame = { 0, 0, 800, 600 };
    ASSERT_TRUE(m_parent.CreateEx(0, CWnd::RegisterWndClass(nullptr), "test parent", WS_OVERLAPPEDWINDOW,
                                  frame, nullptr, 0));
    m_pView = static_cast<CVestrelView*>(RUNTIME_CLASS(CVestrelView)->CreateObject());
    RECT rect = { 0, 0, 780, 560 };
    ASSERT_TRUE(m_pView->Create(AFX_WS_DEFAULT_VIEW, rect, &m_parent, AFX_IDW_PANE_FIRST, nullptr));
    m_pView->OnInitialUpdate();
}

void ViewFixture::TearDown()
{
    m_parent.DestroyWindow();
}

std::vector<std::string> ViewFixture::Rows() const
{
    std::vector<std::string> rows;
    CListCtrl list = m_pView->GetListCtrl();
    for (int i = 0; i < list.GetItemCount(); ++i)
        rows.push_back(std::string(list.GetItemText(i, 0)) + "|" + std::string(list.GetItemText(i, 1)));
    return rows;
}
