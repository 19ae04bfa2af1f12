// traces/registry/RunHistory.cpp
#include "Histories.h"
#include "RegDeletion.h"
#include "RegValues.h"
#include "framework/RegKey.h"
#include <shlwapi.h>

namespace {

const char kRunMruKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

}

void ListRunHistory(RowSink& rows)
{
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kRunMruKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    // The empty name skips the unnamed default value; the MRUList order string is listed like a command.
    EnumerateValues(key, [&rows](const ValueStep& step) {
        if (step.NameText().IsEmpty())
            return;
        CString command = step.DataText();
        if (!command.IsEmpty())
            rows.AppendResultRow(command);
    });
}

void EraseRunHistory(EraseOutcome& outcome)
{
    CountDeletion(::SHDeleteKeyA(HKEY_CURRENT_USER, kRunMruKey), outcome);
}
