// view/EraseOutcome.h
// What an eraser could not erase, counted as it goes, so the report never claims more than was done.
#pragma once

struct EraseOutcome
{
    int notErased = 0;
    void Failed(int count = 1) { notErased += count; }
};
