// tests/files_categories_test.cpp
// The temporary-files, recent-documents and network categories end to end in the view: the folders
// they find in the prefix, what they list, what they erase, and the boxes that report it.
#include "support/BoxCatcher.h"
#include "support/FileTree.h"
#include "support/FolderState.h"
#include "support/RegistryState.h"
#include "support/RowList.h"
#include "support/ViewFixture.h"
#include "traces/files/SpecialFolders.h"
#include <shlobj.h>
#include <algorithm>

using namespace filetree;

namespace {

const char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

std::string WindowsTemp()
{
    return WindowsDirectory() + "\\Temp";
}

std::string FoundSpecialFolder(int csidl)
{
    std::string folder(SpecialFolder(csidl));
    EXPECT_FALSE(folder.empty()) << csidl;
    return folder;
}

// GetTempPathA reads TMP first.
class TempVariable
{
public:
    explicit TempVariable(const std::string& folder)
    {
        char old[MAX_PATH] = {};
        m_wasSet = ::GetEnvironmentVariableA("TMP", old, MAX_PATH) != 0;
        m_old = old;
        ::SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~TempVariable() { ::SetEnvironmentVariableA("TMP", m_wasSet ? m_old.c_str() : nullptr); }
    TempVariable(const TempVariable&) = delete;
    TempVariable& operator=(const TempVariable&) = delete;

private:
    bool m_wasSet;
    std::string m_old;
};

void SeedRecentDocs()
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, std::string(kRecentDocs) + "\\.txt", "MRUList", "a"));
}

void ExpectBox(const CaughtBox& box, const std::string& caption, const std::string& text)
{
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
}

using FolderCategoryTest = ViewFixture;

}

TEST_F(FolderCategoryTest, WithoutWindowsTempTheUserTempIsListedAloneAndEmptiedWholeHoweverDeep)
{
    TempTree tree, outside;
    FolderAside windowsTemp(WindowsTemp(), FolderAside::NoFolder);
    TempVariable tmp(tree.Root());
    BoxCatcher boxes;
    View().OnAnalyzeSystem();
    std::vector<std::string> expected = { tree.File("setup.log") };
    tree.Folder("Cookies");
    tree.File("Cookies\\skipped.txt");
    tree.Folder("sub");
    tree.Folder("sub\\Cookies");
    expected.push_back(tree.File("sub\\Cookies\\deeper.txt"));
    // As a package manager or build tool unpacks its tree: 20 levels of 24-character names, with files at
    // several depths beyond the ANSI calls' reach, an index and a read-only second name of a file elsewhere.
    std::string deep = "unpacked";
    tree.Folder(deep);
    for (int level = 1; level <= 20; ++level) {
        deep += "\\" + std::string(24, static_cast<char>('a' + level));
        tree.Folder(deep);
        if (level % 5 == 0)
            expected.push_back(tree.File(deep + "\\file.txt"));
    }
    expected.push_back(tree.File(deep + "\\index.dat", Pattern(500)));
    expected.push_back(tree.HardLink(deep + "\\kept.txt", outside.File("kept.txt", Pattern(100), FILE_ATTRIBUTE_READONLY)));
    const auto before = Snapshot(outside.Root());

    View().OnAnalyzeSystem();
    EXPECT_EQ(Sorted(Paths(Rows())), Sorted(expected));
    EXPECT_STREQ(g_pszCategory, "System");

    Clean(Trace::System);
    EXPECT_TRUE(Exists(tree.Root()));
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_TRUE(Rows().empty());
    EXPECT_STREQ(g_pszCategory, "System");

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 3u);
    ExpectBox(shown[0], kAnalyzingCaption, "Windows Temporary file analyzing completed successfully, no file found.");
    ExpectBox(shown[1], kAnalyzingCaption, "Windows Temporary file analyzing completed successfully, 8 files found.");
    ExpectBox(shown[2], kAppTitle, "Windows Temporary file cleaned sucessfully.");
}

TEST_F(FolderCategoryTest, TempFolderSharedByWindowsAndUserIsListedTwiceAndErasedOnce)
{
    FolderAside original(WindowsTemp(), FolderAside::NoFolder);
    ASSERT_TRUE(::CreateDirectoryA(WindowsTemp().c_str(), nullptr));
    std::string first = WindowsTemp() + "\\first.tmp";
    std::string second = WindowsTemp() + "\\second.tmp";
    MakeFile(first);
    MakeFile(second);
    TempVariable tmp(WindowsTemp() + "\\");
    BoxCatcher boxes;

    View().OnAnalyzeSystem();
    std::vector<std::string> listed = Paths(Rows());
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(listed.begin(), listed.begin() + 2),
              std::vector<std::string>(listed.begin() + 2, listed.end()));
    EXPECT_EQ(std::count(listed.begin(), listed.end(), first), 2);

    Clean(Trace::System);
    EXPECT_EQ(CountLeft(WindowsTemp()), 0);

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    ExpectBox(shown[0], kAnalyzingCaption, "Windows Temporary file analyzing completed successfully, 4 files found.");
    ExpectBox(shown[1], kAppTitle, "Windows Temporary file cleaned sucessfully.");
}

TEST_F(FolderCategoryTest, TempFileInUseStaysAndTheReportSaysSo)
{
    TempTree tree;
    FolderAside windowsTemp(WindowsTemp(), FolderAside::NoFolder);
    TempVariable tmp(tree.Root());
    std::string inUse = tree.File("in-use.tmp");
    std::string unused = tree.File("unused.tmp");
    BoxCatcher boxes;
    {
        HeldFile held(inUse);
        Clean(Trace::System);
    }
    EXPECT_TRUE(Exists(inUse));
    EXPECT_FALSE(Exists(unused));

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    ExpectBox(shown[0], kAppTitle, CleanedText(Trace::System, 1));
}

TEST_F(FolderCategoryTest, RecentDocumentsAreListedThenErasedWithTheirKey)
{
    std::string recent = FoundSpecialFolder(CSIDL_RECENT);
    std::string shortcut = recent + "\\vestrel-report.txt.lnk";
    MakeFile(shortcut);
    SeedRecentDocs();
    BoxCatcher boxes;

    View().OnAnalyzeDocument();
    std::vector<std::string> listed = Paths(Rows());
    EXPECT_NE(std::find(listed.begin(), listed.end(), shortcut), listed.end());
    EXPECT_STREQ(g_pszCategory, "Document");

    Clean(Trace::Document);
    EXPECT_TRUE(Exists(recent));
    EXPECT_EQ(CountLeft(recent), 0);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRecentDocs));
    EXPECT_TRUE(Rows().empty());

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    ExpectBox(shown[0], kAnalyzingCaption, AnalysisText(Trace::Document, static_cast<int>(listed.size())));
    ExpectBox(shown[1], kAppTitle, "Windows recent Documents history cleaned sucessfully.");
}

TEST_F(FolderCategoryTest, RecentDocumentsKeyIsErasedEvenWithoutTheRecentFolder)
{
    std::string recent = FoundSpecialFolder(CSIDL_RECENT);
    FolderAside aside(recent, FolderAside::NoFolder);
    SeedRecentDocs();
    BoxCatcher boxes;

    View().OnAnalyzeDocument();
    EXPECT_TRUE(Rows().empty());
    Clean(Trace::Document);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRecentDocs));
    EXPECT_FALSE(Exists(recent));

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    ExpectBox(shown[0], kAnalyzingCaption, AnalysisText(Trace::Document, 0));
    ExpectBox(shown[1], kAppTitle, "Windows recent Documents history cleaned sucessfully.");
}

TEST_F(FolderCategoryTest, NetworkShortcutsAreListedAndErasedLeavingTheFolder)
{
    std::string nethood = FoundSpecialFolder(CSIDL_NETHOOD);
    std::string share = nethood + "\\Projects on server";
    ASSERT_TRUE(::CreateDirectoryA(share.c_str(), nullptr));
    MakeFile(share + "\\desktop.ini", "[.ShellClassInfo]", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(share + "\\target.lnk");
    BoxCatcher boxes;

    View().OnAnalyzeNet();
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_STREQ(g_pszCategory, "Net");
    Clean(Trace::Net);
    EXPECT_TRUE(Exists(nethood));
    EXPECT_EQ(CountLeft(nethood), 0);
    View().OnAnalyzeNet();

    std::vector<CaughtBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 3u);
    ExpectBox(shown[0], kAnalyzingCaption, AnalysisText(Trace::Net, 2));
    ExpectBox(shown[1], kAppTitle, "Windows Nethood history cleaned sucessfully.");
    ExpectBox(shown[2], kAnalyzingCaption, AnalysisText(Trace::Net, 0));
}
