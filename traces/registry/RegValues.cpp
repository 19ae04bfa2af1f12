// traces/registry/RegKey.cpp
#include "RegValues.h"
#include <algorithm>
#include <cstring>

namespace {

// Values another program may add while the walk runs.
constexpr DWORD kValuesAddedMeanwhile = 64;

}

CString BufferText(const void* buffer, DWORD bytesRead, DWORD bufferSize)
{
    const char* text = static_cast<const char*>(buffer);
    return CString(text, static_cast<int>(strnlen(text, std::min(bytesRead, bufferSize))));
}

CString ValueStep::NameText() const
{
    return BufferText(name, nameCount, kBufferSize);
}

CString ValueStep::DataText() const
{
    return BufferText(data, dataCount, kBufferSize);
}

void EnumerateValues(HKEY key, const std::function<void(const ValueStep&)>& step)
{
    DWORD valueCount = 0;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                       nullptr, nullptr, nullptr, nullptr);
    // ERROR_MORE_DATA is one value too long for the buffers, so the walk goes on past it; any
    // other error concerns the key itself (deleted meanwhile, access withdrawn) and would repeat
    // at every later index, so it ends the walk, as does passing the values the key held at the
    // start plus a margin: no pattern of results can keep the walk going for ever.
    for (DWORD index = 0; index < valueCount + kValuesAddedMeanwhile; ++index) {
        ValueStep current;
        DWORD type = 0;
        current.result = ::RegEnumValueA(key, index, current.name, &current.nameCount, nullptr, &type,
                                         current.data, &current.dataCount);
        if (current.result != ERROR_SUCCESS && current.result != ERROR_MORE_DATA)
            return;
        step(current);
    }
}
