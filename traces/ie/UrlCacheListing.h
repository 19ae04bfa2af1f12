// traces/ie/UrlCacheListing.h
// The URL cache's part of an analysis: one row of URL and last-modified time for every entry of the kind
// analyzed, and for every entry passed, listed or not, a repaint, so a long walk shows it is alive.
#pragma once
#include "CacheEntryKind.h"
#include "UrlCacheWalk.h"
#include "traces/RowSink.h"

// From the entry walk holds in hand to the end of the cache.
void ListUrlCacheEntries(RowSink& rows, CUrlCacheWalk& walk, CacheEntryKind kind);
