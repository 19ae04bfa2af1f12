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

// A clean ends on every way out: at its report, or when its eraser stops without one or is stopped by
// an error.
class CVestrelView::CleanUnderway
{
public:
    explicit CleanUnderway(CVestrelView& view) : m_view(view) { view.BeginClean(); }
    ~CleanUnderway()
    {
        // Unwinding from an error, a second one would end the program.
        try {
            m_view.EndClean();
        }
        catch (...) {
        }
    }
    CleanUnderway(const CleanUnderway&) = delete;
    CleanUnderway& operator=(const CleanUnderway&) = delete;

private:
    CVestrelView& m_view;
};

void CVestrelView::BeginClean()
{
    m_cleanProgress.Begin();
    // Ended half-way, a clean would leave traces behind that nobody is told of.
    if (CFrameWnd* frame = GetParentFrame())
        frame->RefuseSessionEnd(SessionEndRefusedText());
}

void CVestrelView::EndClean()
{
    const bool countShown = m_cleanProgress.End();
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    frame->AllowSessionEnd();
    // A count shown gives way to the idle text.
    if (countShown)
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CVestrelView::ShowCleanProgress(const EraseOutcome& outcome)
{
    CCleanProgress::Due due = m_cleanProgress.ItemDone();
    if (due == CCleanProgress::ShowCount)
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetMessageText(CleanProgressText(outcome.erased));
    if (due != CCleanProgress::Nothing)
        AfxPumpMessages();
}

void CVestrelView::ReportCleaned(Trace trace, const EraseOutcome& outcome)
{
    EndClean();
    AfxMessageBox(CleanedReport(TraceCategoryOf(trace), outcome), MB_OK);
}

void CVestrelView::OnCleanHistory()
{
    // Erasers never change the category, so at most one runs; the empty text at start-up matches none.
    const TraceCategory* category = FindTraceCategory(g_pszCategory);
    if (!category)
        return;
    // A reserved category erases nothing, and its notice holds up no logoff.
    if (category->reservedNotice) {
        (this->*category->eraser)();
        return;
    }
    CleanUnderway clean(*this);
    (this->*category->eraser)();
}

void CVestrelView::OnUpdateCleanHistory(CCmdUI* pCmdUI)
{
    if (GetRowCount() == 0)
        pCmdUI->Enable(FALSE);
}
