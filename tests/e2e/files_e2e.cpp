// tests/e2e/files_e2e.cpp
// Temporary files, recent documents and network shortcuts as a user meets them: seeded in the
// prefix's own folders, analyzed, cleaned, and the folders read back.
#include "CategoryTest.h"
#include "tests/support/FolderState.h"
#include "tests/support/RegistryState.h"
#include "tests/support/FileTree.h"
#include <shlobj.h>
#include <algorithm>

namespace {

const char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

// Seeded times and the texts the list must show for them, in UTC whatever the local zone.
const FILETIME kSpring = UtcTime(2019, 5, 6, 7, 8, 9);
const char kSpringText[] = "2019/05/06 07:08:09";
const FILETIME kYearEnd = UtcTime(2001, 12, 31, 23, 59, 58);
const char kYearEndText[] = "2001/12/31 23:59:58";
const FILETIME kOld = UtcTime(1999, 1, 2, 3, 4, 5);
const char kOldText[] = "1999/01/02 03:04:05";

std::string UserTemp()
{
    char temp[MAX_PATH] = {};
    const std::string path(temp, ::GetTempPathA(MAX_PATH, temp));
    return path.substr(0, path.find_last_of('\\'));
}

// Every folder that the three categories cover starts empty and comes back as it was; the program is
// started only once they are in place.
class FolderTraces : public CategoryTest
{
protected:
    void SetUp() override { StartProgram(); }

    std::string Seed(const FolderAside& folder, const std::string& relative, const FILETIME& time)
    {
        return MakeFileAt(folder.Path(relative), time);
    }

    FolderAside m_windowsTemp { WindowsDirectory() + "\\Temp" };
    FolderAside m_userTemp { UserTemp() };
    FolderAside m_recent { SpecialFolderPath(CSIDL_RECENT) };
    FolderAside m_nethood { SpecialFolderPath(CSIDL_NETHOOD) };
    SavedKey m_recentDocs { HKEY_CURRENT_USER, kRecentDocs };
};

TEST_F(FolderTraces, TemporaryFilesOfBothFoldersAreListedWindowsFirstThenAllErased)
{
    const std::string a = Seed(m_windowsTemp, "a.tmp", kSpring);
    const std::string b = Seed(m_windowsTemp, "sub\\b.tmp", kYearEnd);
    // Left out of the listing, by its exact name directly inside, but erased with the rest.
    Seed(m_windowsTemp, "Cookies\\c.txt", kOld);
    const std::string index = MakeFileAt(m_userTemp.Path("index.dat"), kOld, 300);
    const std::string deep = Seed(m_userTemp, "deep\\er\\y.log", kYearEnd);
    const std::string lower = Seed(m_userTemp, "cookies\\z.txt", kSpring);

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_SYSTEM));
    ExpectBox(AnalysisBox("Windows Temporary file analyzing completed successfully, 5 files found."));
    const Rows rows = App().Rows();
    ASSERT_EQ(5u, rows.size());
    EXPECT_EQ(Sorted({ a + "|" + kSpringText, b + "|" + kYearEndText }), SortedRows(rows, 0, 2));
    EXPECT_EQ(Sorted({ index + "|" + kOldText, deep + "|" + kYearEndText, lower + "|" + kSpringText }),
              SortedRows(rows, 2, 5));
    ExpectCleanHistoryEnabled(true);

    CleanExpecting("Windows Temporary file cleaned sucessfully.");
    for (const FolderAside* folder : { &m_windowsTemp, &m_userTemp }) {
        EXPECT_TRUE(PathExists(folder->Path())) << folder->Path() << " itself must stay";
        EXPECT_EQ(std::vector<std::string> {}, NamesIn(folder->Path())) << folder->Path();
    }
}

TEST_F(FolderTraces, RecentDocumentsFromTheMenuAreListedThenErasedWithTheirKey)
{
    const std::string report = Seed(m_recent, "report.doc.lnk", kSpring);
    const std::string notes = Seed(m_recent, "Old\\notes.txt.lnk", kYearEnd);
    const std::string ini = Seed(m_recent, "desktop.ini", kOld);
    ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, std::string(kRecentDocs) + "\\.doc", "0", "report.doc"));

    ASSERT_TRUE(App().PostCommand(ID_ANALYZE_DOCUMENT));
    ExpectBox(AnalysisBox("Windows Documents history analyzing completed successfully, 3 documents found."));
    EXPECT_EQ(Sorted({ report + "|" + kSpringText, notes + "|" + kYearEndText, ini + "|" + kOldText }),
              SortedRows(App().Rows(), 0, 3));
    ExpectCleanHistoryEnabled(true);

    CleanExpecting("Windows recent Documents history cleaned sucessfully.");
    EXPECT_TRUE(PathExists(m_recent.Path()));
    EXPECT_EQ(std::vector<std::string> {}, NamesIn(m_recent.Path()));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRecentDocs));
}

TEST_F(FolderTraces, NetworkShortcutsAreListedThenErasedReadOnlyOnesToo)
{
    const std::string target = Seed(m_nethood, "Share on server\\target.lnk", kSpring);
    const std::string ini = Seed(m_nethood, "Share on server\\desktop.ini", kYearEnd);
    ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_NET));
    ExpectBox(AnalysisBox("Windows Network history analyzing completed successfully, 2 history found."));
    EXPECT_EQ(Sorted({ target + "|" + kSpringText, ini + "|" + kYearEndText }), SortedRows(App().Rows(), 0, 2));

    CleanExpecting("Windows Nethood history cleaned sucessfully.");
    EXPECT_TRUE(PathExists(m_nethood.Path()));
    EXPECT_EQ(std::vector<std::string> {}, NamesIn(m_nethood.Path()));
}

TEST_F(FolderTraces, AnalysisFindingNothingSaysSoEmptiesTheListAndDisablesClean)
{
    Seed(m_recent, "only.lnk", kSpring);
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_DOCUMENT));
    ExpectBox(AnalysisBox("Windows Documents history analyzing completed successfully, 1 documents found."));
    ExpectCleanHistoryEnabled(true);

    // Empty subfolders hold nothing to list.
    ASSERT_TRUE(::CreateDirectoryA(m_nethood.Path("empty").c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_NET));
    ExpectBox(AnalysisBox("Windows Network history analyzing completed successfully, no history found."));
    EXPECT_EQ(Rows {}, App().Rows());
    ExpectCleanHistoryEnabled(false);

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_SYSTEM));
    ExpectBox(AnalysisBox("Windows Temporary file analyzing completed successfully, no file found."));
    EXPECT_EQ(Rows {}, App().Rows());
    ExpectCleanHistoryEnabled(false);
}

TEST_F(FolderTraces, FileHeldOpenByAnotherProgramIsReportedAsNotErasedAndTheRestGoes)
{
    const std::string held = Seed(m_windowsTemp, "held.tmp", kSpring);
    Seed(m_windowsTemp, "free.tmp", kSpring);
    Seed(m_userTemp, "other\\free.log", kOld);
    filetree::HeldFile holder(held);

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_SYSTEM));
    ExpectBox(AnalysisBox("Windows Temporary file analyzing completed successfully, 3 files found."));

    CleanExpecting("Windows Temporary file cleaned, but 1 item could not be erased.");
    EXPECT_EQ(std::vector<std::string> { "held.tmp" }, NamesIn(m_windowsTemp.Path()));
    EXPECT_EQ(std::vector<std::string> {}, NamesIn(m_userTemp.Path()));
}

// What a user sees of a command that runs a while: the program answers the system throughout, the
// status bar counts what a clean has erased, the window can be minimised and restored at once, and the
// commands and the close that arrive meanwhile wait for its end, in the order they came. A logoff is
// refused while it erases.
TEST_F(FolderTraces, LongCleanAnswersShowsItsCountAndRunsNoCommandUntilItEnds)
{
    const int kFiles = 6000;
    for (int i = 0; i < kFiles; ++i)
        Seed(m_userTemp, "many\\" + std::to_string(i % 30) + "\\f" + std::to_string(i) + ".tmp", kOld);

    const DWORD answerMs = TimeBoundMs(200, "the longest answer to WM_NULL during a long analysis and clean");
    struct Watched { DWORD longestWaitMs = 0; int unanswered = 0; std::vector<std::string> panes; };
    // Until the program shows a box: its answers to the system, and every text its message pane shows.
    const auto watchUntilBox = [this, answerMs](DWORD timeoutMs) {
        Watched seen;
        for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; !App().WaitForBox(0) && ::GetTickCount64() < end;) {
            const auto took = App().AnswerTime(answerMs);
            if (!took)
                ++seen.unanswered;
            seen.longestWaitMs = std::max(seen.longestWaitMs, took.value_or(answerMs));
            const std::string pane = App().MessagePaneText();
            if (seen.panes.empty() || seen.panes.back() != pane)
                seen.panes.push_back(pane);
            ::Sleep(10);
        }
        return seen;
    };
    const HWND main = App().MainWindow();
    const auto sessionMayEnd = [main, answerMs] {
        DWORD_PTR answer = 2;
        EXPECT_TRUE(::SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, answerMs, &answer));
        return answer == TRUE;
    };
    const auto iconicBeforeAnyBox = [&](bool iconic) {
        for (const ULONGLONG end = ::GetTickCount64() + 1000; ::GetTickCount64() < end; ::Sleep(10))
            if ((::IsIconic(main) != FALSE) == iconic)
                return !App().WaitForBox(0);
        return false;
    };

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_SYSTEM));
    const Watched analysis = watchUntilBox(60000);
    EXPECT_EQ(0, analysis.unanswered) << "longest wait " << analysis.longestWaitMs << " ms";
    ExpectBox(AnalysisBox("Windows Temporary file analyzing completed successfully, 6000 files found."));

    const auto isCount = [](const std::string& pane) { return pane.rfind("Cleaning: ", 0) == 0; };
    ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
    for (const ULONGLONG end = ::GetTickCount64() + 10000; !isCount(App().MessagePaneText());) {
        ASSERT_LT(::GetTickCount64(), end) << "the clean never showed its count";
        ::Sleep(10);
    }
    EXPECT_FALSE(sessionMayEnd()) << "a logoff in the middle of a clean";
    // One sent as another program sends it, one posted as a click brings it: they run in that order.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(main, WM_COMMAND, ID_ANALYZE_NET, 0, SMTO_NORMAL, answerMs, &ignored));
    ASSERT_TRUE(::PostMessageA(main, WM_COMMAND, ID_ANALYZE_DOCUMENT, 0));
    // A second press of "Clean history": by its turn the list is empty and the command disabled.
    ASSERT_TRUE(::PostMessageA(main, WM_COMMAND, ID_CLEAN_HISTORY, 0));
    ASSERT_TRUE(::PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    EXPECT_TRUE(iconicBeforeAnyBox(true)) << "minimised while the clean runs";
    ASSERT_TRUE(::PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0));
    EXPECT_TRUE(iconicBeforeAnyBox(false)) << "restored while the clean runs";
    // As a task manager's "end task" asks: the program ends, but only after its report.
    ASSERT_TRUE(::PostMessageA(main, WM_CLOSE, 0, 0));
    const Watched clean = watchUntilBox(60000);
    EXPECT_EQ(0, clean.unanswered) << "longest wait " << clean.longestWaitMs << " ms";
    EXPECT_GE(std::count_if(clean.panes.begin(), clean.panes.end(), isCount), 2) << "the count should move";
    ExpectBox(ProgramBox("Windows Temporary file cleaned sucessfully."));
    EXPECT_EQ("Ready", App().MessagePaneText());
    EXPECT_EQ(std::vector<std::string> {}, NamesIn(m_userTemp.Path()));

    ASSERT_TRUE(App().WaitForBox());
    EXPECT_TRUE(sessionMayEnd()) << "a logoff once the clean has ended";
    ExpectBox(AnalysisBox("Windows Network history analyzing completed successfully, no history found."));
    ExpectBox(AnalysisBox("Windows Documents history analyzing completed successfully, no document found."));
    EXPECT_TRUE(App().WaitForExit()) << "the close should follow the commands that came before it";
}

// The program erases what it finds when the user presses the button, not what it listed.
TEST_F(FolderTraces, RecentDocsKeyGoesEvenWhenTheListedFilesAreAlreadyGone)
{
    const std::string gone = Seed(m_recent, "gone.lnk", kSpring);
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRecentDocs, "MRUListEx", "x"));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_DOCUMENT));
    ExpectBox(AnalysisBox("Windows Documents history analyzing completed successfully, 1 documents found."));
    ASSERT_TRUE(::DeleteFileA(gone.c_str()));
    const std::string later = Seed(m_recent, "later.lnk", kYearEnd);

    CleanExpecting("Windows recent Documents history cleaned sucessfully.");
    EXPECT_FALSE(PathExists(later));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRecentDocs));
}

}
