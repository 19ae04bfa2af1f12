// view/PaintPacer.cpp
#include "PaintPacer.h"

bool CPaintPacer::RowAdded()
{
    DWORD now = m_clock();
    // Unsigned differences: right across the 49-day wrap of the tick count.
    if (m_paintedInFill && (now - m_lastStart < kPace || now - m_lastEnd < kLeastRest))
        return false;
    m_lastStart = now;
    m_filling = true;
    return true;
}
