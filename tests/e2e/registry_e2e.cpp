// tests/e2e/registry_e2e.cpp
// The address-bar, Run and logon histories as a user meets them: seeded in the registry, analyzed
// from the toolbar, cleaned, and checked in the registry again.
#include "CategoryTest.h"
#include "tests/support/RegistryHistories.h"

namespace {

// Registry rows carry no time.
Rows RowsOf(const std::vector<std::string>& texts)
{
    Rows rows;
    for (const auto& text : texts)
        rows.push_back({ text, "" });
    return rows;
}

class RegistryTraces : public CategoryTest
{
protected:
    void SetUp() override { StartProgram(); }

    void ExpectNoBox(DWORD waitMs = 1500)
    {
        if (const auto seen = App().AnswerBox(waitMs))
            ADD_FAILURE() << "expected no box, but saw " << *seen;
    }

    SavedHistories m_histories;
};

TEST_F(RegistryTraces, StartsWithEmptyListAndCleanHistoryDisabled)
{
    EXPECT_EQ(Rows {}, App().Rows());
    ExpectCleanHistoryEnabled(false);
    std::string why;
    ASSERT_TRUE(App().ClickToolbarButton(ID_CLEAN_HISTORY, &why)) << why;
    ExpectNoBox();
}

TEST_F(RegistryTraces, AddressBarListsTypedAddressesThenCleanDeletesTheKey)
{
    // Data out of the order of the names, so a sort by either shows.
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://zeta.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url2", "http://alpha.example/a?b=c"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url3", "ftp://middle.example/"));
    std::vector<std::string> expected;
    for (const auto& [name, data] : RegStrings(HKEY_CURRENT_USER, kTypedUrls))
        expected.push_back(data);

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_ADDRESS));
    ExpectBox(AnalysisBox("Internet Explorer address bar analyzing completed successfully, 3 addresses found."));
    EXPECT_EQ(RowsOf(expected), App().Rows());
    ExpectCleanHistoryEnabled(true);

    ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
    ExpectBox(ProgramBox("Internet Explorer address bar history cleaned sucessfully."));
    EXPECT_EQ(Rows {}, App().Rows());
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kTypedUrls));
    ExpectCleanHistoryEnabled(false);
}

TEST_F(RegistryTraces, AnalysisFindingNothingSaysSoEmptiesListAndDisablesClean)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://example.com/"));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_ADDRESS));
    ExpectBox(AnalysisBox("Internet Explorer address bar analyzing completed successfully, 1 addresses found."));
    ExpectCleanHistoryEnabled(true);

    ASSERT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, kTypedUrls));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_ADDRESS));
    ExpectBox(AnalysisBox("Internet Explorer analyzing completed successfully, no addresses found."));
    EXPECT_EQ(Rows {}, App().Rows());
    ExpectCleanHistoryEnabled(false);
}

TEST_F(RegistryTraces, RunHistoryListsCommandsAndOrderThenCleanDeletesWholeKey)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "a", "notepad\\1"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "b", "cmd /c dir\\1"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "MRUList", "ba"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "", "default value"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kRunMru, "c", ""));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, std::string(kRunMru) + "\\Inner", "x", "y"));
    // Unnamed and empty values are no commands.
    std::vector<std::string> expected;
    for (const auto& [name, data] : RegStrings(HKEY_CURRENT_USER, kRunMru))
        if (!name.empty() && !data.empty())
            expected.push_back(data);
    ASSERT_EQ(3u, expected.size());

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_RUN));
    ExpectBox(AnalysisBox("Windows Run history analyzing completed successfully, 3 history found."));
    EXPECT_EQ(RowsOf(expected), App().Rows());

    ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
    ExpectBox(ProgramBox("Windows Run history cleaned sucessfully."));
    EXPECT_EQ(Rows {}, App().Rows());
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRunMru));

    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_RUN));
    ExpectBox(AnalysisBox("Windows Run history analyzing completed successfully, no history found."));
}

TEST_F(RegistryTraces, LogonNamesListedInOrderThenCleanShowsTwoBoxesAndKeepsKeys)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "alice"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "bob"));
    ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "alice"));

    // No menu item or button: only the command reaches it.
    ASSERT_TRUE(App().PostCommand(ID_ANALYZE_LOGON));
    ExpectBox(AnalysisBox("Windows Logon history analyzing completed successfully, 3 history found."));
    EXPECT_EQ(RowsOf({ "alice", "bob", "alice" }), App().Rows());

    ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
    const auto first = App().WaitForBox();
    ASSERT_TRUE(first) << "expected the first of two boxes, but none appeared";
    EXPECT_EQ(ProgramBox("OnDeleteLogon()"), *first);
    EXPECT_EQ(3u, App().Rows().size()) << "the list is emptied only after the first box";
    ASSERT_TRUE(App().CloseBox(*first));
    const auto second = App().WaitForBox();
    ASSERT_TRUE(second) << "expected the cleaned message after \"OnDeleteLogon()\", but no box appeared";
    EXPECT_EQ(ProgramBox("Windows Logon history cleaned sucessfully."), *second);
    EXPECT_EQ(Rows {}, App().Rows());
    ASSERT_TRUE(App().CloseBox(*second));

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName"));
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kWinlogon));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kWinlogon));
}

// Each reserved command becomes the category to clean, and its eraser only says its name.
TEST_F(RegistryTraces, ReservedCommandsKeepTheRowsAndTheirCleanOnlyShowsItsNotice)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://kept.example/"));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_ADDRESS));
    ExpectBox(AnalysisBox("Internet Explorer address bar analyzing completed successfully, 1 addresses found."));

    const std::pair<int, const char*> reserved[] = {
        { ID_ANALYZE_SEARCH, "OnDeleteSearch()" }, { ID_ANALYZE_COMPUTER, "OnDeleteComputer()" },
        { ID_ANALYZE_FORM, "OnDeleteForm()" }, { ID_ANALYZE_PASSWORD, "OnDeletePassword()" },
        { ID_ANALYZE_TELNET, "OnDeleteTelnet()" },
    };
    for (const auto& [command, notice] : reserved) {
        SCOPED_TRACE(notice);
        ASSERT_TRUE(App().PostCommand(command));
        ExpectNoBox();
        ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
        ExpectBox(ProgramBox(notice));
        EXPECT_EQ(RowsOf({ "http://kept.example/" }), App().Rows());
        ExpectCleanHistoryEnabled(true);
    }
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kTypedUrls, "url1"));
}

TEST_F(RegistryTraces, AddressKeyGoneBeforeCleanShowsNothingAndKeepsRows)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://gone.example/"));
    ASSERT_NO_FATAL_FAILURE(Click(ID_ANALYZE_ADDRESS));
    ExpectBox(AnalysisBox("Internet Explorer address bar analyzing completed successfully, 1 addresses found."));

    ASSERT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, kTypedUrls));
    ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
    ExpectNoBox();
    EXPECT_EQ(RowsOf({ "http://gone.example/" }), App().Rows());
    EXPECT_EQ(std::optional<bool>(true), App().IsButtonEnabled(ID_CLEAN_HISTORY))
        << "\"Clean history\" should stay enabled";
}

}
