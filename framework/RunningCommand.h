// framework/RunningCommand.h
// One command at a time. While a command of the program's windows runs, its message boxes included,
// no other command starts and nothing closes a window: a command or a close that comes meanwhile, sent
// or posted, waits, and follows in the order it came once the command has returned. Everything else
// (paints, moving and sizing, the system's questions) is handled at once. A dialog's own buttons are
// the dialog's business and work as ever. The running command's cursor stays over the windows, however
// the mouse moves, so that a window handling input meanwhile still shows it is busy.
#pragma once
#include <windows.h>

class CWnd;

class CRunningCommand
{
public:
    // Counts a command for as long as it runs, if the message to wnd starts one; else does nothing.
    CRunningCommand(const CWnd& wnd, UINT message);
    // The outermost command hands what waited for it back to the message queue.
    ~CRunningCommand();
    CRunningCommand(const CRunningCommand&) = delete;
    CRunningCommand& operator=(const CRunningCommand&) = delete;

    // True when a command runs and this message to wnd would start another or close a window: it has
    // been set aside to follow, and is not to be handled now.
    static bool Defers(const CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool IsRunning();
    // Shows cursor now and, while a command runs, over the client area of its windows until it sets
    // another or ends.
    static void SetCursor(HCURSOR cursor);
    // True when this message to wnd asks for a cursor that the running command has set, and it is shown.
    static bool ShowsCursor(const CWnd& wnd, UINT message, LPARAM lParam);

private:
    bool m_counted;
};
