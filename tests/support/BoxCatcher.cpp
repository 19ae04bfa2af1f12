// tests/support/BoxCatcher.cpp
#include "BoxCatcher.h"

namespace {

struct Search { DWORD threadId; HWND found; };

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && ::IsWindowVisible(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A message box's text is the static control that is not its icon.
BOOL CALLBACK FindText(HWND hWnd, LPARAM lParam)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0 || (::GetWindowLongA(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    char text[4096] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    if (text[0]) {
        *reinterpret_cast<std::string*>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}

}

BoxCatcher::BoxCatcher(std::function<void()> whileOpen) : m_whileOpen(std::move(whileOpen)), m_thread([this] { Watch(); }) {}

BoxCatcher::~BoxCatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<CaughtBox> BoxCatcher::Boxes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

std::vector<std::string> BoxCatcher::Texts() const
{
    std::vector<std::string> texts;
    for (const CaughtBox& box : Boxes())
        texts.push_back(box.text);
    return texts;
}

void BoxCatcher::Watch()
{
    while (!m_stop) {
        Search search = { 0, nullptr };
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        HWND box = search.found;
        DWORD pid = 0;
        if (box && ::GetWindowThreadProcessId(box, &pid) && pid == ::GetCurrentProcessId()) {
            CaughtBox caught;
            char caption[512] = {};
            ::GetWindowTextA(box, caption, sizeof caption);
            caught.caption = caption;
            ::EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&caught.text));
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_boxes.push_back(caught);
            }
            if (m_whileOpen)
                m_whileOpen();
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            // Wait for it to go so it is not caught twice.
            for (int i = 0; i < 200 && ::IsWindow(box) && ::IsWindowVisible(box); ++i)
                ::Sleep(10);
        }
        ::Sleep(10);
    }
}
