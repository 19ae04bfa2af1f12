// traces/registry/RunHistory.cpp
// The commands typed into the Windows Run box.
#include "view/VestrelView.h"
#include "RegKey.h"
#include "RegDeletion.h"
#include <shlwapi.h>

namespace {

const char kRunMruKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

}

void CVestrelView::OnAnalyzeRun()
{
    RecordCategory(Trace::Run);
    ClearResults();
    FindRunHistory();
    ReportAnalysis(Trace::Run);
}

void CVestrelView::FindRunHistory()
{
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kRunMruKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    // The empty name skips the unnamed default value; the MRUList order string is listed like a command.
    EnumerateValues(key, [this](const ValueStep& step) {
        if (step.NameText().IsEmpty())
            return;
        CString command = step.DataText();
        if (!command.IsEmpty())
            AppendResultRow(command);
    });
}

void CVestrelView::OnDeleteRun()
{
    EraseOutcome outcome;
    CountDeletion(::SHDeleteKeyA(HKEY_CURRENT_USER, kRunMruKey), outcome);
    ClearResults();
    ReportCleaned(Trace::Run, outcome);
}
