// view/PaintPacer.h
// When a list that a command fills row by row is painted: at display pace, not after every row.
// A paint of the list costs as much as thousands of insertions (about 10 ms under Wine), so between
// paints its drawing is held and the rows are only inserted.
#pragma once
#include <windows.h>

class CPaintPacer
{
public:
    using Clock = DWORD (WINAPI*)();    // milliseconds, wrapping like GetTickCount
    // Two or three frames of a display: rows still visibly stream in.
    static constexpr DWORD kInterval = 40;

    explicit CPaintPacer(Clock clock = ::GetTickCount) : m_clock(clock) {}

    // A row has come. True when the list is to be painted now: for the first row of a fill, then
    // once at least an interval has passed since the last paint.
    bool RowAdded();
    // Rows have come since the last Finish: drawing is held and part of the list is unpainted.
    bool Filling() const { return m_filling; }
    // The list has been painted whole with drawing on; the next row starts a new fill.
    void Finish() { m_filling = false; }

private:
    Clock m_clock;
    DWORD m_lastPaint = 0;
    bool m_filling = false;
};
