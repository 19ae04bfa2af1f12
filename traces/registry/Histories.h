// traces/registry/Histories.h
// The histories the registry holds: addresses typed into the browser's address bar, commands typed into
// the Run box, and the user names the logon remembers. Rows carry no time.
#pragma once
#include "traces/EraseOutcome.h"
#include "traces/RowSink.h"

void ListTypedAddresses(RowSink& rows);
// The whole key; the result of the deletion, ERROR_FILE_NOT_FOUND for a key already gone.
LONG DeleteTypedAddresses();

void ListRunHistory(RowSink& rows);
void EraseRunHistory(EraseOutcome& outcome);

// The user's names first, then the machine's.
void ListLogonNames(RowSink& rows);
// The values alone; their keys stay.
void EraseLogonNames(EraseOutcome& outcome);
