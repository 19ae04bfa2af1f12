// tests/e2e/shell_e2e.cpp
// The main window as it opens: caption, place, list columns, toolbar, the View menu's bars, Exit.
#include "SessionTest.h"
#include "framework/AfxRes.h"
#include "res/resource.h"
#include <algorithm>

namespace {

class Shell : public SessionTest
{
protected:
    void SetUp() override { StartProgram(); }
};

TEST_F(Shell, MainWindowIsCaptionedWithTheTitleAndCentredOnTheScreen)
{
    EXPECT_EQ("Vestrel v2.00", App().MainCaption());

    RECT window = {}, work = {};
    ASSERT_TRUE(::GetWindowRect(App().MainWindow(), &window));
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_NEAR((work.left + work.right) / 2, (window.left + window.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (window.top + window.bottom) / 2, 1);
}

TEST_F(Shell, ListShowsPathAndTimeColumnsAndNoRows)
{
    const std::vector<ListColumn> expected = { { "History Path", 1000 }, { "Modify Time", 200 } };
    EXPECT_EQ(expected, App().Columns());
    EXPECT_TRUE(App().Rows().empty());
}

TEST_F(Shell, ToolbarHoldsTheCommandButtonsInOrder)
{
    const ToolbarItem separator { 0, true };
    const std::vector<ToolbarItem> expected = {
        { ID_ANALYZE_CACHE, false }, { ID_ANALYZE_HISTORY, false }, { ID_ANALYZE_COOKIE, false },
        { ID_ANALYZE_ADDRESS, false }, separator, { ID_ANALYZE_SYSTEM, false }, separator,
        { ID_ANALYZE_DOCUMENT, false }, { ID_ANALYZE_RUN, false }, separator, { ID_ANALYZE_NET, false },
        separator, { ID_CLEAN_HISTORY, false }, separator, { ID_HELP, false }, { ID_APP_ABOUT, false },
    };
    EXPECT_EQ(expected, App().ToolbarItems());
}

TEST_F(Shell, ViewMenuHidesAndShowsTheToolbar)
{
    HWND toolbar = App().Child(AFX_IDW_TOOLBAR);
    ASSERT_TRUE(toolbar) << "no toolbar with id " << AFX_IDW_TOOLBAR;
    ASSERT_TRUE(::IsWindowVisible(toolbar));
    ASSERT_TRUE(App().PostCommand(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(App().WaitForVisible(toolbar, false)) << "the toolbar stayed visible";
    ASSERT_TRUE(App().PostCommand(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(App().WaitForVisible(toolbar, true)) << "the toolbar did not come back";
}

TEST_F(Shell, ViewMenuHidesAndShowsTheStatusBar)
{
    HWND statusBar = App().Child(AFX_IDW_STATUS_BAR);
    ASSERT_TRUE(statusBar) << "no status bar with id " << AFX_IDW_STATUS_BAR;
    ASSERT_TRUE(::IsWindowVisible(statusBar));
    ASSERT_TRUE(App().PostCommand(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(App().WaitForVisible(statusBar, false)) << "the status bar stayed visible";
    ASSERT_TRUE(App().PostCommand(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(App().WaitForVisible(statusBar, true)) << "the status bar did not come back";
}

TEST_F(Shell, ExitEndsTheProgram)
{
    ASSERT_TRUE(App().PostCommand(ID_APP_EXIT));
    ASSERT_TRUE(App().WaitForExit()) << "the program still runs after Exit";
    EXPECT_EQ(std::optional<DWORD>(0), App().ExitCode());
}

// With its windows managed, as on a desktop: Wine then waits for a window manager whenever one of
// them is hidden, and Xvfb runs none, so whatever the viewer does on the program's thread shows.
class HelpViewer : public SessionTest
{
protected:
    static constexpr char kViewerTitle[] = "Vestrel Help";     // the help file's own window

    void SetUp() override
    {
        ASSERT_TRUE(SetProgramWindowsManaged("Y"));
        StartProgram();
    }
    void TearDown() override
    {
        if (HWND viewer = ::FindWindowA(nullptr, kViewerTitle)) {
            ::PostMessageA(viewer, WM_CLOSE, 0, 0);
            EXPECT_TRUE(App().WaitForVisible(viewer, false)) << "the help viewer did not close";
        }
        SessionTest::TearDown();
        SetProgramWindowsManaged("N");
    }
};

TEST_F(HelpViewer, ContentsOpensTheHelpWhileTheMainWindowKeepsAnswering)
{
    ASSERT_TRUE(App().PostCommand(ID_HELP));
    DWORD slowest = 0;
    HWND viewer = nullptr;
    const ULONGLONG start = ::GetTickCount64();
    // Past the viewer's start, which takes a few seconds here.
    while (::GetTickCount64() - start < 5000 || (!viewer && ::GetTickCount64() - start < 15000)) {
        const auto took = App().AnswerTime(15000);
        ASSERT_TRUE(took) << "the main window took no message for 15 s";
        slowest = std::max(slowest, *took);
        viewer = ::FindWindowA(nullptr, kViewerTitle);
        ::Sleep(50);
    }
    ASSERT_TRUE(viewer) << "no window \"" << kViewerTitle << "\" appeared";
    EXPECT_TRUE(::IsWindowVisible(viewer));
    EXPECT_LT(slowest, 1000u) << "the main window once took " << slowest << " ms to answer";
}

}
