// traces/EraseOutcome.h
// What an eraser could not erase, counted as it goes, so the report never claims more than was done;
// what it did erase; and whoever follows the clean, told of each item as it is passed.
#pragma once
#include <windows.h>

// What is not there when an eraser reaches it, or is already on its way out, has been erased: a
// temporary folder changes all the time, and what another program removed meanwhile is not a failure.
inline bool IsGone(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DELETE_PENDING;
}

class EraseProgress
{
public:
    // An item has been passed, erased or not, kept or refused; erased is the count so far.
    virtual void ItemPassed(int erased) = 0;

protected:
    ~EraseProgress() = default;
};

struct EraseOutcome
{
    int notErased = 0;
    int erased = 0;
    EraseProgress* progress = nullptr;

    void Erased() { ++erased; }
    void Failed(int count = 1) { notErased += count; }
    // A deletion's result, with the last error where it failed.
    void Count(bool deleted, DWORD error) { deleted || IsGone(error) ? Erased() : Failed(); }
    void ItemPassed() const
    {
        if (progress)
            progress->ItemPassed(erased);
    }
};
