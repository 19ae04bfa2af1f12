// traces/registry/TypedAddresses.cpp
// The addresses typed into the Internet Explorer address bar.
#include "view/VestrelView.h"
#include "RegKey.h"
#include <shlwapi.h>

namespace {

const char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

}

void CVestrelView::OnAnalyzeAddress()
{
    RecordCategory(Trace::Address);
    ClearResults();
    FindTypedAddresses();
    ReportAnalysis(Trace::Address);
}

void CVestrelView::FindTypedAddresses()
{
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kTypedUrlsKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    // Every value is a row, the unnamed one and those too long for the buffers included.
    EnumerateValues(key, [this](const ValueStep& step) { AppendResultRow(step.DataText()); });
}

void CVestrelView::OnDeleteAddress()
{
    // A refusal, a key already gone included, ends here without a word and keeps the rows,
    // so "Clean history" stays enabled.
    if (::SHDeleteKeyA(HKEY_CURRENT_USER, kTypedUrlsKey) != ERROR_SUCCESS)
        return;
    ClearResults();
    ReportCleaned(Trace::Address, EraseOutcome());
}
