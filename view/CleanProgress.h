// view/CleanProgress.h
// A clean runs on the window's thread. While one runs long, the program keeps painting and answering
// the system, and the status bar counts the items erased so far; a quick clean shows no count at all.
#pragma once
#include <windows.h>

class CCleanProgress
{
public:
    using Clock = DWORD (WINAPI*)();    // milliseconds, wrapping like GetTickCount
    // A clean quicker than this shows no count: it would only flicker.
    static constexpr DWORD kQuiet = 250;
    // How often a long clean answers, paints and shows its count: the system gets its answer within
    // 200 ms even when one item takes as long again, and the count visibly moves.
    static constexpr DWORD kPace = 100;

    explicit CCleanProgress(Clock clock = ::GetTickCount) : m_clock(clock) {}

    void Begin() { m_start = m_lastAnswer = m_clock(); m_running = true; m_shown = false; }
    enum Due { Nothing, Answer, ShowCount };
    // An item is done, erased or not: what is due now.
    Due ItemDone();
    // The clean is over. True when it showed a count, which must now give way to the idle text.
    bool End();

private:
    Clock m_clock;
    DWORD m_start = 0;
    DWORD m_lastAnswer = 0;
    bool m_running = false;
    bool m_shown = false;
};
