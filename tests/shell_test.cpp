// tests/shell_test.cpp
// The main window as start-up leaves it: caption, bars, list, command state.
#include "support/BoxCatcher.h"
#include "support/FrameFixture.h"
#include "framework/ControlBar.h"
#include "framework/Gdi.h"
#include "framework/RunningCommand.h"
#include "view/Cursor.h"
#include "resource.h"
#include <commctrl.h>

namespace {

std::string Caption(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

}

TEST_F(FrameFixture, CaptionIsTheTitleAloneWhateverTheDocumentIsCalled)
{
    EXPECT_EQ(Caption(Frame().m_hWnd), "Vestrel v2.00");
    Document().SetTitle("report.txt");
    EXPECT_EQ(Caption(Frame().m_hWnd), "Vestrel v2.00");
}

// Another program may post a close to any window; the view goes only with its frame.
TEST_F(FrameFixture, ViewStaysWhenAskedToCloseAlone)
{
    const HWND view = View().m_hWnd;
    ::SendMessageA(view, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(view));
}

// Only an erasure under way holds up a logoff: not a category that erases nothing, nor a box shown once
// everything is erased.
TEST_F(FrameFixture, LogoffGoesAheadWhileACleansBoxIsOpen)
{
    std::vector<DWORD_PTR> answers;
    {
        BoxCatcher catcher([&] {
            DWORD_PTR answer = 0;
            EXPECT_TRUE(::SendMessageTimeoutA(Frame().m_hWnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                              5000, &answer));
            answers.push_back(answer);
        });
        View().RecordCategory(Trace::Search);
        View().OnCleanHistory();
        View().RecordCategory(Trace::Logon);
        View().OnCleanHistory();
    }
    g_pszCategory = "";
    // "OnDeleteSearch()", then "OnDeleteLogon()" and the cleaned message.
    EXPECT_EQ(answers, std::vector<DWORD_PTR>({ TRUE, TRUE, TRUE }));
}

TEST_F(FrameFixture, ListHasTwoColumnsOfFixedWidthAndGridRows)
{
    CListCtrl list = View().GetListCtrl();
    char heading[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(heading, "History Path");
    ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(heading, "Modify Time");
    EXPECT_FALSE(::SendMessageA(list, LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(list.GetColumnWidth(0), 1000);
    EXPECT_EQ(list.GetColumnWidth(1), 200);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    LONG style = ::GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_OWNERDATA | LVS_SINGLESEL | LVS_EDITLABELS), 0);
    EXPECT_TRUE(::GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(FrameFixture, CleanHistoryIsDisabledUntilTheListHoldsRows)
{
    IdleUpdate();
    HWND toolbar = Bar(AFX_IDW_TOOLBAR);
    EXPECT_FALSE(::SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_CLEAN_HISTORY, 0));
    EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_ANALYZE_CACHE, 0));
    EXPECT_TRUE(MenuState(0, ID_CLEAN_HISTORY) & MF_GRAYED);
    EXPECT_FALSE(MenuState(0, ID_ANALYZE_RUN) & MF_GRAYED);

    View().AppendResultRow("C:\\x");
    IdleUpdate();
    EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_CLEAN_HISTORY, 0));
    EXPECT_FALSE(MenuState(0, ID_CLEAN_HISTORY) & MF_GRAYED);
}

TEST_F(FrameFixture, ViewMenuHidesAndShowsEachBarWithItsCheckMark)
{
    for (UINT nID : { ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR }) {
        HWND bar = Bar(nID);
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(MenuState(1, nID) & MF_CHECKED);
        Frame().SendMessage(WM_COMMAND, nID);
        EXPECT_FALSE(::GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(MenuState(1, nID) & MF_CHECKED);
        Frame().SendMessage(WM_COMMAND, nID);
        EXPECT_TRUE(::GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
        EXPECT_TRUE(MenuState(1, nID) & MF_CHECKED);
    }
}

TEST_F(FrameFixture, ToolbarHoldsElevenButtonsAndFiveSeparatorsInOrder)
{
    HWND toolbar = Bar(AFX_IDW_TOOLBAR);
    const int expected[] = { ID_ANALYZE_CACHE, ID_ANALYZE_HISTORY, ID_ANALYZE_COOKIE, ID_ANALYZE_ADDRESS, 0,
                             ID_ANALYZE_SYSTEM, 0, ID_ANALYZE_DOCUMENT, ID_ANALYZE_RUN, 0, ID_ANALYZE_NET, 0,
                             ID_CLEAN_HISTORY, 0, ID_HELP, ID_APP_ABOUT };
    ASSERT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        TBBUTTON button = {};
        ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(expected[i] == 0, (button.fsStyle & TBSTYLE_SEP) != 0) << "place " << i + 1;
        if (expected[i]) {
            EXPECT_EQ(button.idCommand, expected[i]) << "place " << i + 1;
        }
    }
    EXPECT_TRUE(::GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_EQ(HIWORD(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0)), 55);
}

TEST_F(FrameFixture, ToolbarShowsTheTrueColourListsForEveryState)
{
    HWND toolbar = Bar(AFX_IDW_TOOLBAR);
    for (UINT msg : { TB_GETIMAGELIST, TB_GETDISABLEDIMAGELIST, TB_GETHOTIMAGELIST }) {
        auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, msg, 0, 0));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list), 11);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        EXPECT_EQ(cx, 48);
        EXPECT_EQ(cy, 48);
    }
}

TEST_F(FrameFixture, StatusBarShowsReadyAndTheKeyIndicatorsFollowTheirLocks)
{
    auto* pBar = static_cast<CStatusBar*>(CWnd::FromHandlePermanent(Bar(AFX_IDW_STATUS_BAR)));
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Ready");
    IdleUpdate();
    EXPECT_EQ(std::string(pBar->GetPaneText(1)), (::GetKeyState(VK_CAPITAL) & 1) ? "CAP" : "");
    EXPECT_EQ(std::string(pBar->GetPaneText(2)), (::GetKeyState(VK_NUMLOCK) & 1) ? "NUM" : "");
    EXPECT_EQ(std::string(pBar->GetPaneText(3)), (::GetKeyState(VK_SCROLL) & 1) ? "SCRL" : "");
}

TEST_F(FrameFixture, MenuAndToolbarPromptsFillTheMessagePaneUntilTheyAreLeft)
{
    auto* pBar = static_cast<CStatusBar*>(CWnd::FromHandlePermanent(Bar(AFX_IDW_STATUS_BAR)));
    HMENU hClean = ::GetSubMenu(::GetMenu(Frame().m_hWnd), 0);
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_CLEAN_HISTORY, MF_STRING), reinterpret_cast<LPARAM>(hClean));
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Clean the specific history analyzed out");
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Ready");

    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = Bar(AFX_IDW_TOOLBAR);
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_ANALYZE_CACHE;
    Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Analyze Internet Explorer cache");
    hot.dwFlags = HICF_LEAVING;
    Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Ready");
}

// Input is handled while a long command runs: the mouse crossing the window must not make it look idle.
TEST_F(FrameFixture, WhileACommandRunsItsCursorAndMessageStayWhateverTheMouseCrosses)
{
    auto* pBar = static_cast<CStatusBar*>(CWnd::FromHandlePermanent(Bar(AFX_IDW_STATUS_BAR)));
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = Bar(AFX_IDW_TOOLBAR);
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_ANALYZE_CACHE;
    HMENU hClean = ::GetSubMenu(::GetMenu(Frame().m_hWnd), 0);
    {
        CRunningCommand command(View(), WM_COMMAND);
        ShowWaitCursor();
        Frame().SetMessageText("Cleaning: 3 items erased so far");
        for (HWND over : { View().m_hWnd, Bar(AFX_IDW_TOOLBAR), Bar(AFX_IDW_STATUS_BAR) }) {
            ::SendMessageA(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), overClient);
            EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
        }
        Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
        Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_CLEAN_HISTORY, MF_STRING), reinterpret_cast<LPARAM>(hClean));
        Frame().SendMessage(WM_EXITMENULOOP);
        EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Cleaning: 3 items erased so far");
    }
    View().SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(View().m_hWnd), overClient);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
    Frame().SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(std::string(pBar->GetPaneText(0)), "Analyze Internet Explorer cache");
}

TEST_F(FrameFixture, TooltipIsTheTextAfterTheNewline)
{
    NMTTDISPINFOA info = {};
    info.hdr.idFrom = ID_CLEAN_HISTORY;
    info.hdr.code = TTN_GETDISPINFOA;
    Frame().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.szText, "Clean history");
    info.hdr.idFrom = ID_ANALYZE_LOGON;
    Frame().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.szText, "Analyze Windows Logon history");
}

TEST(ToolbarImages, OnlyPixelsOfExactlyTheMaskColourAreTransparent)
{
    // A 2x1 strip of one image: the mask colour, and a grey one level off.
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(hbm, nullptr);
    BYTE* p = static_cast<BYTE*>(bits);
    p[0] = p[1] = p[2] = 128;
    p[3] = 128; p[4] = 128; p[5] = 129;
    CBitmap bitmap;
    bitmap.Attach(hbm);
    CImageList list;
    ASSERT_TRUE(list.Create(2, 1, ILC_COLOR24 | ILC_MASK, 0, 0));
    ASSERT_NE(list.Add(&bitmap, RGB(128, 128, 128)), -1);

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP target = ::CreateCompatibleBitmap(screen, 2, 1);
    HGDIOBJ old = ::SelectObject(dc, target);
    RECT all = { 0, 0, 2, 1 };
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::FillRect(dc, &all, white);
    ImageList_Draw(list, 0, dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 1, 0), RGB(129, 128, 128));
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}
