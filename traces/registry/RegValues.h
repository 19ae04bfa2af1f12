// traces/registry/RegValues.h
// The bounded walk over a key's values, and the texts its buffers hold.
#pragma once
#include <windows.h>
#include <functional>
#include "framework/String.h"

// One step of a value walk: the result and both buffers as RegEnumValueA left them.
struct ValueStep
{
    static constexpr DWORD kBufferSize = 250;
    LONG result = ERROR_SUCCESS;
    char name[kBufferSize] = {};
    DWORD nameCount = kBufferSize;
    BYTE data[kBufferSize] = {};
    DWORD dataCount = kBufferSize;

    CString NameText() const;
    CString DataText() const;
};

// The text of a buffer up to its first zero byte, never beyond the bytes read nor its end.
CString BufferText(const void* buffer, DWORD bytesRead, DWORD bufferSize);

// Calls step() for each value the walk reaches, whether read in full or too long for the buffers.
void EnumerateValues(HKEY key, const std::function<void(const ValueStep&)>& step);
