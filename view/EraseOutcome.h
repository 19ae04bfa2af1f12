// view/EraseOutcome.h
// What an eraser could not erase, counted as it goes, so the report never claims more than was done;
// and what it did erase, which a long clean shows as it goes.
#pragma once

struct EraseOutcome
{
    int notErased = 0;
    int erased = 0;
    void Erased() { ++erased; }
    void Failed(int count = 1) { notErased += count; }
};
