// bench/Bench.h
// The benchmark harness: Vestrel's own commands timed in a visible main window, the bare Win32
// walks they are weighed against, and the seeding of their inputs.
#pragma once
#include "Clock.h"
#include <windows.h>
#include <string>
#include <vector>

// What a bare walk did: how many items and how long it took.
struct WalkResult
{
    long items = 0;
    double ms = 0;
};

// Every file under the folders, with its path joined and its Time text formatted, as a listing does.
WalkResult BareFileWalk(const std::vector<std::string>& folders);
// Empties the folders, deepest first, as an erasure does.
WalkResult BareDeleteWalk(const std::vector<std::string>& folders);
// The whole URL cache in one reused buffer; Time text of every entry, cookie entries counted.
WalkResult BareUrlCacheWalk();
// The same walk deleting every cookie entry.
WalkResult BareUrlCacheDelete();
// Every value of the typed-addresses key read.
WalkResult BareTypedAddressWalk();

class CVestrelView;
// Milliseconds of each step a listing of the folders takes, the bare walk first, in view's list; on one line.
void PrintListSteps(CVestrelView& view, const std::vector<std::string>& folders);

// Milliseconds per file of each step an erasure takes for one file, against DeleteFileA, over files
// made afresh in folder for every step; printed on one line.
void PrintDeleteSteps(const std::string& folder, int files);

// Inputs, seeded through the real API.
int SeedCookies(int count);
int SeedTypedAddresses(int count);
