// tests/support/RegistryHistories.h
// Where the registry keeps the address-bar, Run and logon histories: each set aside for a test and put
// back after it, so the test knows all that the program will find there.
#pragma once
#include "RegistryState.h"
#include <gtest/gtest.h>

inline const char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline const char kRunMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
inline const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

struct SavedHistories
{
    SavedKey typedUrls { HKEY_CURRENT_USER, kTypedUrls };
    SavedKey runMru { HKEY_CURRENT_USER, kRunMru };
    SavedValue userName { HKEY_CURRENT_USER, kWinlogon, "DefaultUserName" };
    SavedValue altUserName { HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName" };
    SavedValue machineUserName { HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName" };
};

// Three typed addresses, url1 to url3.
inline void SeedTypedUrls()
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url1", "http://one.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url2", "http://two.example/"));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTypedUrls, "url3", "http://three.example/"));
}
