// demo/Tour.cpp
// The guided tour of the demo machine: for every category, Vestrel analyzes, shows its rows and
// report, cleans, and a second analysis shows that nothing is left. Drives the real program from
// outside, as a user would, and exits with the number of categories that did not behave so.
#include "driver/Driver.h"
#include "Screenshot.h"
#include "res/resource.h"
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};

struct Stop
{
    const char* command;    // as the menu names it
    int commandId;
    const char* shotName;
};

const Stop kStops[] = {
    { "Analyze IE cache", ID_ANALYZE_CACHE, "cache" },
    { "Analyze IE history", ID_ANALYZE_HISTORY, "history" },
    { "Analyze IE cookies", ID_ANALYZE_COOKIE, "cookies" },
    { "Analyze IE address bar", ID_ANALYZE_ADDRESS, "address-bar" },
    { "Analyze Windows Temporary file", ID_ANALYZE_SYSTEM, "temporary-files" },
    { "Analyze Windows Documents history", ID_ANALYZE_DOCUMENT, "documents" },
    { "Analyze Windows Run history", ID_ANALYZE_RUN, "run" },
    { "Analyze Windows Logon history", ID_ANALYZE_LOGON, "logon" },
    { "Analyze Network history", ID_ANALYZE_NET, "network" },
};

// Large folders under a visible list take a while; a stuck program must still end the tour.
constexpr DWORD kCommandTimeoutMs = 120000;
// The cleaned message is the last box of an eraser; some show one before it.
constexpr int kMostBoxesOfAClean = 3;

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

bool IsIndexFile(const std::string& path)
{
    return lstrcmpiA(path.c_str() + path.find_last_of('\\') + 1, "index.dat") == 0;
}

// Vestrel's own WinINet keeps the URL cache's index files open, so they cannot go; what the
// eraser does to them is the overwrite, which leaves nothing after their first 64 bytes, and it
// counts that as done.
bool IsEmptiedIndex(const std::string& path)
{
    if (!IsIndexFile(path))
        return false;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 64, SEEK_SET) != 0)
        return false;
    for (int c; (c = std::fgetc(file.get())) != EOF;)
        if (c != 0)
            return false;
    return true;
}

std::string RowText(const std::vector<std::string>& cells)
{
    std::string text;
    for (const auto& cell : cells)
        if (!cell.empty())
            text += (text.empty() ? "" : "   ") + cell;
    return text;
}

// Runs one analysis and answers its report; the rows are what the list holds after it.
bool Analyze(VestrelSession& app, const Stop& stop, std::string& report, std::vector<std::vector<std::string>>& rows)
{
    if (!app.PostCommand(stop.commandId))
        return false;
    const auto box = app.AnswerBox(kCommandTimeoutMs);
    if (!box)
        return false;
    report = box->text;
    rows = app.Rows();
    return true;
}

// Presses "Clean history" and answers every box up to the cleaned message, which it returns.
std::string Clean(VestrelSession& app)
{
    std::string why;
    if (!app.PressWhenEnabled(ID_CLEAN_HISTORY, &why))
        return "(could not press \"Clean history\": " + why + ")";
    for (int i = 0; i < kMostBoxesOfAClean; ++i) {
        const auto box = app.AnswerBox(i == 0 ? kCommandTimeoutMs : VestrelSession::kBoxTimeoutMs);
        if (!box)
            break;
        if (box->text.find(" cleaned") != std::string::npos)
            return box->text;
        Say("  Box on the way: \"" + box->text + "\"");
    }
    return "(no cleaned message)";
}

// One category from analysis to second analysis; true when it found something and left nothing.
bool Visit(VestrelSession& app, const Stop& stop, int number, const std::string& shotFolder)
{
    Say("");
    Say("== " + std::to_string(number) + ". " + stop.command);
    std::string report;
    std::vector<std::vector<std::string>> rows;
    if (!Analyze(app, stop, report, rows)) {
        Say("  No report came: the analysis did not finish.");
        return false;
    }
    for (const auto& row : rows)
        Say("  " + RowText(row));
    Say("  Analyzing result: \"" + report + "\"");
    // The URL cache's own index is there on any machine: it is not a trace of use.
    bool found = false;
    for (const auto& row : rows)
        found = found || !IsIndexFile(row.front());
    if (rows.empty()) {
        Say("  Nothing to clean: \"Clean history\" stays disabled.");
        return false;
    }

    // The list repaints once its report box has gone.
    ::Sleep(400);
    char name[32];
    std::snprintf(name, sizeof name, "%02d-%s.bmp", number, stop.shotName);
    const std::string shot = shotFolder + "\\" + name;
    if (!SaveWindowShot(app.MainWindow(), shot))
        Say("  (no screenshot: " + shot + " could not be written)");

    const std::string cleaned = Clean(app);
    Say("  Clean history: \"" + cleaned + "\"");
    bool clean = cleaned.find("could not be erased") == std::string::npos;

    std::string again;
    std::vector<std::vector<std::string>> left;
    if (!Analyze(app, stop, again, left)) {
        Say("  No report came from the second analysis.");
        return false;
    }
    Say("  Analyzed again: \"" + again + "\"");
    for (const auto& row : left) {
        const bool held = IsEmptiedIndex(row.front());
        Say("  Left: " + RowText(row) + (held ? "  (the URL cache's index, held open by Vestrel itself: zeroed, not deleted)" : ""));
        clean = clean && held;
    }
    return found && clean;
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder for the screenshots>\n", argv[0]);
        return 2;
    }
    const std::string shotFolder = argv[1];
    ::CreateDirectoryA(shotFolder.c_str(), nullptr);

    VestrelSession app;
    if (!app.Started()) {
        std::fprintf(stderr, "Vestrel did not start: %s\n", app.Error().c_str());
        return 2;
    }
    Say("Vestrel is open on the demo machine: \"" + app.MainCaption() + "\"");
    int failed = 0;
    int number = 0;
    for (const Stop& stop : kStops)
        if (!Visit(app, stop, ++number, shotFolder))
            ++failed;
    Say("");
    if (failed == 0)
        Say("Every category found its traces, and a second analysis found nothing left.");
    else
        Say(std::to_string(failed) + " of " + std::to_string(std::size(kStops)) + " categories did not find traces or left some behind.");
    if (!app.Close())
        Say("Vestrel did not close and was ended.");
    return failed;
}
