// tests/files_test.cpp
// Folder listing and emptying on real trees in the test prefix: what is listed, what is erased, what is
// overwritten, what is counted as left behind, and that nothing outside the folder is ever touched.
#include "support/FileTree.h"
#include "support/FolderState.h"
#include "support/ImportHook.h"
#include "support/RowList.h"
#include "traces/files/DeleteFolder.h"
#include "traces/files/FolderWalk.h"
#include "traces/files/ListFolder.h"
#include "traces/files/TimeText.h"
#include <winternl.h>
#include <algorithm>
#include <functional>
#include <map>

using namespace filetree;

namespace {

const auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
const DWORD kPosixDelete = 0x1 | 0x2;    // delete, POSIX semantics
const DWORD kIgnoreReadOnly = 0x10;

void SetLastWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = ::CreateFileW(Long(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
    ::CloseHandle(file);
}

// What a folder's listing gives the code under test while a test redirects it: the real answer, passed
// through this step with the entries listed by name, which may change the tree under the walk, change what
// the listing says of an entry, or make the call fail.
using ListedEntries = std::map<std::string, FILE_ID_BOTH_DIR_INFO*>;
std::function<BOOL(BOOL listed, ListedEntries& names)> g_afterListing;

BOOL WINAPI SteeredListing(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID block, DWORD size)
{
    BOOL listed = RealImport<decltype(&::GetFileInformationByHandleEx)>("kernel32.dll", "GetFileInformationByHandleEx")(
        folder, kind, block, size);
    if (kind != FileIdBothDirectoryInfo)
        return listed;
    ListedEntries names;
    for (auto* entry = static_cast<FILE_ID_BOTH_DIR_INFO*>(block); listed && entry;
         entry = entry->NextEntryOffset ? reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<BYTE*>(entry) + entry->NextEntryOffset) : nullptr)
        names.emplace(std::string(entry->FileName, entry->FileName + entry->FileNameLength / sizeof(WCHAR)), entry);
    return g_afterListing(listed, names);
}

BOOL WINAPI FailingFlush(HANDLE)
{
    ::SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

BOOL WINAPI FailingFileInformation(HANDLE, LPBY_HANDLE_FILE_INFORMATION)
{
    ::SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

// What a volume's deletion refuses while a test steers it: flags of the deletion Windows 10 added, or all
// of them as Windows 7 refuses the whole class; and how often it was asked, and attributes written.
DWORD g_refusedDeletionFlags = 0;
int g_deletionsAsked = 0;
int g_attributesWritten = 0;

BOOL WINAPI SteeredDeletion(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size)
{
    if (kind == kFileDispositionInfoEx) {
        ++g_deletionsAsked;
        if (*static_cast<DWORD*>(information) & g_refusedDeletionFlags) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    if (kind == FileBasicInfo)
        ++g_attributesWritten;
    return RealImport<decltype(&::SetFileInformationByHandle)>("kernel32.dll", "SetFileInformationByHandle")(
        file, kind, information, size);
}

// Whether this platform takes the deletion of these flags: POSIX semantics as Windows 10 has them since 1607,
// a read-only file ignoring its bit since 1809.
bool DeletionTaken(const TempTree& tree, DWORD flags)
{
    std::string probe = tree.File("probe.tmp", "p", flags & kIgnoreReadOnly ? FILE_ATTRIBUTE_READONLY : 0);
    bool taken = false;
    {
        FileHandle file(::CreateFileA(probe.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
        taken = ::SetFileInformationByHandle(file, kFileDispositionInfoEx, &flags, sizeof flags);
    }
    ::SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(probe.c_str());
    return taken;
}

// A folder named "guarded" may be listed but neither changed nor removed, and a file named "delete-only.txt"
// deleted but not changed, as their access lists may say.
NTSTATUS NTAPI GuardedFolderOpen(PHANDLE handle, ACCESS_MASK access, POBJECT_ATTRIBUTES object, PIO_STATUS_BLOCK io,
                                 PLARGE_INTEGER size, ULONG attributes, ULONG share, ULONG disposition, ULONG options,
                                 PVOID extended, ULONG extendedLength)
{
    const UNICODE_STRING& name = *object->ObjectName;
    const std::wstring text(name.Buffer, name.Length / sizeof(WCHAR));
    const DWORD refused = text == L"guarded" ? DELETE | FILE_WRITE_ATTRIBUTES
                        : text == L"delete-only.txt" ? FILE_WRITE_ATTRIBUTES | FILE_WRITE_DATA : 0;
    if (access & refused)
        return static_cast<NTSTATUS>(0xC0000022);   // STATUS_ACCESS_DENIED
    return RealImport<decltype(&::NtCreateFile)>("ntdll.dll", "NtCreateFile")(
        handle, access, object, io, size, attributes, share, disposition, options, extended, extendedLength);
}

}

TEST(TimeTextTest, TimesAreWrittenAsStoredInUtcAndUnreadableOnesAsQuestionMarks)
{
    EXPECT_STREQ(FormatTimeText(UtcTime(2021, 3, 4, 5, 6, 7)), "2021/03/04 05:06:07");
    EXPECT_STREQ(FormatTimeText(FILETIME {}), "1601/01/01 00:00:00");
    EXPECT_STREQ(FormatTimeText(FILETIME { 0xFFFFFFFF, 0xFFFFFFFF }), "????" "/??" "/?? ??:??:??");
}

TEST(ListFolderTest, EveryFileIsListedDepthFirstWithItsUtcTime)
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
    SetLastWriteTime(readOnly, UtcTime(2020, 2, 29, 23, 59, 58));
    const std::vector<std::string> expected = FilesDepthFirst(tree.Root());
    ASSERT_EQ(expected.size(), 8u);

    RowList found;
    ListFolderTree(found, tree.Root().c_str(), "");

    const std::vector<std::string>& rows = found.Rows();
    EXPECT_EQ(Paths(rows), expected);
    EXPECT_NE(std::find(rows.begin(), rows.end(), readOnly + "|2020/02/29 23:59:58"), rows.end());
}

TEST(ListFolderTest, OnlyAFolderNamedExactlyAsSkippedAndDirectlyInsideIsLeftOut)
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

    RowList found;
    ListFolderTree(found, skipped.Root().c_str(), "Cookies");
    ListFolderTree(found, otherCase.Root().c_str(), "Cookies");
    ListFolderTree(found, file.Root().c_str(), "Cookies");

    EXPECT_EQ(Paths(found.Rows()), (std::vector<std::string> { deeper, lower, named }));
}

TEST(ListFolderTest, WhatLiesBeyondTheAnsiCallsIsListedFileByFileAndErased)
{
    TempTree tree;
    RowList found;
    ListFolderTree(found, tree.Path("missing").c_str(), "");
    EXPECT_TRUE(found.Rows().empty());

    // One file name and one subfolder name take their paths past what ANSI calls reach.
    std::string deep = std::string(250 - tree.Root().size(), 'd');
    tree.Folder(deep);
    std::string reachable = tree.File(deep + "\\ok.txt");
    std::string longFile = tree.File(deep + "\\" + std::string(20, 'f'));
    tree.Folder(deep + "\\" + std::string(20, 'e'));
    std::string inner = tree.File(deep + "\\" + std::string(20, 'e') + "\\inner.txt");
    SetLastWriteTime(inner, UtcTime(2020, 2, 29, 23, 59, 58));

    ListFolderTree(found, tree.Root().c_str(), "");
    const std::vector<std::string>& rows = found.Rows();
    EXPECT_EQ(Sorted(Paths(rows)), Sorted({ reachable, longFile, inner }));
    EXPECT_NE(std::find(rows.begin(), rows.end(), inner + "|2020/02/29 23:59:58"), rows.end());

    EraseOutcome outcome;
    EXPECT_EQ(EraseFolderTree(tree.Path("missing").c_str(), "", TRUE, TRUE, FALSE, outcome), 0);
    EXPECT_EQ(EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(outcome.notErased, 0);
}

TEST(DeleteFolderTest, FolderThatCannotBeReadWholeIsListedAndCountedNotCleaned)
{
    TempTree tree, broken;
    // Held open by a program that shares it with nobody.
    std::string unreadable = tree.Folder("held");
    std::string inside = tree.File("held\\inside.txt");
    FileHandle holder(::CreateFileA(unreadable.c_str(), FILE_LIST_DIRECTORY, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(holder.IsValid());
    broken.File("a.txt");
    broken.File("b.txt");
    g_afterListing = [](BOOL, ListedEntries&) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };

    RowList found;
    ListFolderTree(found, unreadable.c_str(), "");
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        ASSERT_TRUE(listing.Installed());
        ListFolderTree(found, broken.Root().c_str(), "");
    }
    EXPECT_EQ(Paths(found.Rows()), (std::vector<std::string> { unreadable, broken.Root() }));

    EraseOutcome outcome;
    EXPECT_EQ(EraseFolderTree(unreadable.c_str(), "", TRUE, TRUE, FALSE, outcome), 0);
    EXPECT_EQ(outcome.notErased, 1);
    EXPECT_TRUE(Exists(inside));
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        EXPECT_EQ(EraseFolderTree(broken.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    }
    EXPECT_EQ(outcome.notErased, 2);
    EXPECT_GT(CountLeft(broken.Root()), 0);
}

TEST(DeleteFolderTest, EverythingGoesButTheFolderGiven)
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
    g_afterListing = [&](BOOL listed, ListedEntries& names) {
        if (listed && names.count("made-read-only.txt")) {
            EXPECT_TRUE(::SetFileAttributesA(tree.Path("made-read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        }
        return listed;
    };

    EraseOutcome outcome;
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        ASSERT_TRUE(listing.Installed());
        EXPECT_EQ(EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    }

    EXPECT_TRUE(::GetFileAttributesA(tree.Root().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(outcome.notErased, 0);
}

// A temporary folder changes all the time: what another program removes while the clean runs, or has
// already deleted while it still holds it, is gone, not left behind.
TEST(DeleteFolderTest, WhatOthersRemoveMeanwhileCountsAsErased)
{
    TempTree tree;
    std::string vanishing = tree.File("vanishing.txt");
    tree.Folder("vanishing");
    tree.File("vanishing\\inner.txt");
    std::string pending = tree.File("pending.txt");
    FileHandle holder(::CreateFileA(pending.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    ASSERT_TRUE(::DeleteFileA(pending.c_str()));
    g_afterListing = [&](BOOL listed, ListedEntries& names) {
        if (listed && names.count("vanishing.txt")) {
            EXPECT_TRUE(::DeleteFileA(vanishing.c_str()));
            RemoveTree(tree.Path("vanishing"));
        }
        return listed;
    };

    EraseOutcome outcome;
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        ASSERT_TRUE(listing.Installed());
        EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    }
    EXPECT_EQ(outcome.notErased, 0);
    holder = FileHandle(INVALID_HANDLE_VALUE);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
}

// Where the platform deletes as Windows 10 and 11 do, a file another program holds open (with delete
// sharing, as a virus scanner or indexer does) leaves its folder at once, and the folder can go; elsewhere
// the file goes when it is let go, and its folder stays and is reported.
TEST(DeleteFolderTest, FileHeldWithDeleteSharingGoesWithItsFolderWherePosixDeletesAreTaken)
{
    TempTree tree;
    const bool posix = DeletionTaken(tree, kPosixDelete);
    tree.Folder("sub");
    std::string held = tree.File("sub\\held.txt");
    FileHandle holder(::CreateFileA(held.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());

    EraseOutcome outcome;
    EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    EXPECT_EQ(Exists(tree.Path("sub")), !posix);
    EXPECT_EQ(outcome.notErased, posix ? 0 : 1);
    holder = FileHandle(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Exists(held));
}

// As Windows 10 1809 and later delete, as 1607 to 1803 do (no ignoring the read-only bit), and as Windows 7
// does (the whole class refused): read-only files go in each, data another name shares keeps every bit, a
// refusal is learnt once for the tree, and where the platform allows it no attribute is written at all.
TEST(DeleteFolderTest, ReadOnlyFilesGoInEveryStyleOfDeletionAndSharedDataKeepsItsBits)
{
    const bool ignoringReadOnly = DeletionTaken(TempTree(), kPosixDelete | kIgnoreReadOnly);
    ImportHook deletion("SetFileInformationByHandle", reinterpret_cast<void*>(&SteeredDeletion));
    ASSERT_TRUE(deletion.Installed());
    for (DWORD refused : { 0ul, kIgnoreReadOnly, 0xFFFFFFFFul }) {
        SCOPED_TRACE(refused);
        TempTree outside, tree;
        std::string shared = outside.File("shared.txt", Pattern(300), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        tree.HardLink("shared.txt", shared);
        tree.File("read-only.txt", "r", FILE_ATTRIBUTE_READONLY);
        tree.Folder("sub");
        tree.File("sub\\locked.txt", "l", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
        tree.File("sub\\plain.txt");
        const auto before = Snapshot(outside.Root());
        g_refusedDeletionFlags = refused;
        g_deletionsAsked = g_attributesWritten = 0;

        EraseOutcome outcome;
        EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
        EXPECT_EQ(CountLeft(tree.Root()), 0);
        EXPECT_EQ(outcome.notErased, 0);
        EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
        if (refused == 0xFFFFFFFF) {
            EXPECT_EQ(g_deletionsAsked, 2);
        }
        if (refused == 0 && ignoringReadOnly) {
            EXPECT_EQ(g_attributesWritten, 0);
        }
    }
    g_refusedDeletionFlags = 0;
}

TEST(DeleteFolderTest, SubfolderThatMayOnlyBeListedIsEmptiedAndCountedAloneAndAFileThatMayOnlyBeDeletedGoes)
{
    TempTree tree;
    tree.Folder("guarded");
    tree.Folder("guarded\\inner");
    tree.File("guarded\\inner\\a.txt");
    tree.File("guarded\\b.txt", "b", FILE_ATTRIBUTE_READONLY);
    tree.File("delete-only.txt");
    ImportHook open("NtCreateFile", reinterpret_cast<void*>(&GuardedFolderOpen));
    ASSERT_TRUE(open.Installed());

    EraseOutcome outcome;
    EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    EXPECT_EQ(CountLeft(tree.Root()), 1);
    EXPECT_TRUE(Exists(tree.Path("guarded")));
    EXPECT_EQ(outcome.notErased, 1);
}

TEST(DeleteFolderTest, DesktopIniInAnySpellingStaysUntouchedOnlyWhenExcluded)
{
    TempTree tree;
    tree.Folder("one");
    tree.Folder("two");
    std::string spellings[] = { tree.File("desktop.ini", "top", FILE_ATTRIBUTE_READONLY),
                                tree.File("one\\Desktop.ini", "one"), tree.File("two\\DESKTOP.INI", "two") };
    std::string other = tree.File("two\\other.txt");

    EraseOutcome kept;
    EraseFolderTree(tree.Root().c_str(), "", FALSE, TRUE, FALSE, kept);
    EXPECT_EQ(ReadAll(spellings[0]), "top");
    EXPECT_TRUE(::GetFileAttributesA(spellings[0].c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadAll(spellings[1]), "one");
    EXPECT_EQ(ReadAll(spellings[2]), "two");
    EXPECT_FALSE(Exists(other));
    // Kept on purpose, so neither they nor their folders count as left behind.
    EXPECT_EQ(kept.notErased, 0);

    EraseOutcome erased;
    EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, erased);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(erased.notErased, 0);
}

TEST(DeleteFolderTest, SkippedSubfolderStaysWholeOnlyDirectlyInside)
{
    TempTree tree;
    tree.Folder("Cookies");
    std::string spared = tree.File("Cookies\\spared.txt", "keep", FILE_ATTRIBUTE_READONLY);
    tree.Folder("sub");
    tree.Folder("sub\\Cookies");
    tree.File("sub\\Cookies\\deeper.txt");

    EraseOutcome outcome;
    EraseFolderTree(tree.Root().c_str(), "Cookies", TRUE, TRUE, FALSE, outcome);

    EXPECT_EQ(ReadAll(spared), "keep");
    EXPECT_TRUE(::GetFileAttributesA(spared.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Exists(tree.Path("sub")));
    EXPECT_EQ(outcome.notErased, 0);
}

TEST(DeleteFolderTest, HeldIndexDatIsZeroedFromByte64AndStaysAsIntendedUnlessTheZerosFail)
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
        EXPECT_EQ(EraseFolderTree(tree.Root().c_str(), nullptr, TRUE, FALSE, FALSE, plain), 1);
        EXPECT_EQ(Difference(ReadAll(big), Pattern(100000)), "");
        EXPECT_EQ(Difference(ReadAll(upper), Pattern(300)), "");
        // Five held files and the three folders that hold some of them.
        EXPECT_EQ(plain.notErased, 8);

        EraseOutcome outcome;
        EXPECT_EQ(EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
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
    EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, unflushed);
    EXPECT_EQ(CountLeft(tree.Root()), 0);
    EXPECT_EQ(unflushed.notErased, 2);

    // An index whose names cannot be counted is not zeroed, and not reported erased.
    tree.File("index.dat", Pattern(300));
    ImportHook links("GetFileInformationByHandle", reinterpret_cast<void*>(&FailingFileInformation));
    ASSERT_TRUE(links.Installed());
    EraseOutcome untold;
    EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, untold);
    EXPECT_EQ(untold.notErased, 1);
}

TEST(LinkTest, LinksAreListedAndErasedAsThemselvesAndNothingTheyReachIsTouched)
{
    TempTree outside, tree;
    outside.Folder("full");
    outside.File("full\\keep.txt", Pattern(5000));
    std::string empty = outside.Folder("empty");
    std::string document = outside.File("document.txt", Pattern(3000), FILE_ATTRIBUTE_READONLY);
    std::string cache = outside.File("cache.dat", Pattern(3000));
    std::string shared = outside.File("shared.dat", Pattern(3000), FILE_ATTRIBUTE_READONLY);
    std::string notes = outside.File("notes.txt", Pattern(3000), FILE_ATTRIBUTE_READONLY);
    tree.Folder("sub");
    std::vector<std::string> links = { tree.Link("full", outside.Path("full")), tree.Link("empty", empty),
                                       tree.Link("document.txt", document), tree.Link("index.dat", cache),
                                       tree.Link("sub\\full", outside.Path("full")),
                                       tree.HardLink("sub\\INDEX.DAT", shared), tree.HardLink("sub\\notes.txt", notes) };
    std::string plain = tree.File("sub\\plain.txt");
    const auto before = Snapshot(outside.Root());

    RowList found;
    ListFolderTree(found, tree.Root().c_str(), "");
    std::vector<std::string> listed = links;
    listed.push_back(plain);
    EXPECT_EQ(Sorted(Paths(found.Rows())), Sorted(listed));

    // Another name's data is not this file's to zero.
    EXPECT_EQ(OverwriteIndexDat(tree.Root().c_str(), "index.dat"), 0);
    EXPECT_EQ(OverwriteIndexDat(tree.Path("sub").c_str(), "INDEX.DAT"), 0);
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});

    EraseOutcome outcome;
    EXPECT_EQ(EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome), 1);
    EXPECT_FALSE(Exists(plain));
    EXPECT_FALSE(Exists(tree.Path("sub\\INDEX.DAT")));
    EXPECT_FALSE(Exists(tree.Path("sub\\notes.txt")));
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_TRUE(::GetFileAttributesA(document.c_str()) & FILE_ATTRIBUTE_READONLY);
    // Wine cannot remove a link by itself, Windows can: whatever stays is counted, links and folders alike.
    EXPECT_EQ(outcome.notErased, CountLeft(tree.Root()));
}

TEST(LinkTest, SubfolderSwappedForALinkDuringTheCleanIsNeitherEnteredNorRemoved)
{
    TempTree outside, aside, tree;
    outside.Folder("victim");
    outside.File("victim\\keep.txt", Pattern(2000));
    outside.File("victim\\index.dat", Pattern(500));
    outside.Folder("victim\\inner");
    outside.File("victim\\inner\\deep.txt", Pattern(100));
    tree.Folder("sub");
    tree.File("sub\\own.txt");
    tree.Folder("held");
    tree.File("held\\held.txt");
    const auto before = Snapshot(outside.Root());

    // Once the walk has listed "sub" as a folder, and before it goes in, "sub" becomes a link elsewhere.
    // "held" cannot: from its check to its removal, the walk holds it in place.
    bool heldListed = false;
    g_afterListing = [&](BOOL listed, ListedEntries& names) {
        if (listed && names.count("sub") && !Exists(aside.Path("sub"))) {
            EXPECT_TRUE(::MoveFileA(tree.Path("sub").c_str(), aside.Path("sub").c_str()));
            tree.Link("sub", outside.Path("victim"));
        }
        if (listed && names.count("held.txt")) {
            heldListed = true;
            EXPECT_FALSE(::MoveFileA(tree.Path("held").c_str(), aside.Path("held").c_str()));
        }
        return listed;
    };
    EraseOutcome outcome;
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        ASSERT_TRUE(listing.Installed());
        EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    }

    EXPECT_TRUE(Exists(aside.Path("sub"))) << "the swap never happened";
    EXPECT_TRUE(heldListed);
    EXPECT_FALSE(Exists(tree.Path("held")));
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_EQ(outcome.notErased, CountLeft(tree.Root()));
    EXPECT_GT(outcome.notErased, 0);
}

// NTFS refreshes the attributes a folder lists for a name only when they change through that name: a second
// name in a temporary folder may list bits its data no longer has, and they must never be written back.
TEST(LinkTest, StaleListedAttributesNeverReachDataAnotherNameShares)
{
    TempTree outside, tree;
    std::string shared = outside.File("shared.txt", Pattern(300));
    tree.HardLink("link.txt", shared);
    const auto before = Snapshot(outside.Root());
    g_afterListing = [](BOOL listed, ListedEntries& names) {
        if (listed && names.count("link.txt"))
            names["link.txt"]->FileAttributes |= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        return listed;
    };

    EraseOutcome outcome;
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&SteeredListing));
        ASSERT_TRUE(listing.Installed());
        EraseFolderTree(tree.Root().c_str(), "", TRUE, TRUE, FALSE, outcome);
    }
    EXPECT_FALSE(Exists(tree.Path("link.txt")));
    EXPECT_EQ(Changed(before, Snapshot(outside.Root())), std::vector<std::string> {});
    EXPECT_EQ(outcome.notErased, 0);
}
