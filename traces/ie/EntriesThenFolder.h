// traces/ie/EntriesThenFolder.h
// The cache and cookie erasers: under the wait cursor, the URL-cache entries of one kind go first,
// then the special folder that holds their files; the list is emptied and the outcome reported.
#pragma once
#include "CacheEntryKind.h"
#include "view/TraceCategory.h"

class CVestrelView;

void EraseEntriesThenFolder(CVestrelView& view, CacheEntryKind kind, int csidlFolder, Trace trace);
