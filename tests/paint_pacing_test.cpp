// tests/paint_pacing_test.cpp
// A long walk paints the list at display pace, holds its drawing in between, and leaves it whole,
// drawn and with drawing on when the report appears.
#include "support/BoxCatcher.h"
#include "support/ViewFixture.h"
#include "view/PaintPacer.h"
#include <commctrl.h>
#include <string>
#include <utility>
#include <vector>

namespace {

DWORD g_now = 0;
DWORD WINAPI FakeClock() { return g_now; }

// Counts the paints a pacer asks for while rows come `step` ms apart and each paint takes `paintCost` ms,
// the moments they start kept in `starts`.
int PaintsForRows(CPaintPacer& pacer, int rows, DWORD step, DWORD paintCost = 0, std::vector<DWORD>* starts = nullptr)
{
    int paints = 0;
    for (int i = 0; i < rows; ++i) {
        g_now += step;
        if (!pacer.RowAdded())
            continue;
        ++paints;
        if (starts)
            starts->push_back(g_now);
        g_now += paintCost;
        pacer.Painted();
    }
    return paints;
}

TEST(PaintPacer, BurstPaintsItsFirstRowAtOnceThenNothingWithinAPace)
{
    g_now = 5000;
    CPaintPacer pacer(FakeClock);
    EXPECT_FALSE(pacer.Filling());
    EXPECT_EQ(PaintsForRows(pacer, 1000, 0), 1);
    EXPECT_TRUE(pacer.Filling());
}

TEST(PaintPacer, SteadyRowsPaintOncePerPaceNeverLessNeverMore)
{
    g_now = 0;
    CPaintPacer pacer(FakeClock);
    std::vector<DWORD> starts;
    PaintsForRows(pacer, 1000, 1, 0, &starts);
    ASSERT_EQ(starts.size(), 1000 / CPaintPacer::kPace + 1);
    for (size_t i = 1; i < starts.size(); ++i)
        EXPECT_EQ(starts[i] - starts[i - 1], CPaintPacer::kPace) << "paint " << i;
}

TEST(PaintPacer, PaintsKeepTheirPaceWhateverTheyCostUntilTheRowsWouldGetLessThanARest)
{
    // With a pace of 80 ms and a rest of 30 ms: paint cost, then the time from one start to the next.
    static_assert(CPaintPacer::kPace == 80 && CPaintPacer::kLeastRest == 30, "the figures below are for these");
    const std::pair<DWORD, DWORD> cases[] = { { 25, 80 }, { 50, 80 }, { 70, 100 }, { 200, 230 } };
    for (const auto& [cost, apart] : cases) {
        g_now = 0;
        CPaintPacer pacer(FakeClock);
        std::vector<DWORD> starts;
        PaintsForRows(pacer, 2000, 1, cost, &starts);
        ASSERT_GT(starts.size(), 2u);
        for (size_t i = 1; i < starts.size(); ++i)
            EXPECT_EQ(starts[i] - starts[i - 1], apart) << "paint " << i << " costing " << cost << " ms";
    }
}

TEST(PaintPacer, SlowRowsEachPaint)
{
    g_now = 0;
    CPaintPacer pacer(FakeClock);
    EXPECT_EQ(PaintsForRows(pacer, 10, CPaintPacer::kPace), 10);
}

TEST(PaintPacer, PaceAndRestHoldAcrossTheTickCountWrap)
{
    g_now = 0xFFFFFFF0u;
    CPaintPacer pacer(FakeClock);
    EXPECT_TRUE(pacer.RowAdded());
    g_now = 0xFFFFFFF0u + CPaintPacer::kPace - 10;      // past the wrap: a slow paint ends
    pacer.Painted();
    g_now = 0xFFFFFFF0u + CPaintPacer::kPace;
    EXPECT_FALSE(pacer.RowAdded());
    g_now = 0xFFFFFFF0u + CPaintPacer::kPace - 10 + CPaintPacer::kLeastRest;
    EXPECT_TRUE(pacer.RowAdded());
}

TEST(PaintPacer, NextFillPaintsItsFirstRowAtOnce)
{
    g_now = 100;
    CPaintPacer pacer(FakeClock);
    EXPECT_TRUE(pacer.RowAdded());
    pacer.Painted();
    pacer.Finish();
    EXPECT_FALSE(pacer.Filling());
    g_now += 1;
    EXPECT_TRUE(pacer.RowAdded());
}

// What the list receives: paints, and whether its drawing is on.
struct ListTrace
{
    int paints = 0;
    bool redraw = true;
};

LRESULT CALLBACK TraceList(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* trace = reinterpret_cast<ListTrace*>(data);
    if (msg == WM_PAINT)
        ++trace->paints;
    else if (msg == WM_SETREDRAW)
        trace->redraw = wParam != 0;
    return ::DefSubclassProc(hWnd, msg, wParam, lParam);
}

// The state of the list at the moment the report box is created.
struct AtBox
{
    HWND list = nullptr;
    const ListTrace* trace = nullptr;
    bool seen = false;
    bool redraw = false;
    bool unpainted = true;
    int rows = -1;
};
AtBox g_atBox;

LRESULT CALLBACK WatchBoxCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && !g_atBox.seen) {
        char cls[16] = {};
        ::GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            g_atBox.seen = true;
            g_atBox.redraw = g_atBox.trace->redraw;
            g_atBox.unpainted = ::GetUpdateRect(g_atBox.list, nullptr, FALSE) != FALSE;
            g_atBox.rows = ListView_GetItemCount(g_atBox.list);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class ListPacing : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        // Paints happen only in a window on the screen.
        ::ShowWindow(::GetParent(View().m_hWnd), SW_SHOWNA);
        ::UpdateWindow(::GetParent(View().m_hWnd));
        g_now = 1000;
        View().m_paintPacer = CPaintPacer(FakeClock);
        ASSERT_TRUE(::SetWindowSubclass(View().m_hWnd, TraceList, 1, reinterpret_cast<DWORD_PTR>(&m_trace)));
    }
    void TearDown() override
    {
        ::RemoveWindowSubclass(View().m_hWnd, TraceList, 1);
        ViewFixture::TearDown();
    }

    // As a walk does: one row, then the repaint request; the clock moves `step` ms per row.
    void Walk(int rows, DWORD step)
    {
        for (int i = 0; i < rows; ++i) {
            g_now += step;
            View().AppendResultRow(("C:\\t\\f" + std::to_string(i)).c_str(), "2001/02/03 04:05:06");
            View().RepaintResultsNow();
        }
    }

    ListTrace m_trace;
};

TEST_F(ListPacing, RowsOfAFastWalkArePaintedOncePerPaceWithDrawingHeldBetween)
{
    Walk(400, 1);
    EXPECT_EQ(m_trace.paints, 400 / static_cast<int>(CPaintPacer::kPace));
    EXPECT_FALSE(m_trace.redraw);
    ASSERT_EQ(View().GetRowCount(), 400);
    std::vector<std::string> rows = Rows();
    EXPECT_EQ(rows.front(), "C:\\t\\f0|2001/02/03 04:05:06");
    EXPECT_EQ(rows.back(), "C:\\t\\f399|2001/02/03 04:05:06");
}

// The list as the screen shows it, frame and scroll bars included.
std::vector<DWORD> Picture(HWND hwnd)
{
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HDC window = ::GetWindowDC(hwnd);
    HDC memory = ::CreateCompatibleDC(window);
    HBITMAP bitmap = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
    // The top byte of a BI_RGB pixel is unused, and what a blit leaves there differs with how the
    // window was last drawn (Wine 10); the colours are what the user sees.
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd, window);
    return pixels;
}

// A paint draws again only what the new rows changed: the user must see what a whole repaint shows.
TEST_F(ListPacing, EachPaintShowsWhatARepaintOfTheWholeListWould)
{
    HWND list = View().m_hWnd;
    const auto expectWholeRepaintShowsTheSame = [&](const char* when) {
        const std::vector<DWORD> shown = Picture(list);
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(shown == Picture(list)) << when;
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    };
    Walk(1, 0);
    expectWholeRepaintShowsTheSame("the first row, in sight");
    // Paints at rows 81, 161, 241 and 321: the last two add rows below a full page.
    ASSERT_LT(ListView_GetCountPerPage(list), 161);
    const int paintsBefore = m_trace.paints;
    Walk(320, 1);
    ASSERT_EQ(m_trace.paints - paintsBefore, 4);
    expectWholeRepaintShowsTheSame("rows below a full page");
    // Uncovered, then resized, while the rows come below the page: the next paint shows it all again.
    ::RedrawWindow(::GetParent(list), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Walk(static_cast<int>(CPaintPacer::kPace), 1);
    expectWholeRepaintShowsTheSame("the window uncovered");
    ::MoveWindow(list, 0, 0, 700, 500, TRUE);
    Walk(static_cast<int>(CPaintPacer::kPace), 1);
    expectWholeRepaintShowsTheSame("the list resized");
    ::SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    Walk(static_cast<int>(CPaintPacer::kPace), 1);
    expectWholeRepaintShowsTheSame("the list scrolled to its top");
    Walk(10, 1);
    View().ShowAllResults();
    expectWholeRepaintShowsTheSame("the end of the walk");
}

TEST_F(ListPacing, ReportFindsTheListWholeDrawnAndDrawingOn)
{
    Walk(250, 0);
    EXPECT_EQ(m_trace.paints, 1);

    g_atBox = AtBox();
    g_atBox.list = View().m_hWnd;
    g_atBox.trace = &m_trace;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, WatchBoxCreation, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    {
        BoxCatcher catcher;
        View().ReportAnalysis(TraceCategoryOf(Trace::System));
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].text, "Windows Temporary file analyzing completed successfully, 250 files found.");
    }
    ::UnhookWindowsHookEx(hook);

    ASSERT_TRUE(g_atBox.seen);
    EXPECT_TRUE(g_atBox.redraw);
    EXPECT_FALSE(g_atBox.unpainted);
    EXPECT_EQ(g_atBox.rows, 250);
    EXPECT_FALSE(View().m_paintPacer.Filling());
}

TEST_F(ListPacing, ANewWalkAfterAReportPaintsItsFirstRowAtOnce)
{
    Walk(10, 0);
    {
        BoxCatcher catcher;
        View().ReportAnalysis(TraceCategoryOf(Trace::System));
    }
    int paintsBefore = m_trace.paints;
    View().ClearResults();
    Walk(1, 0);
    EXPECT_EQ(m_trace.paints, paintsBefore + 1);
}

// The registry finders list without asking for paints: their rows must not each pay for a paint.
TEST_F(ListPacing, RowsListedWithoutPaintRequestsAreInsertedWithDrawingHeldUntilTheReport)
{
    for (int i = 0; i < 100; ++i)
        View().AppendResultRow(("http://example.com/" + std::to_string(i)).c_str());
    EXPECT_FALSE(m_trace.redraw);
    ::UpdateWindow(View().m_hWnd);
    EXPECT_EQ(m_trace.paints, 0);
    {
        BoxCatcher catcher;
        View().ReportAnalysis(TraceCategoryOf(Trace::Address));
    }
    EXPECT_TRUE(m_trace.redraw);
    EXPECT_EQ(m_trace.paints, 1);
    EXPECT_EQ(View().GetRowCount(), 100);
}

}
