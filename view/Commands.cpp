// view/Commands.cpp
// The protocol every category follows: record the tag, report the count, dispatch "Clean history".
#include "VestrelView.h"
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

void CVestrelView::ReportCleaned(Trace trace, const EraseOutcome& outcome)
{
    AfxMessageBox(CleanedReport(TraceCategoryOf(trace), outcome), MB_OK);
}

void CVestrelView::OnCleanHistory()
{
    // Erasers never change the category, so at most one runs; the empty text at start-up matches none.
    if (const TraceCategory* category = FindTraceCategory(g_pszCategory))
        (this->*category->eraser)();
}

void CVestrelView::OnUpdateCleanHistory(CCmdUI* pCmdUI)
{
    if (GetRowCount() == 0)
        pCmdUI->Enable(FALSE);
}
