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
    // Three frames of a display: rows still visibly stream in, and a paint that takes 30 ms
    // (drawing resumed, scroll bars and rows drawn) leaves the walk most of the time.
    static constexpr DWORD kInterval = 50;

    explicit CPaintPacer(Clock clock = ::GetTickCount) : m_clock(clock) {}

    // A row has come. True when the list is to be painted now: for the first row of a fill, then
    // once at least an interval has passed since the last paint ended.
    bool RowAdded();
    // The paint RowAdded asked for is done. The interval counts from here, so however slow a paint
    // is, the rows get an interval of their own between paints.
    void Painted() { m_lastPaint = m_clock(); m_paintedInFill = true; }
    // A row went in with drawing held; whether anybody asks for paints or not, the fill has begun.
    void Hold() { m_filling = true; }
    // Rows have come since the last Finish: drawing is held and part of the list is unpainted.
    bool Filling() const { return m_filling; }
    // The list has been painted whole with drawing on; the next row starts a new fill.
    void Finish() { m_filling = false; m_paintedInFill = false; }

private:
    Clock m_clock;
    DWORD m_lastPaint = 0;
    bool m_filling = false;
    bool m_paintedInFill = false;
};
