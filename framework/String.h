// framework/String.h
// A growable ANSI string: what the application asks of the framework's string class.
#pragma once
#include <windows.h>
#include <string>

class CString
{
public:
    CString() = default;
    CString(LPCSTR psz) : m_str(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength) : m_str(pch, nLength) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator LPCSTR() const { return m_str.c_str(); }
    char operator[](int nIndex) const { return m_str[nIndex]; }

    CString& operator=(LPCSTR psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(LPCSTR psz) { m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, LPCSTR b) { CString s(a); s += b; return s; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.m_str == b; }

    CString Left(int nCount) const { return CString(m_str.substr(0, nCount)); }
    CString Mid(int nFirst) const { return CString(m_str.substr(nFirst)); }
    int Find(char ch) const;
    // The last occurrence of a byte, or -1; multibyte-aware so a trail byte is never taken.
    int ReverseFind(char ch) const;
    void Format(LPCSTR pszFormat, ...);
    // Loads a string resource; false (and empty) when there is none.
    BOOL LoadString(UINT nID);

private:
    explicit CString(std::string s) : m_str(std::move(s)) {}
    std::string m_str;
};
