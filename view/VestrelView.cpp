// view/VestrelView.cpp
// The list window and the command table of the results view: each "Analyze" command runs the analysis
// of its category.
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
    for (int column = 0; column < 2; ++column)
        list.InsertColumn(column, g_resultColumns[column].heading, LVCFMT_LEFT, g_resultColumns[column].width);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CVestrelView::OnAnalyzeCache() { Analyze(Trace::Cache); }
void CVestrelView::OnAnalyzeHistory() { Analyze(Trace::History); }
void CVestrelView::OnAnalyzeCookie() { Analyze(Trace::Cookie); }
void CVestrelView::OnAnalyzeAddress() { Analyze(Trace::Address); }
void CVestrelView::OnAnalyzeSystem() { Analyze(Trace::System); }
void CVestrelView::OnAnalyzeDocument() { Analyze(Trace::Document); }
void CVestrelView::OnAnalyzeRun() { Analyze(Trace::Run); }
void CVestrelView::OnAnalyzeLogon() { Analyze(Trace::Logon); }
void CVestrelView::OnAnalyzeSearch() { Analyze(Trace::Search); }
void CVestrelView::OnAnalyzeComputer() { Analyze(Trace::Computer); }
void CVestrelView::OnAnalyzeForm() { Analyze(Trace::Form); }
void CVestrelView::OnAnalyzePassword() { Analyze(Trace::Password); }
void CVestrelView::OnAnalyzeTelnet() { Analyze(Trace::Telnet); }
void CVestrelView::OnAnalyzeNet() { Analyze(Trace::Net); }

void CVestrelView::OnDraw(HDC)
{
}
