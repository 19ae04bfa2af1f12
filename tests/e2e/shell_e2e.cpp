// tests/e2e/shell_e2e.cpp
// The main window as it opens: caption, place, version resource, list columns, toolbar, the View
// menu's bars, Exit.
#include "SessionTest.h"
#include "framework/AfxRes.h"
#include "res/resource.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

// A text of the version resource, in the first language it lists; empty if it has none.
std::string VersionText(std::vector<char>& info, const char* name)
{
    struct Translation { WORD language, codePage; }* translation = nullptr;
    char* text = nullptr;
    UINT size = 0;
    if (!::VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size)
        || size < sizeof *translation)
        return {};
    char path[80];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\%s", translation->language, translation->codePage, name);
    return ::VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&text), &size) && size ? text : "";
}

// What Windows shows in the file's Properties is what the program shows: the version of its title,
// "Vestrel v<major>.<minor><patch>", and the copyright of its About box.
TEST_F(Shell, VersionResourceGivesTheTitlesVersionAndTheAboutBoxsCopyright)
{
    const std::string path = ProgramPath();
    DWORD ignored = 0;
    std::vector<char> info(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource in " << path;
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    const std::string title = App().MainCaption();
    const size_t v = title.rfind(" v");
    ASSERT_NE(v, std::string::npos) << title;
    const std::string version = title.substr(v + 2);
    const size_t dot = version.find('.');
    ASSERT_TRUE(dot != std::string::npos && version.size() == dot + 3) << title;
    const int major = std::stoi(version.substr(0, dot)), minor = version[dot + 1] - '0', patch = version[dot + 2] - '0';

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, patch)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(VersionText(info, "FileVersion"), std::to_string(major) + "." + std::to_string(minor) + "." +
                                                 std::to_string(patch) + ".0");
    EXPECT_EQ(VersionText(info, "ProductVersion"), version);
    EXPECT_EQ(VersionText(info, "ProductName"), title.substr(0, v));
    EXPECT_EQ(VersionText(info, "OriginalFilename"), path.substr(path.find_last_of("\\/") + 1));
    EXPECT_NE(VersionText(info, "FileDescription"), "");

    ASSERT_TRUE(App().PostCommand(ID_APP_ABOUT));
    const auto box = App().WaitForBox();
    ASSERT_TRUE(box) << "no About box";
    char line[256] = {};
    ::GetDlgItemTextA(box->hwnd, IDC_PRODUCT_LINE, line, sizeof line);
    EXPECT_EQ(title + "  " + VersionText(info, "LegalCopyright"), line);
    EXPECT_TRUE(App().CloseBox(*box));
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
