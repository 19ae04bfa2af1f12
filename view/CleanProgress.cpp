// view/CleanProgress.cpp
#include "CleanProgress.h"

CCleanProgress::Due CCleanProgress::ItemDone()
{
    if (!m_running)
        return Nothing;
    DWORD now = m_clock();
    // Unsigned differences: right across the 49-day wrap of the tick count.
    if (now - m_lastAnswer < kPace)
        return Nothing;
    m_lastAnswer = now;
    if (now - m_start < kQuiet)
        return Answer;
    m_shown = true;
    return ShowCount;
}

bool CCleanProgress::End()
{
    bool shown = m_shown;
    m_running = false;
    m_shown = false;
    return shown;
}
