// view/TraceCategory.h
// The trace categories, in the order "Clean history" compares their tags: what finds and erases each, and
// every text the results view shows.
#pragma once
#include "../framework/String.h"

class CVestrelView;
struct EraseOutcome;

enum class Trace { Cache, History, Cookie, Address, System, Document, Run, Logon,
                   Search, Computer, Form, Password, Telnet, Net, Count };

struct TraceCategory
{
    LPCSTR tag;
    // Searched categories: what lists it and what erases it. The reserved ones have neither.
    void (CVestrelView::*finder)();
    bool (CVestrelView::*eraser)(EraseOutcome& outcome);
    // Searched categories: the report texts, and the name that the cleaned message is built on.
    LPCSTR noneFound;
    LPCSTR countPrefix;
    LPCSTR countSuffix;
    LPCSTR cleanedName;
    // A box of the application: the whole of a reserved category's clean, or what follows a searched one's
    // deletions, before the list is emptied.
    LPCSTR notice;
    // Records its tag itself, part-way through its finding, not before the list is emptied.
    bool recordsWhileFinding = false;
};

const TraceCategory& TraceCategoryOf(Trace trace);
// The category whose tag equals pszTag byte for byte, or null.
const TraceCategory* FindTraceCategory(LPCSTR pszTag);

CString AnalysisReport(const TraceCategory& category, int rowCount);
CString CleanedReport(const TraceCategory& category, const EraseOutcome& outcome);

// The results view's own texts.
struct ResultColumn { LPCSTR heading; int width; };
extern const ResultColumn g_resultColumns[2];
extern const char g_szAnalysisCaption[];
// The status bar's message while a long clean runs.
CString CleanProgressText(int erased);
// Why a clean refuses a logoff or shutdown, as Windows shows it.
extern const char g_szSessionEndRefused[];

// The current category: the empty text at start, else the tag of the last analysis.
extern LPCSTR g_pszCategory;
