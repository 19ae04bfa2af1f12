// tests/results_test.cpp
// The row operations every finder fills the list with.
#include "support/ViewFixture.h"
#include <commctrl.h>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Counts the deletions the list receives, to tell a cleared list from one left alone.
LRESULT CALLBACK CountDeletions(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter)
{
    if (msg == LVM_DELETEALLITEMS || msg == LVM_DELETEITEM)
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(hWnd, msg, wParam, lParam);
}

}

using ResultRows = ViewFixture;

TEST_F(ResultRows, AppendedRowLandsAfterAllEarlierRowsWithItsTimeOnTheSameRow)
{
    EXPECT_EQ(View().AppendResultRow("C:\\a", "2001/02/03 04:05:06"), 0);
    EXPECT_EQ(View().AppendResultRow("C:\\b"), 1);
    EXPECT_EQ(View().AppendResultRow("C:\\c", "2010/11/12 13:14:15"), 2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{ "C:\\a|2001/02/03 04:05:06", "C:\\b|", "C:\\c|2010/11/12 13:14:15" }));
    EXPECT_EQ(View().GetRowCount(), 3);
}

TEST_F(ResultRows, RowsKeepTheirOrderWhenAHeadingIsClicked)
{
    View().AppendResultRow("zeta", "1");
    View().AppendResultRow("alpha", "2");
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = View().m_hWnd;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 0;
    ::SendMessageA(::GetParent(View().m_hWnd), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(Rows(), (std::vector<std::string>{ "zeta|1", "alpha|2" }));
}

TEST_F(ResultRows, ClearingAnEmptyListSendsNoDeletion)
{
    int deletions = 0;
    ASSERT_TRUE(::SetWindowSubclass(View().m_hWnd, CountDeletions, 1, reinterpret_cast<DWORD_PTR>(&deletions)));
    View().ClearResults();
    EXPECT_EQ(deletions, 0);
    View().AppendResultRow("C:\\a");
    View().ClearResults();
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(View().GetRowCount(), 0);
    ::RemoveWindowSubclass(View().m_hWnd, CountDeletions, 1);
}

// Emptying a long list takes Wine's list seconds; the program answers the system meanwhile, not only
// before and after.
TEST_F(ResultRows, ClearingALongListAnswersTheSystemOnTheWay)
{
    const int kRows = 60000;
    for (int i = 0; i < kRows; ++i)
        View().AppendResultRow("C:\\a\\long\\enough\\path.tmp", "2001/02/03 04:05:06");
    View().ShowAllResults();
    // Asked from another thread, the list's count is answered only when the program answers the system.
    std::vector<int> rowsAtAnswers;
    std::atomic<bool> cleared { false }, asked { false };
    std::thread asker([&] {
        for (; !cleared; ::Sleep(10))
            rowsAtAnswers.push_back(static_cast<int>(::SendMessageA(View().m_hWnd, LVM_GETITEMCOUNT, 0, 0)));
        asked = true;
    });
    View().ClearResults();
    cleared = true;
    for (MSG msg; !asked;)
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    asker.join();
    EXPECT_TRUE(std::any_of(rowsAtAnswers.begin(), rowsAtAnswers.end(), [&](int rows) { return rows > 0 && rows < kRows; }));
    EXPECT_EQ(View().GetRowCount(), 0);
}

TEST_F(ResultRows, RowsCarryNoImageStateOrData)
{
    View().AppendResultRow("C:\\a", "t");
    LVITEMA item = {};
    item.mask = LVIF_PARAM | LVIF_STATE;
    item.stateMask = static_cast<UINT>(-1);
    ASSERT_TRUE(::SendMessageA(View().m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 0);
    EXPECT_EQ(item.state & ~LVIS_FOCUSED, 0u);
}
