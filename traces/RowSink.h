// traces/RowSink.h
// Where a finder puts what it finds: the results list, or whatever a test collects rows in.
#pragma once

class RowSink
{
public:
    // A row of a path, URL or registry text; with a time, its "Modify Time" cell. The result is its index.
    virtual int AppendResultRow(const char* path) = 0;
    virtual int AppendResultRow(const char* path, const char* time) = 0;
    // A long walk has passed one more item, listed or not: where rows are shown, they may be shown now.
    virtual void RepaintResultsNow() = 0;

protected:
    ~RowSink() = default;
};
