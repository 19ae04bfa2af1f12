// traces/registry/RegDeletion.h
// How the result of a registry deletion counts towards what an eraser reports.
#pragma once
#include <windows.h>
#include "view/EraseOutcome.h"

// A key or value that is not there is already clean; anything else but success was refused.
inline void CountDeletion(LONG result, EraseOutcome& outcome)
{
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND && result != ERROR_PATH_NOT_FOUND)
        outcome.Failed();
}
