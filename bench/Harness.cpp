// bench/Harness.cpp
// One measurement per run, printed as key=value pairs on one line for bench/run.sh:
//   analyze system|cookie|address   a command from its sending to its report box, in a visible main window
//   erase system|cookie             "Clean history" of that category, to its box
//   overwrite <folder> <name>       the index.dat overwrite of one file
//   bare-walk|bare-delete <folder>...  bare-urlcache|bare-urlcache-delete|bare-typed
//   delete-steps <folder> <n>       what each step of one file's erasure costs, per file
//   list-steps <folder>...          what each step of a listing costs, in a visible main window
//   seed-cookies <n>|seed-typed <n>
#include "Bench.h"
#include "Categories.h"
#include "app/MainFrame.h"
#include "app/VestrelDoc.h"
#include "view/VestrelView.h"
#include "framework/Document.h"
#include "framework/WinApp.h"
#include "resource.h"
#include <commctrl.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class CBenchApp : public CWinApp
{
public:
    CBenchApp() { InitApplication(::GetModuleHandleA(nullptr)); }
};

CBenchApp theBenchApp;

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// The process heap after a command, where the list control keeps its rows: what is in use, and what
// is free but still committed and so still part of the working set.
struct HeapFigures
{
    double busyMb = 0;
    double freeMb = 0;
    long blocks = 0;
};

HeapFigures WalkProcessHeap()
{
    HeapFigures figures;
    HANDLE heap = ::GetProcessHeap();
    PROCESS_HEAP_ENTRY entry = {};
    ::HeapLock(heap);
    while (::HeapWalk(heap, &entry)) {
        if (entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE))
            continue;
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            figures.busyMb += static_cast<double>(entry.cbData + entry.cbOverhead) / (1024.0 * 1024.0);
            ++figures.blocks;
        }
        else
            figures.freeMb += static_cast<double>(entry.cbData) / (1024.0 * 1024.0);
    }
    ::HeapUnlock(heap);
    return figures;
}

// What the list and the first report box did while one command ran.
struct CommandTrace
{
    HWND list = nullptr;
    std::vector<LONGLONG> paints;
    double paintMs = 0;     // inside the list's WM_PAINT
    double resumeMs = 0;    // inside WM_SETREDRAW TRUE: the list updates its scroll bars there
    LONGLONG boxShown = 0;
    int rowsAtBox = -1;
    std::string boxText;
};
CommandTrace g_trace;

WNDPROC g_listProc = nullptr;

// A plain window-procedure subclass: Wine's SetWindowSubclass reads a window property on every
// message, which costs a server round trip and would slow every insertion tenfold.
LRESULT CALLBACK RecordPaints(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool resume = msg == WM_SETREDRAW && wParam;
    if (msg != WM_PAINT && !resume)
        return ::CallWindowProcA(g_listProc, hWnd, msg, wParam, lParam);
    LONGLONG start = Now();
    if (!resume)
        g_trace.paints.push_back(start);
    LRESULT result = ::CallWindowProcA(g_listProc, hWnd, msg, wParam, lParam);
    (resume ? g_trace.resumeMs : g_trace.paintMs) += Milliseconds(start, Now());
    return result;
}

bool IsMessageBox(HWND hWnd)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return std::strcmp(cls, "#32770") == 0;
}

// The box is timed when it is created and answered with OK as soon as it is active.
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && g_trace.boxShown == 0 && IsMessageBox(hWnd)) {
        g_trace.boxShown = Now();
        g_trace.rowsAtBox = ListView_GetItemCount(g_trace.list);
    }
    else if (code == HCBT_ACTIVATE && IsMessageBox(hWnd)) {
        // What the box says, blanks joined, for run.sh to check the count.
        char text[512] = {};
        // The text control: 0xFFFF on Windows, 100 in Wine.
        if (!::GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text))
            ::GetDlgItemTextA(hWnd, 100, text, sizeof text);
        for (char* p = text; *p; ++p)
            if (*p == ' ')
                *p = '_';
        g_trace.boxText = text;
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main window as start-up makes and shows it.
class MainWindow
{
public:
    MainWindow()
        : m_template(IDR_MAINFRAME, RUNTIME_CLASS(CVestrelDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVestrelView))
    {
        m_template.OpenDocumentFile(nullptr);
        m_pFrame = static_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->CenterWindow();
        m_pFrame->UpdateWindow();
    }
    ~MainWindow()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_pFrame->DestroyWindow();
    }
    CVestrelView& View() { return *static_cast<CVestrelView*>(m_pFrame->GetActiveView()); }

    // Sends the command as the menu does and prints how long it took to its box.
    void RunCommand(UINT id)
    {
        g_trace.list = View().m_hWnd;
        double before = PeakWorkingSetMb();
        g_trace.paints.reserve(100000);
        g_listProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(g_trace.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordPaints)));
        HHOOK hook = ::SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, ::GetCurrentThreadId());
        LONGLONG start = Now();
        m_pFrame->SendMessage(WM_COMMAND, id);
        ::UnhookWindowsHookEx(hook);
        ::SetWindowLongPtrA(g_trace.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
        if (g_trace.boxShown == 0) {
            std::printf("error=no-box\n");
            return;
        }
        // Paints up to the box: the longest wait the user had for a fresh picture of the list.
        double maxGap = 0;
        int paints = 0;
        LONGLONG last = start;
        for (LONGLONG paint : g_trace.paints) {
            if (paint > g_trace.boxShown)
                break;
            ++paints;
            maxGap = std::max(maxGap, Milliseconds(last, paint));
            last = paint;
        }
        double peak = PeakWorkingSetMb();
        HeapFigures heap = WalkProcessHeap();
        // Seconds on the counter, which Wine reads from the monotonic clock, for a profile to cut the command out.
        std::printf("from=%.6f to=%.6f ", Milliseconds(0, start) / 1000.0, Milliseconds(0, g_trace.boxShown) / 1000.0);
        std::printf("ms=%.1f rows=%d paints=%d maxgap=%.1f paintms=%.1f resumems=%.1f peakmb=%.1f basemb=%.1f "
                    "heapbusymb=%.1f heapfreemb=%.1f heapblocks=%ld box=%s\n", Milliseconds(start, g_trace.boxShown),
                    g_trace.rowsAtBox, paints, maxGap, g_trace.paintMs, g_trace.resumeMs, peak, before, heap.busyMb,
                    heap.freeMb, heap.blocks, g_trace.boxText.c_str());
    }

private:
    CSingleDocTemplate m_template;
    CMainFrame* m_pFrame = nullptr;     // deletes itself with its window
};

bool EraseCategory(const char* category, Trace& trace)
{
    if (std::strcmp(category, "system") == 0)
        trace = Trace::System;
    else if (std::strcmp(category, "cookie") == 0)
        trace = Trace::Cookie;
    else
        return false;
    return true;
}

void PrintWalk(const WalkResult& result)
{
    std::printf("ms=%.1f items=%ld\n", result.ms, result.items);
}

int Usage()
{
    std::fprintf(stderr, "usage: vestrel_bench analyze|erase|overwrite|bare-*|seed-* ... (see bench/Harness.cpp)\n");
    return 2;
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string verb = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (verb == "analyze" && args.size() == 1 && AnalyzeCommand(argv[2])) {
        MainWindow window;
        window.RunCommand(AnalyzeCommand(argv[2]));
    }
    else if (verb == "erase" && args.size() == 1) {
        Trace trace;
        if (!EraseCategory(argv[2], trace))
            return Usage();
        MainWindow window;
        window.View().RecordCategory(trace);
        // "Clean history" runs only while the list holds a row, as for a user after an analysis.
        window.View().AppendResultRow("analyzed");
        window.View().ShowAllResults();
        window.RunCommand(ID_CLEAN_HISTORY);
    }
    else if (verb == "overwrite" && args.size() == 2) {
        MainWindow window;
        LONGLONG start = Now();
        int done = window.View().OverwriteFile(argv[2], argv[3]);
        std::printf("ms=%.1f done=%d\n", Milliseconds(start, Now()), done);
    }
    else if (verb == "bare-walk" && !args.empty())
        PrintWalk(BareFileWalk(args));
    else if (verb == "bare-delete" && !args.empty())
        PrintWalk(BareDeleteWalk(args));
    else if (verb == "list-steps" && !args.empty()) {
        MainWindow window;
        PrintListSteps(window.View(), args);
    }
    else if (verb == "delete-steps" && args.size() == 2)
        PrintDeleteSteps(argv[2], std::atoi(argv[3]));
    else if (verb == "bare-urlcache")
        PrintWalk(BareUrlCacheWalk());
    else if (verb == "bare-urlcache-delete")
        PrintWalk(BareUrlCacheDelete());
    else if (verb == "bare-typed")
        PrintWalk(BareTypedAddressWalk());
    else if (verb == "seed-cookies" && args.size() == 1)
        std::printf("made=%d\n", SeedCookies(std::atoi(argv[2])));
    else if (verb == "seed-typed" && args.size() == 1)
        std::printf("made=%d\n", SeedTypedAddresses(std::atoi(argv[2])));
    else
        return Usage();
    std::fflush(stdout);
    return 0;
}
