// traces/registry/LogonNames.cpp
// The user names that the Windows logon remembers, for the user and for the machine.
#include "Histories.h"
#include "RegDeletion.h"
#include "RegValues.h"
#include "framework/RegKey.h"
#include <initializer_list>

namespace {

const char kLogonKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr DWORD kNameBufferSize = 100;

// A 32-bit program on 64-bit Windows sees a copy of the machine's software key (Wow6432Node);
// the logon keeps its name in the native one. 32-bit Windows ignores the flag.
constexpr REGSAM kNativeView = KEY_WOW64_64KEY;

// Lists the named values of one root's logon key, in order; a value that is missing, unreadable,
// empty or longer than the buffer (its zero included) adds no row.
void AppendLogonNames(RowSink& rows, HKEY root, std::initializer_list<LPCSTR> valueNames)
{
    CRegKey key;
    if (key.Open(root, kLogonKey, KEY_ALL_ACCESS | kNativeView) != ERROR_SUCCESS)
        return;
    BYTE data[kNameBufferSize] = {};
    for (LPCSTR valueName : valueNames) {
        DWORD count = kNameBufferSize;
        if (::RegQueryValueExA(key, valueName, nullptr, nullptr, data, &count) != ERROR_SUCCESS)
            continue;
        CString name = BufferText(data, count, kNameBufferSize);
        if (!name.IsEmpty())
            rows.AppendResultRow(name);
    }
}

// SHDeleteValueA cannot be told which view to use.
LONG DeleteLogonName(HKEY root, LPCSTR valueName)
{
    CRegKey key;
    LONG result = key.Open(root, kLogonKey, KEY_SET_VALUE | kNativeView);
    return result == ERROR_SUCCESS ? ::RegDeleteValueA(key, valueName) : result;
}

}

void ListLogonNames(RowSink& rows)
{
    AppendLogonNames(rows, HKEY_CURRENT_USER, { "DefaultUserName", "AltDefaultUserName" });
    AppendLogonNames(rows, HKEY_LOCAL_MACHINE, { "DefaultUserName" });
}

void EraseLogonNames(EraseOutcome& outcome)
{
    CountDeletion(DeleteLogonName(HKEY_CURRENT_USER, "DefaultUserName"), outcome);
    CountDeletion(DeleteLogonName(HKEY_CURRENT_USER, "AltDefaultUserName"), outcome);
    CountDeletion(DeleteLogonName(HKEY_LOCAL_MACHINE, "DefaultUserName"), outcome);
}
