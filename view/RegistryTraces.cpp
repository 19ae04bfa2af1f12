// view/RegistryTraces.cpp
// The address-bar, Run and logon histories, read and deleted in the registry; no cursor is shown.
#include "VestrelView.h"
#include "traces/registry/Histories.h"

void CVestrelView::FindTypedAddresses()
{
    ListTypedAddresses(*this);
}

void CVestrelView::FindRunHistory()
{
    ListRunHistory(*this);
}

void CVestrelView::FindLogonNames()
{
    ListLogonNames(*this);
}

// A refusal, a key already gone included, ends the clean here without a word and keeps the rows, so
// "Clean history" stays enabled.
bool CVestrelView::OnDeleteAddress(EraseOutcome&)
{
    return DeleteTypedAddresses() == ERROR_SUCCESS;
}

bool CVestrelView::OnDeleteRun(EraseOutcome& outcome)
{
    EraseRunHistory(outcome);
    return true;
}

bool CVestrelView::OnDeleteLogon(EraseOutcome& outcome)
{
    EraseLogonNames(outcome);
    return true;
}
