// view/TraceCategory.h
// The trace categories: tag, report texts and eraser, in the order "Clean history" compares them.
#pragma once
#include "../framework/String.h"

class CVestrelView;
struct EraseOutcome;

enum class Trace { Cache, History, Cookie, Address, System, Document, Run, Logon,
                   Search, Computer, Form, Password, Telnet, Net, Count };

struct TraceCategory
{
    LPCSTR tag;
    void (CVestrelView::*eraser)();
    // Searched categories: the report texts, and the name that the cleaned message is built on.
    LPCSTR noneFound;
    LPCSTR countPrefix;
    LPCSTR countSuffix;
    LPCSTR cleanedName;
    // Reserved categories: the one text their eraser shows.
    LPCSTR reservedNotice;
};

const TraceCategory& TraceCategoryOf(Trace trace);
// The category whose tag equals pszTag byte for byte, or null.
const TraceCategory* FindTraceCategory(LPCSTR pszTag);

CString AnalysisReport(const TraceCategory& category, int rowCount);
CString CleanedReport(const TraceCategory& category, const EraseOutcome& outcome);
// The status bar's message while a long clean runs.
CString CleanProgressText(int erased);
// Why a clean refuses a logoff or shutdown, as Windows shows it.
LPCSTR SessionEndRefusedText();

// The current category: the empty text at start, else the tag of the last analysis.
extern LPCSTR g_pszCategory;
