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

    LONG Open(HKEY root, LPCSTR subKey, REGSAM access) { Close(); return Held(::RegOpenKeyExA(root, subKey, 0, access, &m_key)); }
    // Opens the key, or makes it where it is missing.
    LONG Create(HKEY root, LPCSTR subKey, REGSAM access)
    {
        Close();
        return Held(::RegCreateKeyExA(root, subKey, 0, nullptr, 0, access, nullptr, &m_key, nullptr));
    }
    void Close() { if (m_key) ::RegCloseKey(m_key); m_key = nullptr; }
    operator HKEY() const { return m_key; }

private:
    // A failed call leaves no handle behind that Close would then close.
    LONG Held(LONG status) { if (status != ERROR_SUCCESS) m_key = nullptr; return status; }

    HKEY m_key = nullptr;
};
