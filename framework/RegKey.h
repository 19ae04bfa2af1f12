// framework/RegKey.h
// A registry key held open for as long as the object lives.
#pragma once
#include <windows.h>

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
