// traces/ie/UrlCacheWalk.cpp
#include "UrlCacheWalk.h"

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
        m_hFind = ::FindFirstUrlCacheEntryA(nullptr, NewBlock(size), &size);
        if (m_hFind || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    if (!m_hFind)
        m_block.reset();
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
        if (::FindNextUrlCacheEntryA(m_hFind, NewBlock(size), &size))
            return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    m_block.reset();
    return false;
}

INTERNET_CACHE_ENTRY_INFOA* CUrlCacheWalk::NewBlock(DWORD size)
{
    m_block.reset(new BYTE[size]);
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(m_block.get());
}
