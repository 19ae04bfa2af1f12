// view/Commands.cpp
// The protocol every category follows: record the tag, report the count, dispatch "Clean history".
#include "VestrelView.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

void CVestrelView::RecordCategory(Trace trace)
{
    g_pszCategory = TraceCategoryOf(trace).tag;
}

void CVestrelView::ReportAnalysis(Trace trace)
{
    // The box is modal: the list must stand whole and drawing be on before it appears.
    ShowAllResults();
    MessageBox(AnalysisReport(TraceCategoryOf(trace), GetRowCount()), "Analyzing result", MB_ICONINFORMATION);
}

namespace {

// The count of a clean that showed one gives way to the idle text.
void EndClean(CVestrelView& view)
{
    if (view.m_cleanProgress.End())
        if (CFrameWnd* frame = view.GetParentFrame())
            frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

// A clean ends on every way out: at its report, or when its eraser stops without one or is stopped by
// an error.
class CleanUnderway
{
public:
    explicit CleanUnderway(CVestrelView& view) : m_view(view) { view.m_cleanProgress.Begin(); }
    ~CleanUnderway()
    {
        // Unwinding from an error, a second one would end the program.
        try {
            EndClean(m_view);
        }
        catch (...) {
        }
    }
    CleanUnderway(const CleanUnderway&) = delete;
    CleanUnderway& operator=(const CleanUnderway&) = delete;

private:
    CVestrelView& m_view;
};

}

void CVestrelView::ShowCleanProgress(const EraseOutcome& outcome)
{
    CCleanProgress::Due due = m_cleanProgress.ItemDone();
    if (due == CCleanProgress::ShowCount)
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetMessageText(CleanProgressText(outcome.erased));
    if (due != CCleanProgress::Nothing)
        AfxPumpPaintAndSent();
}

void CVestrelView::ReportCleaned(Trace trace, const EraseOutcome& outcome)
{
    EndClean(*this);
    AfxMessageBox(CleanedReport(TraceCategoryOf(trace), outcome), MB_OK);
}

void CVestrelView::OnCleanHistory()
{
    // Erasers never change the category, so at most one runs; the empty text at start-up matches none.
    const TraceCategory* category = FindTraceCategory(g_pszCategory);
    if (!category)
        return;
    CleanUnderway clean(*this);
    (this->*category->eraser)();
}

void CVestrelView::OnUpdateCleanHistory(CCmdUI* pCmdUI)
{
    if (GetRowCount() == 0)
        pCmdUI->Enable(FALSE);
}
