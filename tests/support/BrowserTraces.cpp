// tests/support/BrowserTraces.cpp
#include "BrowserTraces.h"
#include "ImportHook.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

CVestrelView* g_cursorView = nullptr;

}

std::vector<CursorSet> g_cursorsSet;

HCURSOR WINAPI RecordingSetCursor(HCURSOR cursor)
{
    g_cursorsSet.push_back({ cursor, g_cursorView ? g_cursorView->GetRowCount() : -1 });
    return RealImport<decltype(&::SetCursor)>("user32.dll", "SetCursor")(cursor);
}

HCURSOR Wait()
{
    return ::LoadCursorA(nullptr, IDC_WAIT);
}

HCURSOR Arrow()
{
    return ::LoadCursorA(nullptr, IDC_ARROW);
}

void BrowserTraces::SetUp()
{
    ViewFixture::SetUp();
    ExpectEmptyCache();
    ASSERT_FALSE(HasFailure());
    m_cache = m_root.Folder("Cache");
    m_cookies = m_root.Folder("Cookies");
    m_history = m_root.Folder("History");
    ASSERT_EQ(m_key.Open(HKEY_CURRENT_USER, kShellFolders, KEY_QUERY_VALUE | KEY_SET_VALUE), ERROR_SUCCESS);
    MoveBrowserFolders(m_cache, m_cookies, m_history);
    g_cursorView = &View();
    g_cursorsSet.clear();
}

void BrowserTraces::TearDown()
{
    g_cursorView = nullptr;
    // Latest first, so a folder moved twice ends where it started.
    for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved)
        ::RegSetValueExA(m_key, saved->name, 0, saved->type, saved->data.data(), static_cast<DWORD>(saved->data.size()));
    m_key.Close();
    ViewFixture::TearDown();
}

void BrowserTraces::MoveBrowserFolders(const std::string& cache, const std::string& cookies, const std::string& history)
{
    Move("Cache", cache);
    Move("Cookies", cookies);
    Move("History", history);
}

void BrowserTraces::Move(const char* name, const std::string& folder)
{
    Saved saved = { name, 0, std::vector<BYTE>(1024) };
    DWORD size = static_cast<DWORD>(saved.data.size());
    ASSERT_EQ(::RegQueryValueExA(m_key, name, nullptr, &saved.type, saved.data.data(), &size), ERROR_SUCCESS) << name;
    saved.data.resize(size);
    m_saved.push_back(saved);
    ::RegSetValueExA(m_key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
}
