// traces/registry/RegDeletion.h
// How the result of a registry deletion counts towards what an eraser reports.
#pragma once
#include <windows.h>
#include "traces/EraseOutcome.h"

// A key or value that is not there is already clean; anything else but success was refused.
inline void CountDeletion(LONG result, EraseOutcome& outcome)
{
    outcome.Count(result == ERROR_SUCCESS, static_cast<DWORD>(result));
}
