// bench/Clock.h
// The one clock of the harness and of the outside driver: QueryPerformanceCounter, which Wine reads from
// the monotonic clock.
#pragma once
#include <windows.h>

inline LONGLONG Now()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// Milliseconds between two readings.
inline double Milliseconds(LONGLONG from, LONGLONG to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
}
