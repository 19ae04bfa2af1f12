// view/VestrelView.h
// The results view: the list of what the last analysis found, and every finder and eraser.
#pragma once
#include "../framework/View.h"
#include "TraceCategory.h"
#include "EraseOutcome.h"
#include "PaintPacer.h"
#include "CleanProgress.h"

class CVestrelView : public CListView
{
    DECLARE_DYNCREATE(CVestrelView)
public:
    ~CVestrelView() override = default;

    // Rows (view/Results.cpp)
    void ClearResults();
    int AppendResultRow(LPCSTR path);
    int AppendResultRow(LPCSTR path, LPCSTR time);
    void RepaintResultsNow();
    void ShowAllResults();
    int GetRowCount() const { return GetListCtrl().GetItemCount(); }
    // When the rows of a running walk get painted; a test may give it a clock of its own.
    CPaintPacer m_paintPacer;

    // Protocol (view/Commands.cpp)
    void OnCleanHistory();
    void OnUpdateCleanHistory(CCmdUI* pCmdUI);
    void RecordCategory(Trace trace);
    void ReportAnalysis(Trace trace);
    void ReportCleaned(Trace trace, const EraseOutcome& outcome);
    // Called by the erasing workers after every item, erased or not, as the finders repaint the list.
    void ShowCleanProgress(const EraseOutcome& outcome);

    // Reserved categories: a tag and a notice, nothing searched or erased (view/Reserved.cpp)
    void OnAnalyzeSearch();
    void OnAnalyzeComputer();
    void OnAnalyzeForm();
    void OnAnalyzePassword();
    void OnAnalyzeTelnet();
    void OnDeleteSearch();
    void OnDeleteComputer();
    void OnDeleteForm();
    void OnDeletePassword();
    void OnDeleteTelnet();

    // Browser traces (traces/ie/)
    void OnAnalyzeCache();
    void OnAnalyzeHistory();
    void OnAnalyzeCookie();
    void OnDeleteCache();
    void OnDeleteHistory();
    void OnDeleteCookie();
    int PurgeUrlCache(int kind, EraseOutcome& outcome);

    // Folder traces (traces/files/)
    void ListFolder(LPCSTR folder, LPCSTR skipSubfolder);
    int DeleteFolder(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni,
                     BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome);
    int OverwriteFile(LPCSTR folder, LPCSTR fileName);
    void OnAnalyzeSystem();
    void OnAnalyzeDocument();
    void OnAnalyzeNet();
    void OnDeleteSystem();
    void OnDeleteDocument();
    void OnDeleteNet();

    // Registry traces (traces/registry/)
    void OnAnalyzeAddress();
    void OnAnalyzeRun();
    void OnAnalyzeLogon();
    void OnDeleteAddress();
    void OnDeleteRun();
    void OnDeleteLogon();
    void FindTypedAddresses();
    void FindRunHistory();
    void FindLogonNames();

    // Help (app/HelpContents.cpp)
    void OnHelpContents();

    void OnInitialUpdate() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(HDC hdc) override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    class CleanUnderway;
    void BeginClean();
    // The clean has ended, its report still to come.
    void EndClean();
    CCleanProgress m_cleanProgress;
};
