// traces/ie/UrlCacheWalk.cpp
#include "UrlCacheWalk.h"
#include <new>

namespace {

// An entry may grow between its size query and its fetch; ask again, but not forever.
const int kFetchAttempts = 4;

}

CUrlCacheWalk::CUrlCacheWalk()
{
    for (int attempt = 0; attempt < kFetchAttempts; ++attempt) {
        DWORD size = 0;
        // With no buffer this only stores the size the first entry needs; it opens no enumeration.
        ::FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
        INTERNET_CACHE_ENTRY_INFOA* block = NewBlock(size);
        if (!block)
            break;
        m_hFind = ::FindFirstUrlCacheEntryA(nullptr, block, &size);
        if (m_hFind || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    if (!m_hFind)
        End();
}

CUrlCacheWalk::~CUrlCacheWalk()
{
    if (m_hFind)
        ::FindCloseUrlCache(m_hFind);
}

const INTERNET_CACHE_ENTRY_INFOA* CUrlCacheWalk::Entry() const
{
    return reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(m_block.get());
}

bool CUrlCacheWalk::Next()
{
    if (!m_hFind || !m_block)
        return false;
    for (int attempt = 0; attempt < kFetchAttempts; ++attempt) {
        DWORD size = 0;
        // A size query does not move the enumeration on; at the end it leaves the size at 0.
        ::FindNextUrlCacheEntryA(m_hFind, nullptr, &size);
        INTERNET_CACHE_ENTRY_INFOA* block = NewBlock(size);
        if (!block)
            break;
        if (::FindNextUrlCacheEntryA(m_hFind, block, &size))
            return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    End();
    return false;
}

INTERNET_CACHE_ENTRY_INFOA* CUrlCacheWalk::NewBlock(DWORD size)
{
    m_block.reset(size <= kLargestEntry ? new (std::nothrow) BYTE[size] : nullptr);
    if (!m_block)
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(m_block.get());
}

void CUrlCacheWalk::End()
{
    DWORD error = ::GetLastError();
    // A cache that is not there has nothing in it; one that is there and cannot be read has not been walked.
    bool noCache = !m_hFind && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    m_complete = error == ERROR_NO_MORE_ITEMS || noCache;
    m_block.reset();
}
