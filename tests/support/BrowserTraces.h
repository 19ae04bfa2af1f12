// tests/support/BrowserTraces.h
// The browser's cache, history and cookies in a view, for the tests of what their analyses list and
// their cleans erase: the browser's folders moved to folders of the test's own, so the erasers never
// reach the files that this process's own WinINet holds open; the cache entries stay where WinINet
// keeps them.
#pragma once
#include "FileTree.h"
#include "UrlCacheState.h"
#include "ViewFixture.h"
#include "framework/RegKey.h"

// A cursor the view set, with the number of rows the list held at that moment.
struct CursorSet
{
    HCURSOR cursor;
    int rows;
    bool operator==(const CursorSet&) const = default;
};
// Every cursor set since the test began, while a test redirects SetCursor to RecordingSetCursor.
extern std::vector<CursorSet> g_cursorsSet;
HCURSOR WINAPI RecordingSetCursor(HCURSOR cursor);
HCURSOR Wait();
HCURSOR Arrow();

class BrowserTraces : public ViewFixture, protected UrlCacheSeeds
{
protected:
    void SetUp() override;
    void TearDown() override;

    void MoveBrowserFolders(const std::string& cache, const std::string& cookies, const std::string& history);
    // Last written at kFileTime; its folders are made as needed.
    static std::string MakeFile(const std::string& path, DWORD size = 16) { return MakeFileAt(path, kFileTime, size); }

    filetree::TempTree m_root;
    std::string m_cache, m_cookies, m_history;
    // Empty for each test whatever an earlier run left there, such as the demo machine's seeding.
    FolderAside m_windowsHistory { WindowsDirectory() + "\\History" };

private:
    struct Saved
    {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    };

    void Move(const char* name, const std::string& folder);

    CRegKey m_key;
    std::vector<Saved> m_saved;
};
