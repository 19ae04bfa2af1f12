// tests/support/RowList.h
// Rows as the tests read them, "path|time" in the order they came: those a walk hands to a list of the
// test's own, with no window, and those of the program's list (ViewFixture::Rows).
#pragma once
#include "traces/RowSink.h"
#include <algorithm>
#include <string>
#include <vector>

class RowList : public RowSink
{
public:
    int AppendResultRow(const char* path) override { return AppendResultRow(path, ""); }
    int AppendResultRow(const char* path, const char* time) override
    {
        m_rows.push_back(std::string(path) + "|" + time);
        return static_cast<int>(m_rows.size()) - 1;
    }
    void RepaintResultsNow() override {}

    const std::vector<std::string>& Rows() const { return m_rows; }

private:
    std::vector<std::string> m_rows;
};

// For rows whose order the file system or the registry chooses.
inline std::vector<std::string> Sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The rows' paths, without their times.
inline std::vector<std::string> Paths(const std::vector<std::string>& rows)
{
    std::vector<std::string> paths;
    for (const std::string& row : rows)
        paths.push_back(row.substr(0, row.find('|')));
    return paths;
}
