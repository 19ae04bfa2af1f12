// bench/Seed.cpp
// Inputs that live in the prefix's URL cache and registry, made through the real API.
#include "Bench.h"
#include <wininet.h>
#include <cstdio>

int SeedCookies(int count)
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    FILETIME never = {};
    int made = 0;
    for (int i = 0; i < count; ++i) {
        char url[100];
        std::snprintf(url, sizeof url, "Cookie:bench@host%05d.example/", i);
        if (::CommitUrlCacheEntryA(url, nullptr, never, now, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0,
                                   nullptr, nullptr))
            ++made;
    }
    return made;
}

int SeedTypedAddresses(int count)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", 0, nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    int made = 0;
    for (int i = 1; i <= count; ++i) {
        char name[20];
        char data[100];
        std::snprintf(name, sizeof name, "url%d", i);
        int length = std::snprintf(data, sizeof data, "http://www.site%05d.example/page", i);
        if (::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), length + 1) == ERROR_SUCCESS)
            ++made;
    }
    ::RegCloseKey(key);
    return made;
}
