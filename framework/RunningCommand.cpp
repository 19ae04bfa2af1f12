#include "RunningCommand.h"
#include "Dialog.h"
#include <utility>
#include <vector>

namespace {

// Commands that run inside one another (a box's own loop, a pump of a long command) count as one.
int s_depth = 0;
HCURSOR s_cursor = nullptr;

std::vector<MSG>& Waiting()
{
    static std::vector<MSG> waiting;
    return waiting;
}

bool IsCommandWindow(const CWnd& wnd)
{
    return !wnd.IsKindOf(RUNTIME_CLASS(CDialog));
}

bool StartsCommand(UINT message)
{
    return message == WM_COMMAND;
}

bool Closes(UINT message, WPARAM wParam)
{
    return message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

}

CRunningCommand::CRunningCommand(const CWnd& wnd, UINT message)
    : m_counted(StartsCommand(message) && IsCommandWindow(wnd))
{
    if (m_counted)
        ++s_depth;
}

CRunningCommand::~CRunningCommand()
{
    if (!m_counted || --s_depth != 0)
        return;
    s_cursor = nullptr;
    // Posted, each reaches its window as a message of its own, after what the command left queued.
    for (const MSG& msg : std::exchange(Waiting(), {}))
        ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

bool CRunningCommand::Defers(const CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_depth == 0 || !IsCommandWindow(wnd) || !(StartsCommand(message) || Closes(message, wParam)))
        return false;
    try {
        Waiting().push_back({ wnd.m_hWnd, message, wParam, lParam, 0, {} });
    }
    // Out of memory it is dropped, as a busy window drops a click.
    catch (...) {
    }
    return true;
}

bool CRunningCommand::IsRunning()
{
    return s_depth > 0;
}

void CRunningCommand::SetCursor(HCURSOR cursor)
{
    ::SetCursor(cursor);
    if (IsRunning())
        s_cursor = cursor;
}

// The borders keep their own cursors, since moving and sizing work meanwhile.
bool CRunningCommand::ShowsCursor(const CWnd& wnd, UINT message, LPARAM lParam)
{
    if (message != WM_SETCURSOR || !s_cursor || LOWORD(lParam) != HTCLIENT || !IsCommandWindow(wnd))
        return false;
    ::SetCursor(s_cursor);
    return true;
}
