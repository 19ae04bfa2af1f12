// tests/support/ViewFixture.h
// A results view in a hidden top-level window, as the program holds it, for tests of finders and erasers.
#pragma once
#include <gtest/gtest.h>
#include "view/VestrelView.h"
#include <string>
#include <vector>

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
