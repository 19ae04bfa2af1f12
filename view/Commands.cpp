// view/Commands.cpp
// The steps every category follows, driven by its row of the table: an analysis records the tag, empties
// the list, finds and reports the count; "Clean history" finds the category by its tag, erases, empties the
// list and reports what could not be erased.
#include "VestrelView.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

void CVestrelView::RecordCategory(Trace trace)
{
    g_pszCategory = TraceCategoryOf(trace).tag;
}

void CVestrelView::Analyze(Trace trace)
{
    const TraceCategory& category = TraceCategoryOf(trace);
    if (!category.recordsWhileFinding)
        RecordCategory(trace);
    // A reserved category is recorded, and that is all.
    if (!category.finder)
        return;
    ClearResults();
    (this->*category.finder)();
    ReportAnalysis(category);
}

void CVestrelView::ReportAnalysis(const TraceCategory& category)
{
    // The box is modal: the list must stand whole and drawing be on before it appears.
    ShowAllResults();
    MessageBox(AnalysisReport(category, GetRowCount()), g_szAnalysisCaption, MB_ICONINFORMATION);
}

namespace {

// For as long as an eraser erases, a logoff or shutdown is refused: ended half-way, a clean would leave
// traces behind that nobody is told of. Its boxes come after, when nothing is being erased.
class SessionEndRefusal
{
public:
    explicit SessionEndRefusal(CFrameWnd* frame) : m_frame(frame)
    {
        if (m_frame)
            m_frame->RefuseSessionEnd(g_szSessionEndRefused);
    }
    ~SessionEndRefusal()
    {
        if (m_frame)
            m_frame->AllowSessionEnd();
    }
    SessionEndRefusal(const SessionEndRefusal&) = delete;
    SessionEndRefusal& operator=(const SessionEndRefusal&) = delete;

private:
    CFrameWnd* m_frame;
};

}

void CVestrelView::Clean(const TraceCategory& category)
{
    if (!category.eraser) {
        AfxMessageBox(category.notice, MB_OK);
        return;
    }
    CCleanProgress progress(GetParentFrame());
    EraseOutcome outcome;
    outcome.progress = &progress;
    bool ended;
    {
        SessionEndRefusal refusal(GetParentFrame());
        ended = (this->*category.eraser)(outcome);
    }
    if (!ended)
        return;
    if (category.notice)
        AfxMessageBox(category.notice, MB_OK);
    ClearResults();
    AfxMessageBox(CleanedReport(category, outcome), MB_OK);
}

void CVestrelView::OnCleanHistory()
{
    // Erasers never change the category, so at most one runs; the empty text at start-up matches none.
    if (const TraceCategory* category = FindTraceCategory(g_pszCategory))
        Clean(*category);
}

void CVestrelView::OnUpdateCleanHistory(CCmdUI* pCmdUI)
{
    if (GetRowCount() == 0)
        pCmdUI->Enable(FALSE);
}
