// view/VestrelView.h
// The results view: the list of what the last analysis found, the steps of every command, and each
// category's own lines: which places it covers, in what order, under which cursor. The walks themselves,
// and what they find and erase, are in traces/.
#pragma once
#include "../framework/View.h"
#include "TraceCategory.h"
#include "PaintPacer.h"
#include "CleanProgress.h"
#include "traces/EraseOutcome.h"
#include "traces/RowSink.h"
#include "traces/ie/CacheEntryKind.h"

class CVestrelView : public CListView, public RowSink
{
    DECLARE_DYNCREATE(CVestrelView)
public:
    ~CVestrelView() override = default;

    // Rows (view/Results.cpp)
    void ClearResults();
    int AppendResultRow(LPCSTR path) override;
    int AppendResultRow(LPCSTR path, LPCSTR time) override;
    void RepaintResultsNow() override;
    void ShowAllResults();
    int GetRowCount() const { return GetListCtrl().GetItemCount(); }
    // When the rows of a running walk get painted; a test may give it a clock of its own.
    CPaintPacer m_paintPacer;

    // Protocol (view/Commands.cpp): one analysis and one clean, as the category table says.
    void OnCleanHistory();
    void OnUpdateCleanHistory(CCmdUI* pCmdUI);
    void RecordCategory(Trace trace);
    // The count of the rows in the box owned by the view.
    void ReportAnalysis(const TraceCategory& category);

    // The command handlers of the fourteen categories (view/VestrelView.cpp).
    void OnAnalyzeCache();
    void OnAnalyzeHistory();
    void OnAnalyzeCookie();
    void OnAnalyzeAddress();
    void OnAnalyzeSystem();
    void OnAnalyzeDocument();
    void OnAnalyzeRun();
    void OnAnalyzeLogon();
    void OnAnalyzeSearch();
    void OnAnalyzeComputer();
    void OnAnalyzeForm();
    void OnAnalyzePassword();
    void OnAnalyzeTelnet();
    void OnAnalyzeNet();

    // Each searched category's finder and eraser, as the table names them. An eraser tells outcome of each
    // item and returns false where it stops without a word.
    // Browser traces (view/BrowserTraces.cpp)
    void FindCache();
    void FindHistory();
    void FindCookies();
    bool OnDeleteCache(EraseOutcome& outcome);
    bool OnDeleteHistory(EraseOutcome& outcome);
    bool OnDeleteCookie(EraseOutcome& outcome);
    int PurgeUrlCache(int kind, EraseOutcome& outcome);
    // Folder traces (view/FolderTraces.cpp)
    void FindTemporaryFiles();
    void FindRecentDocuments();
    void FindNetworkShortcuts();
    bool OnDeleteSystem(EraseOutcome& outcome);
    bool OnDeleteDocument(EraseOutcome& outcome);
    bool OnDeleteNet(EraseOutcome& outcome);
    void ListFolder(LPCSTR folder, LPCSTR skipSubfolder);
    int DeleteFolder(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni,
                     BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome);
    int OverwriteFile(LPCSTR folder, LPCSTR fileName);
    // Registry traces (view/RegistryTraces.cpp)
    void FindTypedAddresses();
    void FindRunHistory();
    void FindLogonNames();
    bool OnDeleteAddress(EraseOutcome& outcome);
    bool OnDeleteRun(EraseOutcome& outcome);
    bool OnDeleteLogon(EraseOutcome& outcome);

    // Help (app/HelpContents.cpp)
    void OnHelpContents();

    void OnInitialUpdate() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(HDC hdc) override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void Analyze(Trace trace);
    void Clean(const TraceCategory& category);
    // Under the wait cursor, then the arrow; a folder that was not found (empty) changes nothing.
    void ListFolderShowingWait(const CString& folder, LPCSTR skipSubfolder);
    void DeleteFolderShowingWait(const CString& folder, EraseOutcome& outcome);
    // Under the wait cursor only when the cache holds an entry.
    void ListUrlCacheEntries(CacheEntryKind kind);
};
