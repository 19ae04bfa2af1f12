// tests/about_test.cpp
// The About box and its links, and where the help command looks for the help file.
#include <gtest/gtest.h>
#include "app/AboutDlg.h"
#include "app/HelpContents.h"
#include "support/ImportHook.h"
#include "support/ViewFixture.h"
#include "resource.h"
#include "AfxRes.h"
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// The shell, the beep and module loading are redirected in this executable's import table, so that
// a click opens no browser and the tests see every call the links make.
struct ShellCall
{
    HWND owner;
    std::string verb;
    std::string file;
    bool hasParameters;
    bool hasDirectory;
    INT show;
};

std::vector<ShellCall> g_shellCalls;
INT_PTR g_shellResult = 42;
std::vector<UINT> g_beeps;
int g_helpProgramLoads = 0;
HMODULE (WINAPI* g_realLoadLibraryA)(LPCSTR) = nullptr;

HINSTANCE WINAPI FakeShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    g_shellCalls.push_back({ owner, verb ? verb : "(null)", file ? file : "(null)", parameters != nullptr,
                             directory != nullptr, show });
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

BOOL WINAPI FakeMessageBeep(UINT type)
{
    g_beeps.push_back(type);
    return TRUE;
}

HMODULE WINAPI CountingLoadLibraryA(LPCSTR path)
{
    size_t n = path ? std::strlen(path) : 0;
    if (n >= 13 && lstrcmpiA(path + n - 13, "\\winhlp32.exe") == 0)
        ++g_helpProgramLoads;
    return g_realLoadLibraryA(path);
}

// Before any test runs, so the count of attempts to load the link cursor covers the whole process.
const bool g_hooked = [] {
    bool shell = HookImport("ShellExecuteA", reinterpret_cast<void*>(&FakeShellExecuteA)) != nullptr;
    bool beep = HookImport("MessageBeep", reinterpret_cast<void*>(&FakeMessageBeep)) != nullptr;
    g_realLoadLibraryA = reinterpret_cast<HMODULE (WINAPI*)(LPCSTR)>(
        HookImport("LoadLibraryA", reinterpret_cast<void*>(&CountingLoadLibraryA)));
    return shell && beep && g_realLoadLibraryA;
}();

void ResetFakes()
{
    g_shellCalls.clear();
    g_shellResult = 42;
    g_beeps.clear();
}

// How a parent tells a static control to paint, as the control asks while painting.
struct Look
{
    HBRUSH brush;
    COLORREF text;
    int bkMode;
    bool underlined;
    std::string face;
};

Look LookOf(HWND hParent, HWND hStatic)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(hStatic)));
    LOGFONTA lf = {};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    Look look = { brush, ::GetTextColor(dc), ::GetBkMode(dc), lf.lfUnderline != 0, lf.lfFaceName };
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    ::DeleteDC(dc);
    return look;
}

HBRUSH NullBrush() { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

void Click(HWND hWnd)
{
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kPurple = RGB(128, 0, 128);

class LinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_hooked);
        ResetFakes();
        RECT rect = { 0, 0, 400, 300 };
        ASSERT_TRUE(m_parent.CreateEx(0, CWnd::RegisterWndClass(nullptr), "links", WS_OVERLAPPEDWINDOW, rect, nullptr, 0));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    HWND MakeStatic(LPCSTR text, DWORD style, int id)
    {
        HWND hWnd = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 25 * m_count++, 300, 20,
                                      m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      ::GetModuleHandleA(nullptr), nullptr);
        ::SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return hWnd;
    }

    CWnd m_parent;
    int m_count = 0;
};

// An id that names no string resource of the program.
const int kIdWithoutString = 4321;

TEST_F(LinkTest, TextLinksAreBlueUnderlinedInTheirOwnFaceOnNoBackground)
{
    LOGFONTA gui = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    for (DWORD align : { SS_LEFT, SS_CENTER, SS_RIGHT }) {
        CStaticLink link("https://www.example.com/");
        ASSERT_TRUE(link.SubclassWindow(MakeStatic("link", align, kIdWithoutString)));
        Look look = LookOf(m_parent, link);
        EXPECT_EQ(look.text, kBlue) << align;
        EXPECT_EQ(look.brush, NullBrush()) << align;
        EXPECT_EQ(look.bkMode, TRANSPARENT) << align;
        EXPECT_TRUE(look.underlined) << align;
        EXPECT_EQ(look.face, gui.lfFaceName) << align;
    }
}

// The longest run of link-blue pixels in any one row of the link as the control itself paints it.
int LongestBlueRun(HWND hStatic)
{
    RECT rect;
    ::GetClientRect(hStatic, &rect);
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), rect.right, -rect.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::PatBlt(dc, 0, 0, rect.right, rect.bottom, WHITENESS);
    ::SendMessageA(hStatic, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    int longest = 0;
    for (int y = 0; y < rect.bottom; ++y) {
        int run = 0;
        for (int x = 0; x < rect.right; ++x) {
            run = (pixels[y * rect.right + x] & 0xFFFFFF) == 0x0000FF ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return longest;
}

// What the user sees: a line under the whole text, whichever font the control selects for itself.
TEST_F(LinkTest, LinkIsPaintedWithALineUnderItsText)
{
    HWND hStatic = MakeStatic("www.example.com", SS_LEFT, kIdWithoutString);
    SIZE text = {};
    HDC dc = ::GetDC(hStatic);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextExtentPoint32A(dc, "www.example.com", 15, &text);
    ::SelectObject(dc, old);
    ::ReleaseDC(hStatic, dc);
    CStaticLink link("https://www.example.com/");
    ASSERT_TRUE(link.SubclassWindow(hStatic));

    EXPECT_GE(LongestBlueRun(hStatic), text.cx * 9 / 10);
}

TEST_F(LinkTest, UnderlinedFontIsMadeOnceAndKept)
{
    CStaticLink link("https://www.example.com/");
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("link", SS_LEFT, kIdWithoutString)));
    LookOf(m_parent, link);
    HGDIOBJ first = link.m_underlineFont.m_hObject;
    LookOf(m_parent, link);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(link.m_underlineFont.m_hObject, first);
}

TEST_F(LinkTest, FailedOpenBeepsAndStaysBlueUntilAnOpenSucceeds)
{
    CStaticLink link("https://www.example.com/vestrel/");
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("web", SS_LEFT, kIdWithoutString)));

    g_shellResult = 32;
    Click(link);
    EXPECT_EQ(g_beeps, std::vector<UINT>{ 0 });
    EXPECT_EQ(LookOf(m_parent, link).text, kBlue);

    g_shellResult = 33;
    Click(link);
    EXPECT_EQ(g_beeps.size(), 1u);
    EXPECT_EQ(LookOf(m_parent, link).text, kPurple);

    ASSERT_EQ(g_shellCalls.size(), 2u);
    for (const ShellCall& call : g_shellCalls) {
        EXPECT_EQ(call.owner, nullptr);
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.file, "https://www.example.com/vestrel/");
        EXPECT_FALSE(call.hasParameters);
        EXPECT_FALSE(call.hasDirectory);
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
}

TEST_F(LinkTest, LinkWithoutTargetOpensItsOwnTextAndKeepsIt)
{
    char probe[8];
    ASSERT_EQ(::LoadStringA(::GetModuleHandleA(nullptr), kIdWithoutString, probe, sizeof probe), 0);
    CStaticLink link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("C:\\Docs\\readme.txt", SS_LEFT, kIdWithoutString)));
    Click(link);
    ::SetWindowTextA(link, "something else");
    Click(link);
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[0].file, "C:\\Docs\\readme.txt");
    EXPECT_EQ(g_shellCalls[1].file, "C:\\Docs\\readme.txt");
}

TEST_F(LinkTest, LinkWithoutTargetPrefersTheStringOfItsId)
{
    CStaticLink link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("shown text", SS_LEFT, ID_HELP)));
    Click(link);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].file, "Display online help documentation\nHelp");
}

TEST_F(LinkTest, LinkWithNothingToOpenIgnoresClicks)
{
    CStaticLink link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("", SS_LEFT, kIdWithoutString)));
    Click(link);
    EXPECT_TRUE(g_shellCalls.empty());
    EXPECT_TRUE(g_beeps.empty());
    EXPECT_EQ(LookOf(m_parent, link).text, kBlue);
}

TEST_F(LinkTest, StaticWithoutNotifyStyleTakesClicksOnceItIsALink)
{
    HWND hStatic = MakeStatic("link", SS_LEFT, kIdWithoutString);
    EXPECT_EQ(::SendMessageA(hStatic, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTTRANSPARENT);
    CStaticLink link("https://www.example.com/");
    ASSERT_TRUE(link.SubclassWindow(hStatic));
    EXPECT_EQ(::SendMessageA(hStatic, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTCLIENT);
}

TEST_F(LinkTest, IconLinkKeepsOrdinaryColoursButTakesClicks)
{
    HWND plainIcon = MakeStatic("", SS_ICON, kIdWithoutString);
    CStaticLink link("https://www.example.com/");
    ASSERT_TRUE(link.SubclassWindow(MakeStatic("", SS_ICON, kIdWithoutString)));

    Look ordinary = LookOf(m_parent, plainIcon);
    Look look = LookOf(m_parent, link);
    EXPECT_NE(look.brush, NullBrush());
    EXPECT_EQ(look.brush, ordinary.brush);
    EXPECT_EQ(look.text, ordinary.text);
    EXPECT_FALSE(look.underlined);

    EXPECT_EQ(::SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTCLIENT);
    Click(link);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(LookOf(m_parent, link).brush, ordinary.brush);
}

// Missing, or Wine's own, which has no such cursor (and is a 32-bit program even in a 64-bit prefix).
TEST_F(LinkTest, HelpProgramWithoutTheLinkCursorLeavesTheCursorAndIsTriedOnce)
{
    char path[MAX_PATH + 16] = {};
    ::GetWindowsDirectoryA(path, MAX_PATH);
    std::strcat(path, "\\winhlp32.exe");
    if (HMODULE program = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        const bool hasCursor = ::FindResourceA(program, MAKEINTRESOURCEA(106), RT_GROUP_CURSOR) != nullptr;
        ::FreeLibrary(program);
        if (hasCursor)
            GTEST_SKIP() << path << " holds the link cursor here";
    }

    CStaticLink first("https://www.example.com/");
    CStaticLink second("https://www.example.com/");
    ASSERT_TRUE(first.SubclassWindow(MakeStatic("first", SS_LEFT, kIdWithoutString)));
    ASSERT_TRUE(second.SubclassWindow(MakeStatic("second", SS_LEFT, kIdWithoutString)));
    HCURSOR cross = ::LoadCursorA(nullptr, IDC_CROSS);
    ::SetCursor(cross);
    for (CStaticLink* link : { &first, &second, &first }) {
        LRESULT handled = ::SendMessageA(*link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link->m_hWnd),
                                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(handled, FALSE);
        EXPECT_EQ(::GetCursor(), cross);
    }
    EXPECT_EQ(g_helpProgramLoads, 1);
}

struct CountedLink : CStaticLink
{
    explicit CountedLink(BOOL autoDelete) : CStaticLink(nullptr, autoDelete) {}
    ~CountedLink() override { ++s_deleted; }
    static inline int s_deleted = 0;
};

TEST_F(LinkTest, OnlyAnAutoDeletingLinkGoesWithItsWindow)
{
    CountedLink::s_deleted = 0;
    auto* owned = new CountedLink(TRUE);
    ASSERT_TRUE(owned->SubclassWindow(MakeStatic("owned", SS_LEFT, kIdWithoutString)));
    ::DestroyWindow(owned->m_hWnd);
    EXPECT_EQ(CountedLink::s_deleted, 1);

    CountedLink member(FALSE);
    HWND hWnd = MakeStatic("member", SS_LEFT, kIdWithoutString);
    ASSERT_TRUE(member.SubclassWindow(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CountedLink::s_deleted, 1);
    EXPECT_EQ(member.m_hWnd, nullptr);
}

TEST(HyperLink, EmptyTargetOpensNothing)
{
    ResetFakes();
    CHyperLink link;
    EXPECT_EQ(link.OpenTarget(), nullptr);
    link = "";
    EXPECT_EQ(link.OpenTarget(), nullptr);
    EXPECT_TRUE(g_shellCalls.empty());
}

// Runs the About box; whileOpen runs on this thread once it is up and must close it.
// A box still open after ten seconds is ended with -2 so a broken close fails instead of hanging.
std::function<void(HWND)> g_whileOpen;

BOOL CALLBACK FindDialogOfThread(HWND hWnd, LPARAM lParam)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

HWND OpenDialogOfThisThread()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK WhenOpen(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = OpenDialogOfThisThread();
    if (!box)
        return;
    ::KillTimer(nullptr, id);
    g_whileOpen(box);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (HWND box = OpenDialogOfThisThread())
        ::EndDialog(box, -2);
}

INT_PTR RunAboutBox(std::function<void(HWND)> whileOpen)
{
    g_whileOpen = std::move(whileOpen);
    UINT_PTR open = ::SetTimer(nullptr, 0, 50, WhenOpen);
    UINT_PTR watchdog = ::SetTimer(nullptr, 0, 10000, Watchdog);
    CAboutDlg aboutDlg;
    INT_PTR result = aboutDlg.DoModal();
    ::KillTimer(nullptr, open);
    ::KillTimer(nullptr, watchdog);
    return result;
}

class AboutBox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_hooked);
        ResetFakes();
    }
};

TEST_F(AboutBox, HasNoCloseBoxAndEscapeClosesIt)
{
    INT_PTR result = RunAboutBox([](HWND box) {
        char caption[64] = {};
        ::GetWindowTextA(box, caption, sizeof caption);
        EXPECT_STREQ(caption, "About Vestrel");
        LONG style = ::GetWindowLongA(box, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(box, IDOK));
        ::PostMessageA(::GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AboutBox, OkButtonAndEnterCloseIt)
{
    EXPECT_EQ(RunAboutBox([](HWND box) { ::PostMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }), IDOK);
    EXPECT_EQ(RunAboutBox([](HWND box) { ::PostMessageA(::GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 1); }), IDOK);
}

TEST_F(AboutBox, EachLinkOpensItsOwnTargetAndOtherTextsKeepTheirColours)
{
    RunAboutBox([](HWND box) {
        Look label = LookOf(box, ::GetDlgItem(box, IDC_PRODUCT_LINE));
        EXPECT_NE(label.brush, NullBrush());
        EXPECT_NE(label.text, kBlue);
        EXPECT_FALSE(label.underlined);
        for (int id : { IDC_LINK_WEB, IDC_LINK_BUY, IDC_LINK_SUPPORT }) {
            HWND link = ::GetDlgItem(box, id);
            EXPECT_EQ(LookOf(box, link).text, kBlue) << id;
            Click(link);
            EXPECT_EQ(LookOf(box, link).text, kPurple) << id;
        }
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(g_shellCalls.size(), 3u);
    EXPECT_EQ(g_shellCalls[0].file, "https://www.example.com/vestrel/");
    EXPECT_EQ(g_shellCalls[1].file, "https://www.example.com/vestrel/order");
    EXPECT_EQ(g_shellCalls[2].file, "mailto:support@example.com");
}

TEST_F(AboutBox, ReopenedBoxShowsVisitedLinkBlueAgain)
{
    RunAboutBox([](HWND box) {
        HWND web = ::GetDlgItem(box, IDC_LINK_WEB);
        g_shellResult = 2;
        Click(web);
        EXPECT_EQ(g_beeps.size(), 1u);
        EXPECT_EQ(LookOf(box, web).text, kBlue);
        g_shellResult = 42;
        Click(web);
        EXPECT_EQ(LookOf(box, web).text, kPurple);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    RunAboutBox([](HWND box) {
        EXPECT_EQ(LookOf(box, ::GetDlgItem(box, IDC_LINK_WEB)).text, kBlue);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(g_shellCalls.size(), 2u);
}

TEST(HelpFile, LiesInTheFolderOfTheProgram)
{
    EXPECT_STREQ(HelpFilePath("C:\\prog.exe"), "C:\\VestrelHelp.chm");
    EXPECT_STREQ(HelpFilePath("C:\\Tools\\prog.exe"), "C:\\Tools\\VestrelHelp.chm");
    EXPECT_STREQ(HelpFilePath("C:\\Program Files\\Vestrel\\Vestrel.exe"), "C:\\Program Files\\Vestrel\\VestrelHelp.chm");
    EXPECT_STREQ(HelpFilePath("C:\\Tools\\\\prog.exe"), "C:\\Tools\\VestrelHelp.chm");
    EXPECT_STREQ(HelpFilePath("\\\\server\\share\\Vestrel.exe"), "\\\\server\\share\\VestrelHelp.chm");
}

class HelpCommand : public ViewFixture {};

TEST_F(HelpCommand, ReturnsWhenThereIsNoHelpFile)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    ASSERT_EQ(::GetFileAttributesA(HelpFilePath(module)), INVALID_FILE_ATTRIBUTES);
    View().OnHelpContents();
    SUCCEED();
}

}
