// tests/utf8_test.cpp
// Rows where the system's ANSI code page is UTF-8: a letter there takes up to four bytes.
#include "support/FileTree.h"
#include "support/ImportHook.h"
#include "support/RowList.h"
#include "traces/files/ListFolder.h"

using namespace filetree;

namespace {

// Hiragana, three bytes a letter in UTF-8.
const std::wstring kLongName = [] {
    std::wstring name;
    for (int i = 0; i < 200; ++i)
        name += static_cast<wchar_t>(0x3041 + i % 83);
    return name;
}();

// NTFS takes names of 255 letters, Linux of 255 bytes: the listing says what NTFS would, one entry of the long name.
BOOL WINAPI ListingOfTheLongName(HANDLE folder, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID block, DWORD size)
{
    BOOL listed = RealImport<decltype(&::GetFileInformationByHandleEx)>("kernel32.dll", "GetFileInformationByHandleEx")(
        folder, kind, block, size);
    auto* entry = static_cast<FILE_ID_BOTH_DIR_INFO*>(block);
    if (listed && kind == FileIdBothDirectoryInfo) {
        while (entry->FileName[0] == L'.' && entry->NextEntryOffset)
            entry = reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<BYTE*>(entry) + entry->NextEntryOffset);
        ::MoveMemory(block, entry, sizeof *entry);
        entry = static_cast<FILE_ID_BOTH_DIR_INFO*>(block);
        entry->NextEntryOffset = 0;
        entry->FileNameLength = static_cast<DWORD>(kLongName.size() * sizeof(WCHAR));
        ::CopyMemory(entry->FileName, kLongName.data(), entry->FileNameLength);
    }
    return listed;
}

}

TEST(Utf8CodePageTest, LongNameOfThreeByteLettersIsListedWhole)
{
    ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8)) << "the test's manifest asks for the UTF-8 code page";
    TempTree tree;
    tree.File("x.txt");
    std::string name(kLongName.size() * 3, '\0');
    name.resize(::WideCharToMultiByte(CP_UTF8, 0, kLongName.data(), static_cast<int>(kLongName.size()), name.data(),
                                      static_cast<int>(name.size()), nullptr, nullptr));
    ASSERT_EQ(name.size(), 600u);

    RowList found;
    {
        ImportHook listing("GetFileInformationByHandleEx", reinterpret_cast<void*>(&ListingOfTheLongName));
        ASSERT_TRUE(listing.Installed());
        ListFolderTree(found, tree.Root().c_str(), "");
    }
    EXPECT_EQ(Paths(found.Rows()), std::vector<std::string> { tree.Root() + "\\" + name });
}
