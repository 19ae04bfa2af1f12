// traces/ie/UrlCacheWalk.h
// Walks every entry of the WinINet URL cache, each read into a block of exactly the size WinINet asks for.
#pragma once
#include <windows.h>
#include <wininet.h>
#include <memory>

class CUrlCacheWalk
{
public:
    // An entry is its URL, its file name and its headers: a few kilobytes. A size far beyond that is no
    // entry's, and a block is never allocated for it.
    static constexpr DWORD kLargestEntry = 1024 * 1024;

    // Fetches the first entry; Entry() is null when the cache yields none.
    CUrlCacheWalk();
    ~CUrlCacheWalk();
    CUrlCacheWalk(const CUrlCacheWalk&) = delete;
    CUrlCacheWalk& operator=(const CUrlCacheWalk&) = delete;

    // The entry in hand, or null once the walk is over.
    const INTERNET_CACHE_ENTRY_INFOA* Entry() const;
    // Moves on to the next entry; false when none is left or it cannot be fetched.
    bool Next();
    // Once the walk is over: true when WinINet had no entry left or there is no cache, false when one
    // could not be fetched, so that neither it nor any after it was seen.
    bool Complete() const { return m_complete; }

private:
    // Null, with the last error set, when the size is beyond any entry's or the memory cannot be had.
    INTERNET_CACHE_ENTRY_INFOA* NewBlock(DWORD size);
    // Ends the walk, telling from the last error whether every entry was seen.
    void End();

    HANDLE m_hFind = nullptr;
    std::unique_ptr<BYTE[]> m_block;
    bool m_complete = false;
};
