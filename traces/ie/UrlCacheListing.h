// traces/ie/UrlCacheListing.h
// The analyses' URL-cache step: one row for every entry of the kind analyzed.
#pragma once
#include "CacheEntryKind.h"

class CVestrelView;

void ListUrlCacheEntries(CVestrelView& view, CacheEntryKind kind);
