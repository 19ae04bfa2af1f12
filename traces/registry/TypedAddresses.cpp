// traces/registry/TypedAddresses.cpp
#include "Histories.h"
#include "RegValues.h"
#include "framework/RegKey.h"
#include <shlwapi.h>

namespace {

const char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

}

void ListTypedAddresses(RowSink& rows)
{
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kTypedUrlsKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    // Every value is a row, the unnamed one and those too long for the buffers included.
    EnumerateValues(key, [&rows](const ValueStep& step) { rows.AppendResultRow(step.DataText()); });
}

LONG DeleteTypedAddresses()
{
    return ::SHDeleteKeyA(HKEY_CURRENT_USER, kTypedUrlsKey);
}
