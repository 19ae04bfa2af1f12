// tests/files_test.cpp
// Folder listing and emptying on real trees in the test prefix: what is listed, what is erased, what is
// overwritten, what is counted as left behind, and that nothing outside the folder is ever touched.
#include "FileTree.h"
#include "support/ImportHook.h"
#include "support/ViewFixture.h"
#include "traces/files/TimeText.h"
#include <algorithm>
#include <functional>

using namespace filetree;

namespace {

FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME fields = { year, month, 0, day, hour, minute, second, 0 };
    FILETIME time = {};
    ::SystemTimeToFileTime(&fields, &time);
    return time;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
    ::CloseHandle(file);
}

// The files of a tree depth-first, in the order the file system gives each folder's entries.
void DepthFirst(const std::string& folder, std::vector<std::string>& paths)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DepthFirst(folder + "\\" + name, paths);
        else
            paths.push_back(folder + "\\" + name);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

std::vector<std::string> Paths(const std::vector<std::string>& rows)
{
    std::vector<std::string> paths;
    for (const std::string& row : rows)
        paths.push_back(row.substr(0, row.find('|')));
    return paths;
}

std::vector<std::string> Sorted(std::vector<std::string> items)
{
    std::sort(items.begin(), items.end());
    return items;
}

// Creates what the ANSI calls cannot reach, through a "\\?\" path.
void MakeLongFolder(const std::string& path)
{
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    ASSERT_TRUE(::CreateDirectoryW(wide.c_str(), nullptr)) << path;
}

void MakeLongFile(const std::string& path)
{
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    ::CloseHandle(file);
}

bool LongPathExists(const std::string& path)
{
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    return ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What FindNextFileA gives the code under test while a test redirects it: the real answer, passed through
// this step, which may change the tree under the walk or make the call fail.
std::function<BOOL(BOOL found, const WIN32_FIND_DATAA& entry)> g_afterFindNext;

BOOL WINAPI SteeredFindNextFile(HANDLE find, LPWIN32_FIND_DATAA entry)
{
    BOOL found = RealImport<decltype(&::FindNextFileA)>("kernel32.dll", "FindNextFileA")(find, entry);
    return g_afterFindNext(found, *entry);
}

BOOL WINAPI FailingFlush(HANDLE)
{
    ::SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

using ListFolderTest = ViewFixture;
using DeleteFolderTest = ViewFixture;
using LinkTest = ViewFixture;

}

TEST(TimeTextTest, TimesAreWrittenAsStoredInUtcAndUnreadableOnesAsQuestionMarks)
{
    EXPECT_STREQ(FormatTimeText(FileTimeOf(2021, 3, 4, 5, 6, 7)), "2021/03/04 05:06:07");
    EXPECT_STREQ(FormatTimeText(FILETIME {}), "1601/01/01 00:00:00");
    EXPECT_STREQ(FormatTimeText(FILETIME { 0xFFFFFFFF, 0xFFFFFFFF }), "????" "/??" "/?? ??:??:??");
}

TEST_F(ListFolderTest, EveryFileIsListedDepthFirstAfterEarlierRowsWithItsUtcTime)
{
    TempTree tree;
    std::string readOnly = tree.File("read-only.txt", "r", FILE_ATTRIBUTE_READONLY);
    tree.File("hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
    tree.File("system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
    tree.File("desktop.ini");
    tree.File("index.dat");
    tree.Folder("sub");
    tree.File("sub\\b.txt");
    tree.Folder("sub\\deeper");
    tree.File("sub\\deeper\\c.txt");
    tree.Folder("empty");
    tree.Folder("sub\\empty");
    tree.File("z.txt");
    SetLastWriteTime(readOnly, FileTimeOf(2020, 2, 29, 23, 59, 58));
    std::vector<std::string> expected = { "earlier" };
    DepthFirst(tree.Root(), expected);
    ASSERT_EQ(expected.size(), 9u);

    View().AppendResultRow("earlier", "");
    View().ListFolder(tree.Root().c_str(), "");

    std::vector<std::string> rows = Rows();
    EXPECT_EQ(Paths(rows), expected);
    EXPECT_NE(std::find(rows.begin(), rows.end(), readOnly + "|2020/02/29 23:59:58"), rows.end());
}

TEST_F(ListFolderTest, OnlyAFolderNamedExactlyAsSkippedAndDirectlyInsideIsLeftOut)
{
    TempTree skipped, otherCase, file;
    skipped.Folder("Cookies");
    skipped.File("Cookies\\top.txt");
    skipped.Folder("sub");
    skipped.Folder("sub\\Cookies");
    std::string deeper = skipped.File("sub\\Cookies\\deeper.txt");
    otherCase.Folder("cookies");
    std::string lower = otherCase.File("cookies\\lower.txt");
    std::string named = file.File("Cookies");

    View().ListFolder(skipped.Root().c_str(), "Cookies");
    View().ListFolder(otherCase.Root().c_str(), "Cookies");
    View().ListFolder(file.Root().c_str(), "Cookies");

    EXPECT_EQ(Paths(Rows()), (std::vector<std::string> { deeper, lower, named }));
}

TEST_F(ListFolderTest, WhatLiesBeyondTheAnsiCallsIsListedAsTheErasureCountsIt)
{
    TempTree tree;
    View().ListFolder(tree.Path("missing").c_str(), "");
    EXPECT_TRUE(Rows().empty());

    // Walkable, but one file name and one subfolder name take their paths past what ANSI calls reach.
    std::string deep = tree.Folder(std::string(250 - tree.Root().size(), 'd'));
    std::string reachable = tree.File(deep.substr(tree.Root().size() + 1) + "\\ok.txt");
    std::string longFile = deep + "\\" + std::string(20, 'f');
    std::string longFolder = deep + "\\" + std::string(20, 'e');
    MakeLongFile(longFile);
    MakeLongFolder(longFolder);
    MakeLongFile(longFolder + "\\inner.txt");

    View().ListFolder(tree.Root().c_str(), "");
    EXPECT_EQ(Sorted(Paths(Rows())), Sorted({ reachable, longFile, longFolder }));

    EraseOutcome outcome;
    EXPECT_EQ(View().DeleteFolder(tree.Path("missing").c_str(), "", TRUE, TRUE, FALSE, outcome), 0);
    EXPECT_EQ(outcome.notErased, 0);
    EXPECT_EQ(View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    EXPECT_FALSE(Exists(reachable));
    EXPECT_TRUE(LongPathExists(longFile));
    // The long file, the long subfolder, and the folder that still holds them.
    EXPECT_EQ(outcome.notErased, 3);
}

TEST_F(DeleteFolderTest, FolderThatCannotBeReadWholeIsListedAndCountedNotCleaned)
{
    TempTree tree, broken;
    // Within reach itself, but too long for a search pattern.
    std::string unreadable = tree.Folder(std::string(257 - tree.Root().size() - 1, 'u'));
    MakeLongFile(unreadable + "\\inside.txt");
    broken.File("a.txt");
    broken.File("b.txt");
    g_afterFindNext = [](BOOL, const WIN32_FIND_DATAA&) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };

    View().ListFolder(unreadable.c_str(), "");
    {
        ImportHook next("FindNextFileA", reinterpret_cast<void*>(&SteeredFindNextFile));
        ASSERT_TRUE(next.Installed());
        View().ListFolder(broken.Root().c_str(), "");
    }
    EXPECT_EQ(Paths(Rows()), (std::vector<std::string> { unreadable, broken.Root() }));

    EraseOutcome outcome;
    EXPECT_EQ(View().DeleteFolder(unreadable.c_str(), "", TRUE, TRUE, FALSE, outcome), 0);
    EXPECT_EQ(outcome.notErased, 1);
    EXPECT_TRUE(LongPathExists(unreadable + "\\inside.txt"));
    {
        ImportHook next("FindNextFileA", reinterpret_cast<void*>(&SteeredFindNextFile));
        EXPECT_EQ(View().DeleteFolder(broken.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    }
    EXPECT_EQ(outcome.notErased, 2);
    EXPECT_GT(CountLeft(broken.Root()), 0);
}

TEST_F(DeleteFolderTest, EverythingGoesButTheFolderGiven)
{
    TempTree tree;
    tree.File("read-only.txt", "r", FILE_ATTRIBUTE_READONLY);
    tree.File("hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.File("desktop.ini");
    tree.File("index.dat", Pattern(500), FILE_ATTRIBUTE_READONLY);
    tree.Folder("sub");
    tree.Folder("sub\\deeper");
    tree.File("sub\\deeper\\locked-down.txt", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    tree.Folder("empty");
    tree.File("made-read-only.txt");
    // Writable as the walk lists it, read-only by the time it is erased.
    g_afterFindNext = [&](BOOL found, const WIN32_FIND_DATAA& entry) {
        if (found && std::string(entry.cFileName) == "made-read-only.txt") {
            EXPECT_TRUE(::SetFileAttributesA(tree.Path("made-read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        }
        return found;
    };

    EraseOutcome outcome;
    {
        ImportHook next("FindNextFileA", reinterpret_cast<void*>(&SteeredFindNextFile));
        ASSERT_TRUE(next.Installed());
        EXPECT_EQ(View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    }

    EXPECT_TRUE(::GetFileAttributesA(tree.Root().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(outcome.notErased, 0);
}

TEST_F(DeleteFolderTest, DesktopIniInAnySpellingStaysUntouchedOnlyWhenExcluded)
{
    TempTree tree;
    tree.Folder("one");
    tree.Folder("two");
    std::string spellings[] = { tree.File("desktop.ini", "top", FILE_ATTRIBUTE_READONLY),
                                tree.File("one\\Desktop.ini", "one"), tree.File("two\\DESKTOP.INI", "two") };
    std::string other = tree.File("two\\other.txt");

    EraseOutcome kept;
    View().DeleteFolder(tree.Root().c_str(), "", FALSE, TRUE, FALSE, kept);
    EXPECT_EQ(ReadAll(spellings[0]), "top");
    EXPECT_TRUE(::GetFileAttributesA(spellings[0].c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadAll(spellings[1]), "one");
    EXPECT_EQ(ReadAll(spellings[2]), "two");
    EXPECT_FALSE(Exists(other));
    // Kept on purpose, so neither they nor their folders count as left behind.
    EXPECT_EQ(kept.notErased, 0);

    EraseOutcome erased;
    View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, erased);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(erased.notErased, 0);
}

TEST_F(DeleteFolderTest, SkippedSubfolderStaysWholeOnlyDirectlyInside)
{
    TempTree tree;
    tree.Folder("Cookies");
    std::string spared = tree.File("Cookies\\spared.txt", "keep", FILE_ATTRIBUTE_READONLY);
    tree.Folder("sub");
    tree.Folder("sub\\Cookies");
    tree.File("sub\\Cookies\\deeper.txt");

    EraseOutcome outcome;
    View().DeleteFolder(tree.Root().c_str(), "Cookies", TRUE, TRUE, FALSE, outcome);

    EXPECT_EQ(ReadAll(spared), "keep");
    EXPECT_TRUE(::GetFileAttributesA(spared.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Exists(tree.Path("sub")));
    EXPECT_EQ(outcome.notErased, 0);
}

TEST_F(DeleteFolderTest, HeldIndexDatIsZeroedFromByte64AndStaysAsIntendedUnlessTheZerosFail)
{
    TempTree tree;
    tree.Folder("upper");
    tree.Folder("exact");
    tree.Folder("small");
    std::string big = tree.File("index.dat", Pattern(100000));
    std::string upper = tree.File("upper\\INDEX.DAT", Pattern(300));
    std::string backup = tree.File("index.dat.bak", Pattern(300));
    std::string exact = tree.File("exact\\index.dat", Pattern(64));
    std::string small = tree.File("small\\index.dat", Pattern(10));
    {
        HeldFile held[] = { HeldFile(big), HeldFile(upper), HeldFile(backup), HeldFile(exact), HeldFile(small) };

        // As in the History folder of the Windows directory: deleted, never overwritten.
        EraseOutcome plain;
        EXPECT_EQ(View().DeleteFolder(tree.Root().c_str(), nullptr, TRUE, FALSE, FALSE, plain), 1);
        EXPECT_EQ(Difference(ReadAll(big), Pattern(100000)), "");
        EXPECT_EQ(Difference(ReadAll(upper), Pattern(300)), "");
        // Five held files and the three folders that hold some of them.
        EXPECT_EQ(plain.notErased, 8);

        EraseOutcome outcome;
        EXPECT_EQ(View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
        EXPECT_EQ(Difference(ReadAll(big), Pattern(64) + std::string(100000 - 64, '\0')), "");
        EXPECT_EQ(Difference(ReadAll(upper), Pattern(64) + std::string(300 - 64, '\0')), "");
        EXPECT_EQ(Difference(ReadAll(backup), Pattern(300)), "");
        EXPECT_EQ(Difference(ReadAll(exact), Pattern(64)), "");
        EXPECT_EQ(Difference(ReadAll(small), Pattern(10)), "");
        // Zeroed index files in use have been dealt with, and so have their folders: only the backup counts.
        EXPECT_EQ(outcome.notErased, 1);
    }

    // Zeros that may never have reached the disk: the files go, but not as promised.
    ImportHook flush("FlushFileBuffers", reinterpret_cast<void*>(&FailingFlush));
    ASSERT_TRUE(flush.Installed());
    EraseOutcome unflushed;
    View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, unflushed);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(unflushed.notErased, 2);
}

TEST_F(LinkTest, LinksAreListedAndErasedAsThemselvesAndNothingTheyReachIsTouched)
{
    TempTree outside, tree;
    outside.Folder("full");
    outside.File("full\\keep.txt", Pattern(5000));
    std::string empty = outside.Folder("empty");
    std::string document = outside.File("document.txt", Pattern(3000), FILE_ATTRIBUTE_READONLY);
    std::string cache = outside.File("cache.dat", Pattern(3000));
    std::string shared = outside.File("shared.dat", Pattern(3000));
    tree.Folder("sub");
    std::vector<std::string> links = { tree.Link("full", outside.Path("full")), tree.Link("empty", empty),
                                       tree.Link("document.txt", document), tree.Link("index.dat", cache),
                                       tree.Link("sub\\full", outside.Path("full")),
                                       tree.HardLink("sub\\INDEX.DAT", shared) };
    std::string plain = tree.File("sub\\plain.txt");
    const auto before = Snapshot(outside.Root());

    View().ListFolder(tree.Root().c_str(), "");
    std::vector<std::string> listed = links;
    listed.push_back(plain);
    EXPECT_EQ(Sorted(Paths(Rows())), Sorted(listed));

    // Another name's data is not this file's to zero.
    EXPECT_EQ(View().OverwriteFile(tree.Root().c_str(), "index.dat"), 0);
    EXPECT_EQ(View().OverwriteFile(tree.Path("sub").c_str(), "INDEX.DAT"), 0);
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});

    EraseOutcome outcome;
    EXPECT_EQ(View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    EXPECT_FALSE(Exists(plain));
    EXPECT_FALSE(Exists(tree.Path("sub\\INDEX.DAT")));
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_TRUE(::GetFileAttributesA(document.c_str()) & FILE_ATTRIBUTE_READONLY);
    // Wine cannot remove a link by itself, Windows can: whatever stays is counted, links and folders alike.
    EXPECT_EQ(outcome.notErased, CountLeft(tree.Root()));
}

TEST_F(LinkTest, SubfolderSwappedForALinkDuringTheCleanIsNeitherEnteredNorRemoved)
{
    TempTree outside, aside, tree;
    outside.Folder("victim");
    outside.File("victim\\keep.txt", Pattern(2000));
    outside.File("victim\\index.dat", Pattern(500));
    outside.Folder("victim\\inner");
    outside.File("victim\\inner\\deep.txt", Pattern(100));
    tree.Folder("sub");
    tree.File("sub\\own.txt");
    const auto before = Snapshot(outside.Root());

    // Once the walk has listed "sub" as a folder, and before it goes in, "sub" becomes a link elsewhere.
    g_afterFindNext = [&](BOOL found, const WIN32_FIND_DATAA& entry) {
        if (found && std::string(entry.cFileName) == "sub" && !Exists(aside.Path("sub"))) {
            EXPECT_TRUE(::MoveFileA(tree.Path("sub").c_str(), aside.Path("sub").c_str()));
            tree.Link("sub", outside.Path("victim"));
        }
        return found;
    };
    EraseOutcome outcome;
    {
        ImportHook next("FindNextFileA", reinterpret_cast<void*>(&SteeredFindNextFile));
        ASSERT_TRUE(next.Installed());
        View().DeleteFolder(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    }

    EXPECT_TRUE(Exists(aside.Path("sub"))) << "the swap never happened";
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_EQ(outcome.notErased, CountLeft(tree.Root()));
    EXPECT_GT(outcome.notErased, 0);
}
