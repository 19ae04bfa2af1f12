// traces/registry/RegKey.h
// A registry key held for the length of one finder, and the bounded walk over its values.
#pragma once
#include <windows.h>
#include <functional>
#include "framework/String.h"

class CRegKey
{
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LONG Open(HKEY root, LPCSTR subKey, REGSAM access) { Close(); return ::RegOpenKeyExA(root, subKey, 0, access, &m_key); }
    void Close() { if (m_key) ::RegCloseKey(m_key); m_key = nullptr; }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

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
