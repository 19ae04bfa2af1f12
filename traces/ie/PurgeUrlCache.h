// traces/ie/PurgeUrlCache.h
// The URL cache's part of a clean: every entry of one kind deleted.
#pragma once
#include "CacheEntryKind.h"
#include "traces/EraseOutcome.h"

// 1 when the cache had an entry, else 0. An entry in use stays and is counted; one that could not be
// fetched counts for all that lay beyond it.
int PurgeUrlCacheEntries(int kind, EraseOutcome& outcome);
