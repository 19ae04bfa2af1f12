// traces/ie/UrlCacheWalk.h
// Walks every entry of the WinINet URL cache, each read into a block of exactly the size WinINet asks for.
#pragma once
#include <windows.h>
#include <wininet.h>
#include <memory>

class CUrlCacheWalk
{
public:
    // Fetches the first entry; Entry() is null when the cache yields none.
    CUrlCacheWalk();
    ~CUrlCacheWalk();
    CUrlCacheWalk(const CUrlCacheWalk&) = delete;
    CUrlCacheWalk& operator=(const CUrlCacheWalk&) = delete;

    // The entry in hand, or null once the walk is over.
    const INTERNET_CACHE_ENTRY_INFOA* Entry() const;
    // Moves on to the next entry; false when none is left or it cannot be fetched.
    bool Next();

private:
    INTERNET_CACHE_ENTRY_INFOA* NewBlock(DWORD size);

    HANDLE m_hFind = nullptr;
    std::unique_ptr<BYTE[]> m_block;
};
