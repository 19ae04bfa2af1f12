// view/PaintPacer.cpp
#include "PaintPacer.h"

bool CPaintPacer::RowAdded()
{
    DWORD now = m_clock();
    // Unsigned difference: right across the 49-day wrap of the tick count.
    if (m_filling && now - m_lastPaint < kInterval)
        return false;
    m_filling = true;
    m_lastPaint = now;
    return true;
}
