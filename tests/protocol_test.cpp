// tests/protocol_test.cpp
// The category protocol: which eraser "Clean history" picks, when it is enabled, and the report texts.
#include "support/BoxCatcher.h"
#include "support/ViewFixture.h"
#include "resource.h"
#include <cstring>

namespace {

const char* const kTagsInDispatchOrder[] = { "Cache", "History", "Cookie", "Address", "System", "Document", "Run",
                                             "Logon", "Search", "Computer", "Form", "Password", "Telnet", "Net" };

TEST(TraceCategories, EachTagFindsItsOwnCategoryByContent)
{
    ASSERT_EQ(std::size(kTagsInDispatchOrder), static_cast<size_t>(Trace::Count));
    for (int i = 0; i < static_cast<int>(Trace::Count); ++i) {
        const TraceCategory& category = TraceCategoryOf(static_cast<Trace>(i));
        EXPECT_STREQ(category.tag, kTagsInDispatchOrder[i]);
        // A copy, so a comparison of pointers rather than of text would not find it.
        char copy[16] = {};
        std::strcpy(copy, kTagsInDispatchOrder[i]);
        EXPECT_EQ(FindTraceCategory(copy), &category) << copy;
    }
    EXPECT_TRUE(FindTraceCategory("Address")->eraser == &CVestrelView::OnDeleteAddress);
    EXPECT_TRUE(FindTraceCategory("Run")->eraser == &CVestrelView::OnDeleteRun);
    EXPECT_TRUE(FindTraceCategory("Logon")->eraser == &CVestrelView::OnDeleteLogon);
    EXPECT_TRUE(FindTraceCategory("Search")->eraser == nullptr);
    EXPECT_TRUE(FindTraceCategory("Net")->eraser == &CVestrelView::OnDeleteNet);
}

TEST(TraceCategories, TagsMatchOnlyExactly)
{
    for (const char* text : { "", "cache", "CACHE", "Cach", "Cache ", " Run", "RUN", "logon", "Networks" })
        EXPECT_EQ(FindTraceCategory(text), nullptr) << '"' << text << '"';
}

TEST(ReportTexts, NoneFoundAndCountTexts)
{
    EXPECT_EQ(AnalysisText(Trace::Address, 0), "Internet Explorer analyzing completed successfully, no addresses found.");
    EXPECT_EQ(AnalysisText(Trace::Cookie, 0), "Internet Explorer cookies analyzing completed successfully, no cookie found.");
    EXPECT_EQ(AnalysisText(Trace::Cache, 1),
              "Temporary Internet Explorer files analyzing completed successfully, 1 files found.");
    EXPECT_EQ(AnalysisText(Trace::History, 12345), "Internet Explorer history analyzing completed successfully, 12345 history found.");
    EXPECT_EQ(AnalysisText(Trace::System, 7), "Windows Temporary file analyzing completed successfully, 7 files found.");
}

TEST(ReportTexts, CategoriesWithTheirOwnWordingPutTheCountBetweenBlanks)
{
    const struct { Trace trace; const char* name; } named[] = {
        { Trace::Document, "Documents" }, { Trace::Run, "Run" }, { Trace::Net, "Network" } };
    for (const auto& each : named) {
        const TraceCategory& category = TraceCategoryOf(each.trace);
        EXPECT_NE(std::strstr(category.noneFound, each.name), nullptr) << category.tag;
        EXPECT_EQ(AnalysisText(each.trace, 42),
                  std::string(category.countPrefix) + "42" + category.countSuffix);
        EXPECT_NE(std::strstr(category.countPrefix, each.name), nullptr) << category.tag;
        EXPECT_EQ(category.countPrefix[std::strlen(category.countPrefix) - 1], ' ') << category.tag;
        EXPECT_EQ(category.countSuffix[0], ' ') << category.tag;
    }
}

TEST(ReportTexts, CleanedMessages)
{
    EXPECT_EQ(CleanedText(Trace::Cache, 0), "Internet Explorer cache and temporary files cleaned sucessfully.");
    EXPECT_EQ(CleanedText(Trace::Document, 0), "Windows recent Documents history cleaned sucessfully.");
    EXPECT_EQ(CleanedText(Trace::Net, 0), "Windows Nethood history cleaned sucessfully.");
    EXPECT_EQ(CleanedText(Trace::Address, 0), "Internet Explorer address bar history cleaned sucessfully.");
}

TEST(ReportTexts, NotErasedMessageReadsWellForPluralAndSingularNames)
{
    EXPECT_EQ(CleanedText(Trace::Cache, 2),
              "Internet Explorer cache and temporary files cleaned, but 2 items could not be erased.");
    EXPECT_EQ(CleanedText(Trace::System, 1), "Windows Temporary file cleaned, but 1 item could not be erased.");
    EXPECT_EQ(CleanedText(Trace::Cookie, 10000), "Internet Explorer cookies cleaned, but 10000 items could not be erased.");
}

class ProtocolTest : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        g_pszCategory = "";
    }
    void TearDown() override
    {
        g_pszCategory = "";
        ViewFixture::TearDown();
    }

    // Asks the view about "Clean history" as the framework does for a menu item; true when enabled.
    bool CleanHistoryEnabled(bool startGrayed)
    {
        HMENU menu = ::CreatePopupMenu();
        ::AppendMenuA(menu, MF_STRING | (startGrayed ? MF_GRAYED : MF_ENABLED), ID_CLEAN_HISTORY, "Clean history");
        CCmdUI ui;
        ui.m_nID = ID_CLEAN_HISTORY;
        ui.m_nIndex = 0;
        ui.m_hMenu = menu;
        ui.DoUpdate(&View(), TRUE);
        const bool enabled = (::GetMenuState(menu, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        ::DestroyMenu(menu);
        return enabled;
    }
};

TEST_F(ProtocolTest, CleanHistoryIsEnabledExactlyWhileTheListHoldsRows)
{
    EXPECT_FALSE(CleanHistoryEnabled(false));
    EXPECT_FALSE(CleanHistoryEnabled(true));
    View().AppendResultRow("C:\\a.txt", "2024/01/02 03:04:05");
    EXPECT_TRUE(CleanHistoryEnabled(true));
    EXPECT_TRUE(CleanHistoryEnabled(false));
    View().ClearResults();
    EXPECT_FALSE(CleanHistoryEnabled(false));
}

TEST_F(ProtocolTest, CleanHistoryBeforeAnyAnalysisDoesNothing)
{
    View().AppendResultRow("C:\\a.txt");
    BoxCatcher catcher;

    View().OnCleanHistory();
    g_pszCategory = "cache";
    View().OnCleanHistory();

    EXPECT_TRUE(catcher.Boxes().empty());
    EXPECT_EQ(View().GetRowCount(), 1);
}

TEST_F(ProtocolTest, ReservedSearchCommandKeepsTheRowsAndItsCleanErasesNothing)
{
    View().RecordCategory(Trace::Cache);
    View().AppendResultRow("C:\\cache\\a.htm", "2024/01/02 03:04:05");
    View().AppendResultRow("http://example.com/", "2024/01/02 03:04:06");
    BoxCatcher catcher;

    View().SendMessage(WM_COMMAND, ID_ANALYZE_SEARCH, 0);
    EXPECT_STREQ(g_pszCategory, "Search");
    EXPECT_EQ(View().GetRowCount(), 2);
    EXPECT_TRUE(catcher.Boxes().empty());

    View().OnCleanHistory();

    const std::vector<CaughtBox> boxes = catcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kAppTitle);
    EXPECT_EQ(boxes[0].text, "OnDeleteSearch()");
    EXPECT_EQ(Rows(), std::vector<std::string>({ "C:\\cache\\a.htm|2024/01/02 03:04:05",
                                                 "http://example.com/|2024/01/02 03:04:06" }));
    EXPECT_STREQ(g_pszCategory, "Search");
    EXPECT_TRUE(CleanHistoryEnabled(true));
}

}
