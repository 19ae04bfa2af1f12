// tests/e2e/CategoryTest.h
// A session in which the user analyzes one category and cleans it: commands, the boxes they end in,
// the rows and "Clean history".
#pragma once
#include "SessionTest.h"
#include "res/resource.h"
#include "tests/support/RowList.h"
#include <algorithm>
#include <string>
#include <vector>

using Rows = std::vector<std::vector<std::string>>;

inline MessageBoxSeen AnalysisBox(const std::string& text)
{
    return { "Analyzing result", text, BoxIcon::Information };
}

inline MessageBoxSeen ProgramBox(const std::string& text)
{
    return { "Vestrel v2.00", text, BoxIcon::Exclamation };
}

// Rows [from, to) as "path|time", sorted: for rows whose order the file system chooses.
inline std::vector<std::string> SortedRows(const Rows& rows, size_t from, size_t to)
{
    std::vector<std::string> texts;
    for (size_t i = std::min(from, rows.size()); i < std::min(to, rows.size()); ++i)
        texts.push_back(rows[i].at(0) + "|" + rows[i].at(1));
    return Sorted(texts);
}

class CategoryTest : public SessionTest
{
protected:
    void Click(int commandId)
    {
        std::string why;
        ASSERT_TRUE(App().PressWhenEnabled(commandId, &why)) << why;
    }

    // The next box must say exactly this; it is answered with OK.
    void ExpectBox(const MessageBoxSeen& expected, DWORD timeoutMs = VestrelSession::kBoxTimeoutMs)
    {
        const auto seen = App().AnswerBox(timeoutMs);
        ASSERT_TRUE(seen) << "expected " << expected << ", but no box appeared";
        EXPECT_EQ(expected, *seen);
    }

    void ExpectCleanHistoryEnabled(bool enabled)
    {
        EXPECT_TRUE(App().WaitForButtonEnabled(ID_CLEAN_HISTORY, enabled))
            << "\"Clean history\" should be " << (enabled ? "enabled" : "disabled");
    }

    // "Clean history" as the user presses it, ending in the program's box with this text.
    void CleanExpecting(const std::string& text)
    {
        ASSERT_NO_FATAL_FAILURE(Click(ID_CLEAN_HISTORY));
        ExpectBox(ProgramBox(text));
        EXPECT_EQ(Rows {}, App().Rows());
        ExpectCleanHistoryEnabled(false);
    }
};
