// tests/support/ViewFixture.h
// A results view in a hidden top-level window, as the program holds it, for tests of the view itself: a
// category's steps and the boxes they show, the list and its painting. A walk needs no window: its tests
// hand it a RowList.
#pragma once
#include <gtest/gtest.h>
#include "view/VestrelView.h"
#include <string>
#include <vector>

// The captions of the program's boxes: an analysis's report, and every other box.
inline const char kAnalyzingCaption[] = "Analyzing result";
inline const char kAppTitle[] = "Vestrel v2.00";

// A category's report texts, as its entry of the table makes them.
std::string AnalysisText(Trace trace, int rows);
std::string CleanedText(Trace trace, int notErased);

class ViewFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CVestrelView& View() { return *m_pView; }
    // The rows as "path|time", in list order.
    std::vector<std::string> Rows() const;
    // "Clean history" after an analysis of trace.
    void Clean(Trace trace)
    {
        View().RecordCategory(trace);
        View().OnCleanHistory();
    }

private:
    CWnd m_parent;
    CVestrelView* m_pView = nullptr;    // deletes itself with its window
};
