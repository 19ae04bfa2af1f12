// traces/files/FolderWalk.cpp
#include "FolderWalk.h"
#include <mbstring.h>

namespace {

const unsigned char* Bytes(LPCSTR text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

// The path a handle really reaches, as "\\?\C:\..."; empty when it cannot be told.
std::wstring FinalPath(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
        path.resize(length);
        length = ::GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= path.size())
        return std::wstring();
    path.resize(length);
    return path;
}

// Empty when the text does not convert.
std::wstring Wide(LPCSTR text)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(length, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.pop_back();
    return wide;
}

// Refuses an entry that is a link or lies elsewhere; the last error then says refused, never in use.
FileHandle Refused()
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FileHandle(INVALID_HANDLE_VALUE);
}

}

FolderEntries::FolderEntries(LPCSTR folder)
{
    CString pattern;
    if (JoinPath(folder, "*.*", pattern))
        m_find = ::FindFirstFileA(pattern, &m_entry);
    if (!IsOpen()) {
        DWORD attributes = ::GetFileAttributesA(folder);
        m_readWhole = attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
}

FolderEntries::~FolderEntries()
{
    if (IsOpen())
        ::FindClose(m_find);
}

bool FolderEntries::Next()
{
    while (IsOpen()) {
        if (m_started && !::FindNextFileA(m_find, &m_entry)) {
            m_readWhole = ::GetLastError() == ERROR_NO_MORE_FILES;
            return false;
        }
        m_started = true;
        if (!SameName(Name(), ".") && !SameName(Name(), ".."))
            return true;
    }
    return false;
}

bool SameName(LPCSTR name, LPCSTR other)
{
    return _mbscmp(Bytes(name), Bytes(other)) == 0;
}

bool SameNameAnyCase(LPCSTR name, LPCSTR other)
{
    return _mbsicmp(Bytes(name), Bytes(other)) == 0;
}

bool JoinPath(LPCSTR folder, LPCSTR name, CString& path)
{
    path = folder;
    path += '\\';
    path += name;
    // Windows' ANSI file calls take at most MAX_PATH - 1 characters, Wine's one more.
    return path.GetLength() < MAX_PATH;
}

OwnFolder::OwnFolder(LPCSTR folder)
    : m_folder(folder)
{
    CString folderPath(folder);
    folderPath += '\\';
    FileHandle handle(::CreateFileA(folderPath, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
    if (!handle.IsValid())
        return;
    m_finalPath = FinalPath(handle);
    if (!m_finalPath.empty() && m_finalPath.back() != L'\\')
        m_finalPath += L'\\';
}

OwnFolder::OwnFolder(const OwnFolder& parent, LPCSTR name)
{
    JoinPath(parent.m_folder, name, m_folder);
    std::wstring wideName = Wide(name);
    if (!parent.m_finalPath.empty() && !wideName.empty())
        m_finalPath = parent.m_finalPath + wideName + L'\\';
}

FileHandle OwnFolder::OpenHere(LPCSTR name, DWORD access, DWORD share) const
{
    CString path;
    std::wstring wideName = Wide(name);
    if (m_finalPath.empty() || wideName.empty() || !JoinPath(m_folder, name, path))
        return Refused();
    // A folder opens only with backup semantics; a file opens alike with them.
    FileHandle file(::CreateFileA(path, access, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsValid())
        return file;
    std::wstring expected = m_finalPath + wideName;
    if (::CompareStringOrdinal(expected.c_str(), -1, FinalPath(file).c_str(), -1, TRUE) != CSTR_EQUAL)
        return Refused();
    return file;
}

FileHandle OwnFolder::Open(LPCSTR name, DWORD access, DWORD share, DWORD* attributes) const
{
    FileHandle file = OpenHere(name, access | FILE_READ_ATTRIBUTES, share);
    if (!file.IsValid())
        return file;
    // Attributes that cannot be read mark it as a link too: of what cannot be told, nothing is touched.
    DWORD fileAttributes = AttributesOf(file);
    if (fileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Refused();
    if (attributes)
        *attributes = fileAttributes;
    return file;
}

FileHandle OwnFolder::OpenToDelete(LPCSTR name) const
{
    return OpenHere(name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll);
}

DWORD AttributesOf(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO tag;
    if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return INVALID_FILE_ATTRIBUTES;
    return tag.FileAttributes;
}

void ClearReadOnly(HANDLE file, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return;
    FILE_BASIC_INFO change = {};    // times of zero stay as they are
    change.FileAttributes = attributes & ~FILE_ATTRIBUTE_READONLY;
    if (change.FileAttributes == 0)
        change.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(file, FileBasicInfo, &change, sizeof change);
}

bool DeleteOpenFile(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = { TRUE };
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool RemoveLink(LPCSTR path)
{
    FileHandle link(::CreateFileA(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    // Unmarked, the handle reaches what the link points to (Wine): deleting through it would erase that.
    DWORD attributes = link.IsValid() ? AttributesOf(link) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    ClearReadOnly(link, attributes);
    return DeleteOpenFile(link);
}
