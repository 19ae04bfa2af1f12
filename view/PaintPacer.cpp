// view/PaintPacer.cpp
#include "PaintPacer.h"

bool CPaintPacer::RowAdded()
{
    // Unsigned difference: right across the 49-day wrap of the tick count.
    if (m_paintedInFill && m_clock() - m_lastPaint < kInterval)
        return false;
    m_filling = true;
    return true;
}
