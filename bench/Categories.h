// bench/Categories.h
// The categories the benchmarks analyze, by the names bench/run.sh gives them.
#pragma once
#include "res/resource.h"
#include <windows.h>
#include <cstring>

// The command of "analyze <category>", or 0 for a name the benchmarks do not use.
inline UINT AnalyzeCommand(const char* category)
{
    if (std::strcmp(category, "system") == 0)
        return ID_ANALYZE_SYSTEM;
    if (std::strcmp(category, "cookie") == 0)
        return ID_ANALYZE_COOKIE;
    if (std::strcmp(category, "address") == 0)
        return ID_ANALYZE_ADDRESS;
    return 0;
}
