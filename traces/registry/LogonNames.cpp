// traces/registry/LogonNames.cpp
// The user names that the Windows logon remembers, for the user and for the machine.
#include "view/VestrelView.h"
#include "framework/WinApp.h"
#include "RegKey.h"
#include "RegDeletion.h"
#include <initializer_list>
#include <shlwapi.h>

namespace {

const char kLogonKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr DWORD kNameBufferSize = 100;

// Lists the named values of one root's logon key, in order; a value that is missing, unreadable,
// empty or longer than the buffer (its zero included) adds no row.
void AppendLogonNames(CVestrelView& view, HKEY root, std::initializer_list<LPCSTR> valueNames)
{
    CRegKey key;
    if (key.Open(root, kLogonKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    BYTE data[kNameBufferSize] = {};
    for (LPCSTR valueName : valueNames) {
        DWORD count = kNameBufferSize;
        if (::RegQueryValueExA(key, valueName, nullptr, nullptr, data, &count) != ERROR_SUCCESS)
            continue;
        CString name = BufferText(data, count, kNameBufferSize);
        if (!name.IsEmpty())
            view.AppendResultRow(name);
    }
}

}

void CVestrelView::OnAnalyzeLogon()
{
    RecordCategory(Trace::Logon);
    ClearResults();
    FindLogonNames();
    ReportAnalysis(Trace::Logon);
}

void CVestrelView::FindLogonNames()
{
    AppendLogonNames(*this, HKEY_CURRENT_USER, { "DefaultUserName", "AltDefaultUserName" });
    AppendLogonNames(*this, HKEY_LOCAL_MACHINE, { "DefaultUserName" });
}

void CVestrelView::OnDeleteLogon()
{
    EraseOutcome outcome;
    CountDeletion(::SHDeleteValueA(HKEY_CURRENT_USER, kLogonKey, "DefaultUserName"), outcome);
    CountDeletion(::SHDeleteValueA(HKEY_CURRENT_USER, kLogonKey, "AltDefaultUserName"), outcome);
    CountDeletion(::SHDeleteValueA(HKEY_LOCAL_MACHINE, kLogonKey, "DefaultUserName"), outcome);
    AfxMessageBox("OnDeleteLogon()", MB_OK);
    ClearResults();
    ReportCleaned(Trace::Logon, outcome);
}
