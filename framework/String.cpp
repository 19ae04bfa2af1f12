// framework/String.cpp
#include "String.h"
#include "WinApp.h"
#include <mbstring.h>
#include <cstdarg>
#include <cstdio>

int CString::Find(char ch) const
{
    const unsigned char* p = _mbschr(reinterpret_cast<const unsigned char*>(m_str.c_str()), static_cast<unsigned char>(ch));
    return p ? static_cast<int>(reinterpret_cast<const char*>(p) - m_str.c_str()) : -1;
}

int CString::ReverseFind(char ch) const
{
    const unsigned char* p = _mbsrchr(reinterpret_cast<const unsigned char*>(m_str.c_str()), static_cast<unsigned char>(ch));
    return p ? static_cast<int>(reinterpret_cast<const char*>(p) - m_str.c_str()) : -1;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    m_str.assign(n > 0 ? n : 0, '\0');
    if (n > 0)
        std::vsnprintf(&m_str[0], n + 1, pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    // A string resource may be longer than any fixed buffer: grow until it fits.
    for (int size = 256; size <= 65536; size *= 2) {
        std::string buf(size, '\0');
        int n = ::LoadStringA(AfxGetResourceHandle(), nID, &buf[0], size);
        if (n < size - 1) {
            buf.resize(n);
            m_str = buf;
            return n > 0;
        }
    }
    m_str.clear();
    return FALSE;
}
