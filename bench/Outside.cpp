// bench/Outside.cpp
// Vestrel timed as a user meets it: the real program in its own process, a command posted to its main
// window, and the time until its report box appears. One measurement per run, on one line:
//   <Vestrel.exe> analyze system|cookie|address     the analysis, from posting it to its box
//   <Vestrel.exe> erase system|cookie [watch]       analysis first (its box answered), then "Clean history"
//                                                  to its box; with watch, also how long the program took
//                                                  to answer WM_NULL and to show a new count, at worst
#include "Categories.h"
#include "Clock.h"
#include "driver/Driver.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

namespace {

// The program's box, looked for with one call every 20 ms, as the driver of the tests waits: looking
// every 2 ms measured no different, within the spread between runs. Not the driver's own WaitForBox,
// which also reads the box's icon off the screen before it returns.
HWND WaitForBox(DWORD pid, DWORD timeoutMs)
{
    for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; ::GetTickCount64() < end; ::Sleep(20))
        for (HWND box = nullptr; (box = ::FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(box, &owner);
            if (owner == pid && ::IsWindowVisible(box))
                return box;
        }
    return nullptr;
}

std::string BoxText(HWND box)
{
    char text[512] = {};
    // The text control: 0xFFFF on Windows, 100 in Wine.
    if (!::GetDlgItemTextA(box, 0xFFFF, text, sizeof text))
        ::GetDlgItemTextA(box, 100, text, sizeof text);
    for (char* p = text; *p; ++p)
        if (*p == ' ')
            *p = '_';
    return text;
}

void Answer(HWND box)
{
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    for (int i = 0; i < 500 && ::IsWindow(box); ++i)
        ::Sleep(2);
}

// While a command runs: the longest the program took to answer WM_NULL, and the longest a count stood in
// its message pane before the next replaced it. Each is asked on a thread of its own: the program answers
// both at each of its turns, and one question must not wait behind the other.
class Watcher
{
public:
    explicit Watcher(const VestrelSession& session)
        : m_answers([this, &session] {
              while (!m_stop) {
                  double took = static_cast<double>(session.AnswerTime(10000).value_or(10000));
                  m_longestAnswerMs = std::max(m_longestAnswerMs, took);
                  ::Sleep(10);
              }
          }),
          m_counts([this, &session] {
              std::string shown;
              LONGLONG since = 0;
              while (!m_stop) {
                  std::string now = session.MessagePaneText();
                  LONGLONG at = Now();
                  if (now != shown) {
                      if (IsCount(now) && IsCount(shown))
                          m_longestCountMs = std::max(m_longestCountMs, Milliseconds(since, at));
                      shown = now;
                      since = at;
                      ++m_texts;
                  }
                  ::Sleep(10);
              }
          }) {}
    ~Watcher() { Stop(); }
    void Stop()
    {
        m_stop = true;
        for (std::thread* thread : { &m_answers, &m_counts })
            if (thread->joinable())
                thread->join();
    }
    void Print() const
    {
        std::printf(" nullms=%.1f panegapms=%.1f panes=%d", m_longestAnswerMs, m_longestCountMs, m_texts);
    }

private:
    static bool IsCount(const std::string& text) { return text.rfind("Cleaning: ", 0) == 0; }

    std::atomic<bool> m_stop { false };
    double m_longestAnswerMs = 0;
    double m_longestCountMs = 0;
    int m_texts = 0;
    std::thread m_answers;
    std::thread m_counts;
};

// Seconds on the counter, which Wine reads from the monotonic clock: what a profiler run with
// perf record -k CLOCK_MONOTONIC_RAW needs to cut out the command.
double Seconds(LONGLONG counter)
{
    return Milliseconds(0, counter) / 1000.0;
}

// Posts the command and times it to its box, which is answered; false when none came.
bool TimeCommand(const VestrelSession& session, DWORD pid, UINT command, double& ms, std::string& text,
                 double& from, double& to)
{
    LONGLONG start = Now();
    session.PostCommand(command);
    HWND box = WaitForBox(pid, 600000);
    LONGLONG end = Now();
    ms = Milliseconds(start, end);
    from = Seconds(start);
    to = Seconds(end);
    if (!box)
        return false;
    text = BoxText(box);
    Answer(box);
    return true;
}

}

int main(int argc, char** argv)
{
    UINT analyze = argc >= 4 ? AnalyzeCommand(argv[3]) : 0;
    std::string verb = argc >= 3 ? argv[2] : "";
    if (!analyze || (verb != "analyze" && verb != "erase")) {
        std::fprintf(stderr, "usage: vestrel_outside <Vestrel.exe> analyze|erase system|cookie|address [watch]\n");
        return 2;
    }
    VestrelSession session(argv[1]);
    if (!session.Started()) {
        std::printf("error=%s\n", session.Error().c_str());
        return 1;
    }
    const DWORD pid = session.ProcessId();
    double ms = 0, from = 0, to = 0;
    std::string text;
    if (!TimeCommand(session, pid, analyze, ms, text, from, to)) {
        std::printf("error=no-box\n");
        return 1;
    }
    if (verb == "erase") {
        std::optional<Watcher> watcher;
        if (argc >= 5 && std::strcmp(argv[4], "watch") == 0)
            watcher.emplace(session);
        bool boxed = TimeCommand(session, pid, ID_CLEAN_HISTORY, ms, text, from, to);
        if (watcher)
            watcher->Stop();
        if (!boxed) {
            std::printf("error=no-box\n");
            return 1;
        }
        std::printf("ms=%.1f from=%.6f to=%.6f box=%s", ms, from, to, text.c_str());
        if (watcher)
            watcher->Print();
    }
    else
        std::printf("ms=%.1f from=%.6f to=%.6f box=%s", ms, from, to, text.c_str());
    std::printf("\n");
    std::fflush(stdout);
    session.Close();
    return 0;
}
