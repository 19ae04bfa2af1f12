// view/VestrelView.cpp
// The list window and the command table of the results view.
#include "VestrelView.h"
#include "resource.h"
#include "AfxRes.h"

IMPLEMENT_DYNCREATE(CVestrelView, CListView)

BEGIN_MESSAGE_MAP(CVestrelView, CListView)
    ON_COMMAND(ID_CLEAN_HISTORY, OnCleanHistory)
    ON_COMMAND(ID_ANALYZE_CACHE, OnAnalyzeCache)
    ON_COMMAND(ID_ANALYZE_HISTORY, OnAnalyzeHistory)
    ON_COMMAND(ID_ANALYZE_COOKIE, OnAnalyzeCookie)
    ON_COMMAND(ID_ANALYZE_ADDRESS, OnAnalyzeAddress)
    ON_COMMAND(ID_ANALYZE_SYSTEM, OnAnalyzeSystem)
    ON_COMMAND(ID_ANALYZE_DOCUMENT, OnAnalyzeDocument)
    ON_COMMAND(ID_ANALYZE_RUN, OnAnalyzeRun)
    ON_COMMAND(ID_ANALYZE_LOGON, OnAnalyzeLogon)
    ON_COMMAND(ID_ANALYZE_SEARCH, OnAnalyzeSearch)
    ON_COMMAND(ID_ANALYZE_COMPUTER, OnAnalyzeComputer)
    ON_COMMAND(ID_ANALYZE_FORM, OnAnalyzeForm)
    ON_COMMAND(ID_ANALYZE_PASSWORD, OnAnalyzePassword)
    ON_COMMAND(ID_ANALYZE_TELNET, OnAnalyzeTelnet)
    ON_COMMAND(ID_ANALYZE_NET, OnAnalyzeNet)
    ON_COMMAND(ID_HELP, OnHelpContents)
    ON_UPDATE_COMMAND_UI(ID_CLEAN_HISTORY, OnUpdateCleanHistory)
    ON_MESSAGE(WM_PAINT, OnPaint)
END_MESSAGE_MAP()

BOOL CVestrelView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CListView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= LVS_REPORT;
    return TRUE;
}

void CVestrelView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    CListCtrl list = GetListCtrl();
    list.InsertColumn(0, "History Path", LVCFMT_LEFT, 1000);
    list.InsertColumn(1, "Modify Time", LVCFMT_LEFT, 200);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CVestrelView::OnDraw(HDC)
{
}
