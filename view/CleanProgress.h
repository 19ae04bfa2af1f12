// view/CleanProgress.h
// A clean runs on the window's thread. While one runs long, the program keeps painting and answering the
// system, and the status bar counts the items erased so far; a quick clean shows no count at all. A count
// shown stands until the clean has ended, its boxes closed, and then gives way to the idle text.
#pragma once
#include "traces/EraseOutcome.h"

class CFrameWnd;

class CCleanProgress : public EraseProgress
{
public:
    // A clean quicker than this shows no count: it would only flicker.
    static constexpr DWORD kQuiet = 250;
    // How often a long clean answers, paints and shows its count: the system gets its answer within
    // 200 ms even when one item takes as long again, and the count visibly moves.
    static constexpr DWORD kPace = 100;

    // Starts the clean's clock; frame shows the count, when there is one.
    explicit CCleanProgress(CFrameWnd* frame);
    ~CCleanProgress();
    CCleanProgress(const CCleanProgress&) = delete;
    CCleanProgress& operator=(const CCleanProgress&) = delete;

    void ItemPassed(int erased) override;

private:
    CFrameWnd* m_frame;
    DWORD m_start;
    DWORD m_lastAnswer;
    bool m_shown = false;
};
