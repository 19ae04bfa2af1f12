// bench/ListSteps.cpp
// What a listing costs, step by step, against the bare walk: the walk into rows that go nowhere, then into
// the list with its drawing held, then as an analysis lists them, paints at display pace included. Each
// step runs on the same tree; the figures say what the walk's checks and the list control add.
#include "Bench.h"
#include "traces/files/ListFolder.h"
#include "view/VestrelView.h"
#include <cstdio>

namespace {

// Rows that go nowhere: the walk alone.
class NoRows : public RowSink
{
public:
    int AppendResultRow(const char*) override { return m_rows++; }
    int AppendResultRow(const char*, const char*) override { return m_rows++; }
    void RepaintResultsNow() override {}

private:
    int m_rows = 0;
};

// Rows into the view's list with nothing painted until the end, as the registry finders list.
class HeldRows : public RowSink
{
public:
    explicit HeldRows(CVestrelView& view) : m_view(view) {}
    int AppendResultRow(const char* path) override { return m_view.AppendResultRow(path); }
    int AppendResultRow(const char* path, const char* time) override { return m_view.AppendResultRow(path, time); }
    void RepaintResultsNow() override {}

private:
    CVestrelView& m_view;
};

template <typename List>
double TimedListing(List list)
{
    LONGLONG start = Now();
    list();
    return Milliseconds(start, Now());
}

}

void PrintListSteps(CVestrelView& view, const std::vector<std::string>& folders)
{
    auto listAll = [&folders](RowSink& rows) {
        for (const std::string& folder : folders)
            ListFolderTree(rows, folder.c_str(), "Cookies");
    };
    WalkResult bare = BareFileWalk(folders);
    NoRows none;
    double walk = TimedListing([&] { listAll(none); });
    // The first fill after start, as a user's first analysis, then again into the memory it left.
    double first = TimedListing([&] { listAll(view); view.ShowAllResults(); });
    view.ClearResults();
    HeldRows held(view);
    double rows = TimedListing([&] { listAll(held); view.ShowAllResults(); });
    view.ClearResults();
    double paced = TimedListing([&] { listAll(view); view.ShowAllResults(); });
    std::printf("items=%ld bare=%.1f walk=%.1f first=%.1f rows=%.1f paced=%.1f\n", bare.items, bare.ms, walk, first,
                rows, paced);
}
