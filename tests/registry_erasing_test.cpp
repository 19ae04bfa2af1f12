// tests/registry_erasing_test.cpp
// Typed addresses, Run history and logon names seeded in the prefix's registry and cleaned: what each
// clean deletes and keeps, what it reports, and what it does where a deletion is refused.
#include "support/BoxCatcher.h"
#include "support/RegistryHistories.h"
#include "support/ViewFixture.h"
#include <aclapi.h>
#include <sddl.h>
#include <shlwapi.h>
#include <cstring>

namespace {

// Gives a key a restrictive access list for one test and puts the old one back afterwards.
class KeyAccess
{
public:
    KeyAccess(HKEY root, LPCSTR path, LPCSTR sddl) : m_root(root), m_path(path)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(m_root, m_path, 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_saved.resize(size);
        if (::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, m_saved.data(), &size) == ERROR_SUCCESS) {
            PSECURITY_DESCRIPTOR restricted = nullptr;
            ::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &restricted, nullptr);
            m_applied = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, restricted) == ERROR_SUCCESS;
            ::LocalFree(restricted);
        }
        ::RegCloseKey(key);
    }
    ~KeyAccess()
    {
        HKEY key = nullptr;
        if (m_applied && ::RegOpenKeyExA(m_root, m_path, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, m_saved.data());
            ::RegCloseKey(key);
        }
    }
    KeyAccess(const KeyAccess&) = delete;
    KeyAccess& operator=(const KeyAccess&) = delete;
    bool Applied() const { return m_applied; }

private:
    HKEY m_root;
    LPCSTR m_path;
    std::vector<BYTE> m_saved;
    bool m_applied = false;
};

// The number of rows in the list at the moment each message box of this thread is created.
class RowsAtEachBox
{
public:
    explicit RowsAtEachBox(HWND list)
    {
        s_list = list;
        s_counts.clear();
        m_hook = ::SetWindowsHookExA(WH_CBT, Note, nullptr, ::GetCurrentThreadId());
    }
    ~RowsAtEachBox() { ::UnhookWindowsHookEx(m_hook); }
    RowsAtEachBox(const RowsAtEachBox&) = delete;
    RowsAtEachBox& operator=(const RowsAtEachBox&) = delete;
    const std::vector<int>& Counts() const { return s_counts; }

private:
    static LRESULT CALLBACK Note(int code, WPARAM wParam, LPARAM lParam)
    {
        char cls[16] = {};
        if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls)
            && std::strcmp(cls, "#32770") == 0)
            s_counts.push_back(static_cast<int>(::SendMessageA(s_list, LVM_GETITEMCOUNT, 0, 0)));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND s_list = nullptr;
    static inline std::vector<int> s_counts;
    HHOOK m_hook;
};

// Every place these categories read or erase is put aside for each test and restored after it.
class RegistryClean : public ViewFixture
{
protected:
    SavedHistories m_histories;
};

TEST_F(RegistryClean, CleaningRunRemovesTheWholeKey)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "MRUList", "a"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, std::string(kRunMru) + "\\Nested", "x", "y"));
    BoxCatcher catcher;
    View().OnAnalyzeRun();
    ASSERT_EQ(View().GetRowCount(), 2);

    View().OnCleanHistory();
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRunMru));
    EXPECT_EQ(View().GetRowCount(), 0);
    View().OnAnalyzeRun();

    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "Windows Run history cleaned sucessfully.");
    EXPECT_EQ(boxes[2].text, TraceCategoryOf(Trace::Run).noneFound);
    EXPECT_STREQ(g_pszCategory, "Run");
}

TEST_F(RegistryClean, CleaningWhatIsAlreadyGoneIsASuccess)
{
    View().AppendResultRow("stale");
    BoxCatcher catcher;
    Clean(Trace::Run);
    Clean(Trace::Logon);
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({
        "Windows Run history cleaned sucessfully.", "OnDeleteLogon()", "Windows Logon history cleaned sucessfully." }));
    EXPECT_EQ(View().GetRowCount(), 0);
}

TEST_F(RegistryClean, CleaningLogonRemovesTheThreeValuesAndKeepsTheKeys)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob"));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol"));
    BoxCatcher catcher;
    View().OnAnalyzeLogon();
    ASSERT_EQ(View().GetRowCount(), 3);
    std::vector<int> rowsAtBoxes;
    {
        RowsAtEachBox rows(View().m_hWnd);
        View().OnCleanHistory();
        rowsAtBoxes = rows.Counts();
    }
    View().OnAnalyzeLogon();

    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kWinlogon));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kWinlogon));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName"));
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "OnDeleteLogon()");
    EXPECT_EQ(boxes[2].caption, kAppTitle);
    EXPECT_EQ(boxes[2].text, "Windows Logon history cleaned sucessfully.");
    EXPECT_EQ(rowsAtBoxes, std::vector<int>({ 3, 0 }));
    EXPECT_EQ(boxes[3].text, "Windows Logon history analyzing completed successfully, no history found.");
}

TEST_F(RegistryClean, CleaningAddressesRemovesTheKey)
{
    SeedTypedUrls();
    BoxCatcher catcher;
    View().OnAnalyzeAddress();

    View().OnCleanHistory();

    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kTypedUrls));
    EXPECT_EQ(View().GetRowCount(), 0);
    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "Internet Explorer address bar history cleaned sucessfully.");
}

TEST_F(RegistryClean, AddressKeyGoneBeforeCleaningStopsSilentlyAndKeepsTheRows)
{
    SeedTypedUrls();
    BoxCatcher catcher;
    View().OnAnalyzeAddress();
    ASSERT_EQ(::SHDeleteKeyA(HKEY_CURRENT_USER, kTypedUrls), static_cast<DWORD>(ERROR_SUCCESS));

    View().OnCleanHistory();

    EXPECT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(View().GetRowCount(), 3);
    EXPECT_STREQ(g_pszCategory, "Address");
}

// Wine 8 does not check DELETE when a key is deleted, but a key with an empty access list cannot
// be opened to delete its subkeys, and a key that denies KEY_SET_VALUE keeps its values.
TEST_F(RegistryClean, RefusedAddressDeletionStopsSilentlyAndKeepsTheRows)
{
    SeedTypedUrls();
    BoxCatcher catcher;
    View().OnAnalyzeAddress();
    KeyAccess locked(HKEY_CURRENT_USER, kTypedUrls, "D:");
    ASSERT_TRUE(locked.Applied());

    View().OnCleanHistory();

    EXPECT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(View().GetRowCount(), 3);
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kTypedUrls));
}

TEST_F(RegistryClean, RefusedRunDeletionIsReportedAsNotErased)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1"));
    View().AppendResultRow("notepad\\1");
    KeyAccess locked(HKEY_CURRENT_USER, kRunMru, "D:");
    ASSERT_TRUE(locked.Applied());
    BoxCatcher catcher;

    Clean(Trace::Run);

    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kRunMru));
    EXPECT_EQ(View().GetRowCount(), 0);
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({ CleanedText(Trace::Run, 1) }));
}

TEST_F(RegistryClean, RefusedLogonDeletionsAreCountedAndTheOthersStillDone)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob"));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol"));
    BoxCatcher catcher;
    {
        KeyAccess locked(HKEY_CURRENT_USER, kWinlogon, "D:(D;;0x2;;;WD)(A;;0xF003F;;;WD)");
        ASSERT_TRUE(locked.Applied());
        Clean(Trace::Logon);
    }

    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName"));
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({ "OnDeleteLogon()", CleanedText(Trace::Logon, 2) }));
}

}
