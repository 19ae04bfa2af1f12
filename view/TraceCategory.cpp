// view/TraceCategory.cpp
// Every text of every category, and of the results view, stands here and nowhere else.
#include "TraceCategory.h"
#include "VestrelView.h"
#include <mbstring.h>

LPCSTR g_pszCategory = "";

namespace {

const TraceCategory s_categories[] = {
    { "Cache", &CVestrelView::FindCache, &CVestrelView::OnDeleteCache,
      "Temporary Internet Explorer files analyzing completed successfully, no file found.",
      "Temporary Internet Explorer files analyzing completed successfully, ", " files found.",
      "Internet Explorer cache and temporary files", nullptr },
    { "History", &CVestrelView::FindHistory, &CVestrelView::OnDeleteHistory,
      "Internet Explorer history analyzing completed successfully, no history found.",
      "Internet Explorer history analyzing completed successfully, ", " history found.",
      "Internet Explorer history", nullptr },
    { "Cookie", &CVestrelView::FindCookies, &CVestrelView::OnDeleteCookie,
      "Internet Explorer cookies analyzing completed successfully, no cookie found.",
      "Internet Explorer cookies analyzing completed successfully, ", " cookies found.",
      "Internet Explorer cookies", nullptr },
    { "Address", &CVestrelView::FindTypedAddresses, &CVestrelView::OnDeleteAddress,
      "Internet Explorer analyzing completed successfully, no addresses found.",
      "Internet Explorer address bar analyzing completed successfully, ", " addresses found.",
      "Internet Explorer address bar history", nullptr },
    { "System", &CVestrelView::FindTemporaryFiles, &CVestrelView::OnDeleteSystem,
      "Windows Temporary file analyzing completed successfully, no file found.",
      "Windows Temporary file analyzing completed successfully, ", " files found.",
      "Windows Temporary file", nullptr, true },
    { "Document", &CVestrelView::FindRecentDocuments, &CVestrelView::OnDeleteDocument,
      "Windows Documents history analyzing completed successfully, no document found.",
      "Windows Documents history analyzing completed successfully, ", " documents found.",
      "Windows recent Documents history", nullptr },
    { "Run", &CVestrelView::FindRunHistory, &CVestrelView::OnDeleteRun,
      "Windows Run history analyzing completed successfully, no history found.",
      "Windows Run history analyzing completed successfully, ", " history found.",
      "Windows Run history", nullptr },
    { "Logon", &CVestrelView::FindLogonNames, &CVestrelView::OnDeleteLogon,
      "Windows Logon history analyzing completed successfully, no history found.",
      "Windows Logon history analyzing completed successfully, ", " history found.",
      "Windows Logon history", "OnDeleteLogon()" },
    { "Search", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "OnDeleteSearch()" },
    { "Computer", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "OnDeleteComputer()" },
    { "Form", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "OnDeleteForm()" },
    { "Password", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "OnDeletePassword()" },
    { "Telnet", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "OnDeleteTelnet()" },
    { "Net", &CVestrelView::FindNetworkShortcuts, &CVestrelView::OnDeleteNet,
      "Windows Network history analyzing completed successfully, no history found.",
      "Windows Network history analyzing completed successfully, ", " history found.",
      "Windows Nethood history", nullptr },
};
static_assert(std::size(s_categories) == static_cast<size_t>(Trace::Count));

}

const TraceCategory& TraceCategoryOf(Trace trace)
{
    return s_categories[static_cast<int>(trace)];
}

const TraceCategory* FindTraceCategory(LPCSTR pszTag)
{
    for (const TraceCategory& category : s_categories)
        if (_mbscmp(reinterpret_cast<const unsigned char*>(pszTag),
                    reinterpret_cast<const unsigned char*>(category.tag)) == 0)
            return &category;
    return nullptr;
}

CString AnalysisReport(const TraceCategory& category, int rowCount)
{
    if (rowCount == 0)
        return category.noneFound;
    CString text;
    text.Format("%s%d%s", category.countPrefix, rowCount, category.countSuffix);
    return text;
}

CString CleanedReport(const TraceCategory& category, const EraseOutcome& outcome)
{
    CString text;
    // A participle agrees with any name, "files" and "file" alike.
    if (outcome.notErased == 0)
        text.Format("%s cleaned sucessfully.", category.cleanedName);
    else
        text.Format("%s cleaned, but %d item%s could not be erased.",
                    category.cleanedName, outcome.notErased, outcome.notErased == 1 ? "" : "s");
    return text;
}

const ResultColumn g_resultColumns[2] = { { "History Path", 1000 }, { "Modify Time", 200 } };

const char g_szAnalysisCaption[] = "Analyzing result";

CString CleanProgressText(int erased)
{
    CString text;
    text.Format("Cleaning: %d item%s erased so far", erased, erased == 1 ? "" : "s");
    return text;
}

const char g_szSessionEndRefused[] = "Cleaning history: ending now would leave traces behind.";
