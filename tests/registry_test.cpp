// tests/registry_test.cpp
// Typed addresses, Run history and logon names: seeded in the prefix's registry, analyzed and erased.
#include "support/BoxCatcher.h"
#include "support/ViewFixture.h"
#include "framework/RegKey.h"
#include "traces/registry/RegValues.h"
#include <aclapi.h>
#include <sddl.h>
#include <shlwapi.h>
#include <algorithm>
#include <cstring>
#include <map>

namespace {

const char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char kRunMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kSavedKeys[] = "Software\\VestrelTestSaved";
const char kWalkKey[] = "Software\\VestrelTestWalk";

// Seeded and checked where 64-bit Windows keeps the keys, whichever build runs: a 32-bit program
// that reads the machine's keys through their 32-bit copy misses what is really there.
constexpr REGSAM kNativeView = KEY_WOW64_64KEY;

void SetBytes(HKEY root, LPCSTR path, LPCSTR name, const void* data, DWORD size, DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS | kNativeView, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    ::RegCloseKey(key);
}

void SetText(HKEY root, LPCSTR path, LPCSTR name, const std::string& text)
{
    SetBytes(root, path, name, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool KeyExists(HKEY root, LPCSTR path)
{
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExA(root, path, 0, KEY_READ | kNativeView, &key);
    if (result == ERROR_SUCCESS)
        ::RegCloseKey(key);
    return result != ERROR_FILE_NOT_FOUND;
}

bool ValueExists(HKEY root, LPCSTR path, LPCSTR name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | kNativeView, &key) != ERROR_SUCCESS)
        return false;
    const bool exists = ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return exists;
}

// The value names of a key in the order the registry itself enumerates them.
std::vector<std::string> EnumerationOrder(HKEY root, LPCSTR path)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD count = sizeof name;
        if (::RegEnumValueA(key, index, name, &count, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    ::RegCloseKey(key);
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Moves a key of the prefix aside for one test and puts it back afterwards.
class SavedKey
{
public:
    SavedKey(HKEY root, LPCSTR path, LPCSTR slot)
        : m_root(root), m_path(path), m_backup(std::string(kSavedKeys) + "\\" + slot)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(m_root, m_path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            HKEY backup = nullptr;
            ::RegCreateKeyExA(HKEY_CURRENT_USER, m_backup.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr);
            m_saved = ::RegCopyTreeA(key, nullptr, backup) == ERROR_SUCCESS;
            ::RegCloseKey(backup);
            ::RegCloseKey(key);
        }
        ::SHDeleteKeyA(m_root, m_path);
    }
    ~SavedKey()
    {
        ::SHDeleteKeyA(m_root, m_path);
        if (m_saved) {
            HKEY key = nullptr, backup = nullptr;
            ::RegCreateKeyExA(m_root, m_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            ::RegOpenKeyExA(HKEY_CURRENT_USER, m_backup.c_str(), 0, KEY_READ, &backup);
            ::RegCopyTreeA(backup, nullptr, key);
            ::RegCloseKey(backup);
            ::RegCloseKey(key);
        }
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_backup.c_str());
        ::SHDeleteEmptyKeyA(HKEY_CURRENT_USER, kSavedKeys);
    }
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;

private:
    HKEY m_root;
    LPCSTR m_path;
    std::string m_backup;
    bool m_saved = false;
};

// Takes one value of the prefix away for one test and puts it back afterwards.
class SavedValue
{
public:
    SavedValue(HKEY root, LPCSTR path, LPCSTR name) : m_root(root), m_path(path), m_name(name)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(m_root, m_path, 0, KEY_ALL_ACCESS | kNativeView, &key) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        if (::RegQueryValueExA(key, m_name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_data.resize(size);
            m_saved = ::RegQueryValueExA(key, m_name, nullptr, &m_type, m_data.data(), &size) == ERROR_SUCCESS;
        }
        ::RegDeleteValueA(key, m_name);
        ::RegCloseKey(key);
    }
    ~SavedValue()
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(m_root, m_path, 0, KEY_ALL_ACCESS | kNativeView, &key) != ERROR_SUCCESS)
            return;
        ::RegDeleteValueA(key, m_name);
        if (m_saved)
            ::RegSetValueExA(key, m_name, 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
        ::RegCloseKey(key);
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY m_root;
    LPCSTR m_path;
    LPCSTR m_name;
    DWORD m_type = REG_SZ;
    std::vector<BYTE> m_data;
    bool m_saved = false;
};

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

// Every place this category reads or erases is put aside for each test and restored after it.
class RegistryTest : public ViewFixture
{
protected:
    SavedKey m_typedUrls { HKEY_CURRENT_USER, kTypedUrls, "TypedURLs" };
    SavedKey m_runMru { HKEY_CURRENT_USER, kRunMru, "RunMRU" };
    SavedValue m_userName { HKEY_CURRENT_USER, kWinlogon, "DefaultUserName" };
    SavedValue m_userAltName { HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName" };
    SavedValue m_machineName { HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName" };

    void SeedTypedUrls()
    {
        SetText(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://one.example/");
        SetText(HKEY_CURRENT_USER, kTypedUrls, "url2", "http://two.example/");
        SetText(HKEY_CURRENT_USER, kTypedUrls, "url3", "http://three.example/");
    }
};

// Finders

TEST_F(RegistryTest, TypedAddressesStandInRegistryOrderWithNoTime)
{
    SetText(HKEY_CURRENT_USER, kTypedUrls, "url3", "http://three.example/");
    SetText(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://one.example/");
    SetText(HKEY_CURRENT_USER, kTypedUrls, "url10", "http://ten.example/");
    SetText(HKEY_CURRENT_USER, kTypedUrls, "url2", "http://two.example/");
    const std::map<std::string, std::string> address = {
        { "url1", "http://one.example/" }, { "url2", "http://two.example/" },
        { "url3", "http://three.example/" }, { "url10", "http://ten.example/" } };
    std::vector<std::string> expected;
    for (const std::string& name : EnumerationOrder(HKEY_CURRENT_USER, kTypedUrls))
        expected.push_back(address.at(name) + "|");

    View().FindTypedAddresses();

    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(Rows(), expected);
}

TEST_F(RegistryTest, UnnamedDefaultValueIsAnAddressButNotACommand)
{
    SetText(HKEY_CURRENT_USER, kTypedUrls, nullptr, "http://default.example/");
    SetText(HKEY_CURRENT_USER, kRunMru, nullptr, "notepad");
    SetText(HKEY_CURRENT_USER, kRunMru, "a", "calc\\1");

    View().FindTypedAddresses();
    EXPECT_EQ(Rows(), std::vector<std::string>({ "http://default.example/|" }));

    View().ClearResults();
    View().FindRunHistory();
    EXPECT_EQ(Rows(), std::vector<std::string>({ "calc\\1|" }));
}

TEST_F(RegistryTest, EmptyDataIsAnEmptyAddressButNoCommand)
{
    SetText(HKEY_CURRENT_USER, kTypedUrls, "url1", "");
    SetText(HKEY_CURRENT_USER, kRunMru, "a", "");

    View().FindTypedAddresses();
    EXPECT_EQ(Rows(), std::vector<std::string>({ "|" }));

    View().ClearResults();
    View().FindRunHistory();
    EXPECT_TRUE(Rows().empty());
}

TEST_F(RegistryTest, RunCommandsAndTheirOrderStringAreListedAsStored)
{
    SetText(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1");
    SetText(HKEY_CURRENT_USER, kRunMru, "b", "cmd /c dir\\1");
    SetText(HKEY_CURRENT_USER, kRunMru, "MRUList", "ba");

    View().FindRunHistory();

    EXPECT_EQ(Sorted(Rows()), std::vector<std::string>({ "ba|", "cmd /c dir\\1|", "notepad\\1|" }));
}

// Wine leaves both buffers empty for data of more than 250 bytes, and cuts a long name to 249
// characters but still gives its data.
TEST_F(RegistryTest, ValuesTooLongForTheBuffersAreListedAsTheFailedReadLeftThem)
{
    const std::string longData(300, 'd');
    const std::string longName(300, 'n');
    const std::string fullBuffer(250, 'y');
    for (LPCSTR key : { kTypedUrls, kRunMru }) {
        SetText(HKEY_CURRENT_USER, key, "long", longData);
        SetText(HKEY_CURRENT_USER, key, longName.c_str(), "regedit\\1");
        SetBytes(HKEY_CURRENT_USER, key, "full", fullBuffer.data(), 250, REG_BINARY);
    }

    View().FindTypedAddresses();
    EXPECT_EQ(Sorted(Rows()), Sorted({ "|", "regedit\\1|", fullBuffer + "|" }));

    View().ClearResults();
    View().FindRunHistory();
    EXPECT_EQ(Sorted(Rows()), Sorted({ "regedit\\1|", fullBuffer + "|" }));
}

TEST_F(RegistryTest, MissingKeysListNothing)
{
    View().FindTypedAddresses();
    View().FindRunHistory();
    View().FindLogonNames();
    EXPECT_TRUE(Rows().empty());
}

TEST_F(RegistryTest, LogonNamesStandUserFirstThenMachine)
{
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice");
    SetText(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob");
    SetText(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol");

    View().FindLogonNames();

    EXPECT_EQ(Rows(), std::vector<std::string>({ "alice|", "bob|", "carol|" }));
}

TEST_F(RegistryTest, NameOfUserAndMachineIsCountedTwice)
{
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "dave");
    SetText(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "dave");
    BoxCatcher catcher;

    View().OnAnalyzeLogon();

    EXPECT_EQ(Rows(), std::vector<std::string>({ "dave|", "dave|" }));
    EXPECT_EQ(catcher.Texts(),
              std::vector<std::string>({ "Windows Logon history analyzing completed successfully, 2 history found." }));
}

TEST_F(RegistryTest, AlternativeNameIsReadWhenDefaultIsMissingOrEmpty)
{
    SetText(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "erin");
    View().FindLogonNames();
    EXPECT_EQ(Rows(), std::vector<std::string>({ "erin|" }));

    View().ClearResults();
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "");
    View().FindLogonNames();
    EXPECT_EQ(Rows(), std::vector<std::string>({ "erin|" }));
}

TEST_F(RegistryTest, NameLongerThanTheBufferIsNotListed)
{
    const std::string fits(99, 'f');        // 100 bytes with its zero
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", std::string(100, 'x'));
    SetText(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", fits);
    SetText(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", std::string(150, 'z'));

    View().FindLogonNames();

    EXPECT_EQ(Rows(), std::vector<std::string>({ fits + "|" }));
}

// Analysis and its report

TEST_F(RegistryTest, AnalyzingTwiceListsEachAddressOnce)
{
    SeedTypedUrls();
    BoxCatcher catcher;

    View().OnAnalyzeAddress();
    View().OnAnalyzeAddress();

    EXPECT_EQ(Rows().size(), 3u);
    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const CaughtBox& box : boxes) {
        EXPECT_EQ(box.caption, kAnalyzingCaption);
        EXPECT_EQ(box.text, "Internet Explorer address bar analyzing completed successfully, 3 addresses found.");
    }
    EXPECT_STREQ(g_pszCategory, "Address");
}

TEST_F(RegistryTest, EmptyAnalysisShowsTheNoneFoundText)
{
    BoxCatcher catcher;
    View().OnAnalyzeAddress();
    View().OnAnalyzeLogon();
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({
        "Internet Explorer analyzing completed successfully, no addresses found.",
        "Windows Logon history analyzing completed successfully, no history found." }));
    EXPECT_STREQ(g_pszCategory, "Logon");
}

TEST_F(RegistryTest, CountIsWrittenInPlainDigitsWithThePluralKept)
{
    View().AppendResultRow("http://one.example/");
    {
        BoxCatcher catcher;
        View().ReportAnalysis(TraceCategoryOf(Trace::Address));
        EXPECT_EQ(catcher.Texts(), std::vector<std::string>({
            "Internet Explorer address bar analyzing completed successfully, 1 addresses found." }));
    }
    for (int row = 1; row < 10001; ++row)
        View().AppendResultRow("name");
    EXPECT_EQ(std::string(AnalysisReport(TraceCategoryOf(Trace::Logon), View().GetRowCount())),
              "Windows Logon history analyzing completed successfully, 10001 history found.");
}

// Erasers

TEST_F(RegistryTest, CleaningRunRemovesTheWholeKey)
{
    SetText(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1");
    SetText(HKEY_CURRENT_USER, kRunMru, "MRUList", "a");
    SetText(HKEY_CURRENT_USER, (std::string(kRunMru) + "\\Nested").c_str(), "x", "y");
    BoxCatcher catcher;
    View().OnAnalyzeRun();
    ASSERT_EQ(View().GetRowCount(), 2);

    View().OnCleanHistory();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRunMru));
    EXPECT_EQ(View().GetRowCount(), 0);
    View().OnAnalyzeRun();

    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "Windows Run history cleaned sucessfully.");
    EXPECT_EQ(boxes[2].text, TraceCategoryOf(Trace::Run).noneFound);
    EXPECT_STREQ(g_pszCategory, "Run");
}

TEST_F(RegistryTest, CleaningWhatIsAlreadyGoneIsASuccess)
{
    View().AppendResultRow("stale");
    BoxCatcher catcher;
    Clean(Trace::Run);
    Clean(Trace::Logon);
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({
        "Windows Run history cleaned sucessfully.", "OnDeleteLogon()", "Windows Logon history cleaned sucessfully." }));
    EXPECT_EQ(View().GetRowCount(), 0);
}

TEST_F(RegistryTest, CleaningLogonRemovesTheThreeValuesAndKeepsTheKeys)
{
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice");
    SetText(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob");
    SetText(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol");
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

    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kWinlogon));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kWinlogon));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "OnDeleteLogon()");
    EXPECT_EQ(boxes[2].caption, kAppTitle);
    EXPECT_EQ(boxes[2].text, "Windows Logon history cleaned sucessfully.");
    EXPECT_EQ(rowsAtBoxes, std::vector<int>({ 3, 0 }));
    EXPECT_EQ(boxes[3].text, "Windows Logon history analyzing completed successfully, no history found.");
}

TEST_F(RegistryTest, CleaningAddressesRemovesTheKey)
{
    SeedTypedUrls();
    BoxCatcher catcher;
    View().OnAnalyzeAddress();

    View().OnCleanHistory();

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrls));
    EXPECT_EQ(View().GetRowCount(), 0);
    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, kAppTitle);
    EXPECT_EQ(boxes[1].text, "Internet Explorer address bar history cleaned sucessfully.");
}

TEST_F(RegistryTest, AddressKeyGoneBeforeCleaningStopsSilentlyAndKeepsTheRows)
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
TEST_F(RegistryTest, RefusedAddressDeletionStopsSilentlyAndKeepsTheRows)
{
    SeedTypedUrls();
    BoxCatcher catcher;
    View().OnAnalyzeAddress();
    KeyAccess locked(HKEY_CURRENT_USER, kTypedUrls, "D:");
    ASSERT_TRUE(locked.Applied());

    View().OnCleanHistory();

    EXPECT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(View().GetRowCount(), 3);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls));
}

TEST_F(RegistryTest, RefusedRunDeletionIsReportedAsNotErased)
{
    SetText(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1");
    View().AppendResultRow("notepad\\1");
    KeyAccess locked(HKEY_CURRENT_USER, kRunMru, "D:");
    ASSERT_TRUE(locked.Applied());
    BoxCatcher catcher;

    Clean(Trace::Run);

    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRunMru));
    EXPECT_EQ(View().GetRowCount(), 0);
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({ CleanedText(Trace::Run, 1) }));
}

TEST_F(RegistryTest, RefusedLogonDeletionsAreCountedAndTheOthersStillDone)
{
    SetText(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice");
    SetText(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob");
    SetText(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol");
    BoxCatcher catcher;
    {
        KeyAccess locked(HKEY_CURRENT_USER, kWinlogon, "D:(D;;0x2;;;WD)(A;;0xF003F;;;WD)");
        ASSERT_TRUE(locked.Applied());
        Clean(Trace::Logon);
    }

    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({ "OnDeleteLogon()", CleanedText(Trace::Logon, 2) }));
}

// The value walk

TEST(ValueWalk, EndsWhenTheKeyIsDeletedMidway)
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kWalkKey);
    for (const char* name : { "v0", "v1", "v2", "v3", "v4" })
        SetText(HKEY_CURRENT_USER, kWalkKey, name, name);
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kWalkKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    std::vector<std::string> seen;

    EnumerateValues(key, [&seen](const ValueStep& step) {
        seen.push_back(std::string(step.DataText()));
        if (seen.size() == 2)
            ::SHDeleteKeyA(HKEY_CURRENT_USER, kWalkKey);
    });

    EXPECT_EQ(seen.size(), 2u);
    char name[16];
    DWORD count = sizeof name;
    EXPECT_EQ(::RegEnumValueA(key, 2, name, &count, nullptr, nullptr, nullptr, nullptr), static_cast<LONG>(ERROR_KEY_DELETED));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kWalkKey));
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kWalkKey);
}

}
