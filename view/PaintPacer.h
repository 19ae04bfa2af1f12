// view/PaintPacer.h
// When a list that a command fills row by row is painted: at display pace, not after every row.
// A paint of the list costs as much as a thousand insertions (about 10 ms under Wine, even for the
// scroll bar alone), so between paints its drawing is held and the rows are only inserted.
#pragma once
#include <windows.h>

class CPaintPacer
{
public:
    using Clock = DWORD (WINAPI*)();    // milliseconds, wrapping like GetTickCount
    // Paints start this far apart, five display frames: rows visibly stream in, the user never waits
    // 100 ms for a fresh picture, and a 25 ms paint leaves the walk most of the time.
    static constexpr DWORD kPace = 80;
    // However slow a paint, the rows get this long between the end of one and the start of the next.
    static constexpr DWORD kLeastRest = 30;

    explicit CPaintPacer(Clock clock = ::GetTickCount) : m_clock(clock) {}

    // A row has come. True when the list is to be painted now: for the first row of a fill, then once
    // a pace has passed since the last paint began and a rest since it ended.
    bool RowAdded();
    // The paint RowAdded asked for is done, with this many rows in the list.
    void Painted(int rows = 0) { m_lastEnd = m_clock(); m_paintedInFill = true; m_rowsPainted = rows; m_damaged = false; }
    int RowsPainted() const { return m_rowsPainted; }
    // The system asked for a paint while drawing was held (the window uncovered or resized): the list
    // drew nothing there, so the next paint draws it whole.
    void Damaged() { m_damaged = true; }
    bool IsDamaged() const { return m_damaged; }
    // A row went in with drawing held; whether anybody asks for paints or not, the fill has begun.
    void Hold() { m_filling = true; }
    // Rows have come since the last Finish: drawing is held and part of the list is unpainted.
    bool Filling() const { return m_filling; }
    // The list has been painted whole with drawing on; the next row starts a new fill.
    void Finish() { m_filling = false; m_paintedInFill = false; m_rowsPainted = 0; m_damaged = false; }

private:
    Clock m_clock;
    DWORD m_lastStart = 0;
    DWORD m_lastEnd = 0;
    bool m_filling = false;
    bool m_paintedInFill = false;
    int m_rowsPainted = 0;
    bool m_damaged = false;
};
