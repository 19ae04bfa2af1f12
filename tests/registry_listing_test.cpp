// tests/registry_listing_test.cpp
// Typed addresses, Run history and logon names seeded in the prefix's registry: what their walks list,
// with no window, and what an analysis of them reports.
#include "support/BoxCatcher.h"
#include "support/RegistryHistories.h"
#include "support/RowList.h"
#include "support/ViewFixture.h"
#include "framework/RegKey.h"
#include "traces/registry/Histories.h"
#include "traces/registry/RegValues.h"
#include <shlwapi.h>

namespace {

const char kWalkKey[] = "Software\\VestrelTestWalk";

// Every place the finders read is put aside for each test and restored after it.
class RegistryWalk : public ::testing::Test
{
protected:
    SavedHistories m_histories;
};

class RegistryAnalysis : public ViewFixture
{
protected:
    SavedHistories m_histories;
};

// Finders

TEST_F(RegistryWalk, TypedAddressesStandInRegistryOrderWithNoTime)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url3", "http://three.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://one.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url10", "http://ten.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url2", "http://two.example/"));
    std::vector<std::string> expected;
    for (const auto& [name, data] : RegStrings(HKEY_CURRENT_USER, kTypedUrls))
        expected.push_back(data + "|");

    RowList found;
    ListTypedAddresses(found);

    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(found.Rows(), expected);
}

TEST_F(RegistryWalk, UnnamedDefaultValueIsAnAddressButNotACommand)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "", "http://default.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "", "notepad"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", "calc\\1"));

    RowList addresses, commands;
    ListTypedAddresses(addresses);
    ListRunHistory(commands);

    EXPECT_EQ(addresses.Rows(), std::vector<std::string>({ "http://default.example/|" }));
    EXPECT_EQ(commands.Rows(), std::vector<std::string>({ "calc\\1|" }));
}

TEST_F(RegistryWalk, EmptyDataIsAnEmptyAddressButNoCommand)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", ""));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", ""));

    RowList addresses, commands;
    ListTypedAddresses(addresses);
    ListRunHistory(commands);

    EXPECT_EQ(addresses.Rows(), std::vector<std::string>({ "|" }));
    EXPECT_TRUE(commands.Rows().empty());
}

TEST_F(RegistryWalk, RunCommandsAndTheirOrderStringAreListedAsStored)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "b", "cmd /c dir\\1"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "MRUList", "ba"));

    RowList found;
    ListRunHistory(found);

    EXPECT_EQ(Sorted(found.Rows()), std::vector<std::string>({ "ba|", "cmd /c dir\\1|", "notepad\\1|" }));
}

// Wine leaves both buffers empty for data of more than 250 bytes, and cuts a long name to 249
// characters but still gives its data.
TEST_F(RegistryWalk, ValuesTooLongForTheBuffersAreListedAsTheFailedReadLeftThem)
{
    const std::string longData(300, 'd');
    const std::string longName(300, 'n');
    const std::string fullBuffer(250, 'y');
    for (LPCSTR key : { kTypedUrls, kRunMru }) {
        ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, key, "long", longData));
        ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, key, longName, "regedit\\1"));
        ASSERT_TRUE(SetRegValue(HKEY_CURRENT_USER, key, "full", REG_BINARY, fullBuffer.data(), 250));
    }

    RowList addresses, commands;
    ListTypedAddresses(addresses);
    ListRunHistory(commands);

    EXPECT_EQ(Sorted(addresses.Rows()), Sorted({ "|", "regedit\\1|", fullBuffer + "|" }));
    EXPECT_EQ(Sorted(commands.Rows()), Sorted({ "regedit\\1|", fullBuffer + "|" }));
}

TEST_F(RegistryWalk, MissingKeysListNothing)
{
    RowList found;
    ListTypedAddresses(found);
    ListRunHistory(found);
    ListLogonNames(found);
    EXPECT_TRUE(found.Rows().empty());
}

TEST_F(RegistryWalk, LogonNamesStandUserFirstThenMachine)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob"));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "carol"));

    RowList found;
    ListLogonNames(found);

    EXPECT_EQ(found.Rows(), std::vector<std::string>({ "alice|", "bob|", "carol|" }));
}

TEST_F(RegistryWalk, AlternativeNameIsReadWhenDefaultIsMissingOrEmpty)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "erin"));
    RowList defaultMissing;
    ListLogonNames(defaultMissing);
    EXPECT_EQ(defaultMissing.Rows(), std::vector<std::string>({ "erin|" }));

    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", ""));
    RowList defaultEmpty;
    ListLogonNames(defaultEmpty);
    EXPECT_EQ(defaultEmpty.Rows(), std::vector<std::string>({ "erin|" }));
}

TEST_F(RegistryWalk, NameLongerThanTheBufferIsNotListed)
{
    const std::string fits(99, 'f');        // 100 bytes with its zero
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", std::string(100, 'x')));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", fits));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", std::string(150, 'z')));

    RowList found;
    ListLogonNames(found);

    EXPECT_EQ(found.Rows(), std::vector<std::string>({ fits + "|" }));
}

// The value walk

TEST(ValueWalk, EndsWhenTheKeyIsDeletedMidway)
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kWalkKey);
    for (const char* name : { "v0", "v1", "v2", "v3", "v4" })
        ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWalkKey, name, name));
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
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kWalkKey));
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kWalkKey);
}

// Analysis and its report

TEST_F(RegistryAnalysis, NameOfUserAndMachineIsCountedTwice)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "dave"));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "dave"));
    BoxCatcher catcher;

    View().OnAnalyzeLogon();

    EXPECT_EQ(Rows(), std::vector<std::string>({ "dave|", "dave|" }));
    EXPECT_EQ(catcher.Texts(),
              std::vector<std::string>({ "Windows Logon history analyzing completed successfully, 2 history found." }));
}

TEST_F(RegistryAnalysis, AnalyzingTwiceListsEachAddressOnce)
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

TEST_F(RegistryAnalysis, EmptyAnalysisShowsTheNoneFoundText)
{
    BoxCatcher catcher;
    View().OnAnalyzeAddress();
    View().OnAnalyzeLogon();
    EXPECT_EQ(catcher.Texts(), std::vector<std::string>({
        "Internet Explorer analyzing completed successfully, no addresses found.",
        "Windows Logon history analyzing completed successfully, no history found." }));
    EXPECT_STREQ(g_pszCategory, "Logon");
}

TEST_F(RegistryAnalysis, CountIsWrittenInPlainDigitsWithThePluralKept)
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
    EXPECT_EQ(AnalysisText(Trace::Logon, View().GetRowCount()),
              "Windows Logon history analyzing completed successfully, 10001 history found.");
}

}
