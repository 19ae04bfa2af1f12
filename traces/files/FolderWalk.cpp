// traces/files/FolderWalk.cpp
#include "FolderWalk.h"
#include <winternl.h>
#include <mbstring.h>

namespace {

// A folder's entries come in blocks of this size, a hundred or so at a time.
const DWORD kListingBlock = 16 * 1024;
// Far deeper than any program makes a tree, but within what each level's stack allows: a tree deeper
// still is left, and counted, rather than the walk running out of stack.
const int kDeepest = 2000;

const unsigned char* Bytes(LPCSTR text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

// Refuses an entry that is a link or lies elsewhere; the last error then says which, never in use.
FileHandle Refused()
{
    ::SetLastError(ERROR_CANT_ACCESS_FILE);
    return FileHandle(INVALID_HANDLE_VALUE);
}

bool SetAttributes(HANDLE entry, DWORD attributes)
{
    FILE_BASIC_INFO change = {};    // times of zero stay as they are
    change.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry, FileBasicInfo, &change, sizeof change) != FALSE;
}

bool MarkForDeletion(HANDLE entry, bool deletion)
{
    FILE_DISPOSITION_INFO disposition = { static_cast<BOOLEAN>(deletion) };
    return ::SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

// A folder has one name only, whatever Wine counts.
bool MayShareData(HANDLE entry, DWORD attributes)
{
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY) && LinkCount(entry) != 1;
}

// An entry's name: at most 255 characters, each at most two bytes in any ANSI code page.
CString Narrow(const std::wstring& name)
{
    char narrow[2 * MAX_PATH];
    int length = ::WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), narrow, sizeof narrow,
                                       nullptr, nullptr);
    return CString(narrow, length);
}

}

Folder::Folder(LPCSTR path)
    : m_path(path)
{
    // The backslash makes "C:" the drive's root, not its current folder.
    m_handle = FileHandle(::CreateFileA(JoinPath(path, ""), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kShareAll,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    m_error = ::GetLastError();
    if (IsOpen())
        m_objectName = ObjectName(m_handle);
}

Folder::Folder(const Folder& parent, LPCWSTR name, LPCSTR rowName, Hold hold)
    : m_path(JoinPath(parent.Path(), rowName)), m_depth(parent.m_depth + 1)
{
    if (m_depth > kDeepest)
        return;
    const DWORD list = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
    if (hold == InPlace) {
        m_handle = parent.OpenNoLink(name, list | DELETE | FILE_WRITE_ATTRIBUTES, kShareInPlace, m_attributes,
                                     FILE_DIRECTORY_FILE);
        m_removable = m_handle.IsValid();
    }
    // Entered all the same where it may not be changed or removed (by its access list, or as some
    // program's current folder): what it holds may be.
    if (!m_handle.IsValid())
        m_handle = parent.OpenNoLink(name, list, hold == InPlace ? kShareInPlace : kShareAll, m_attributes,
                                     FILE_DIRECTORY_FILE);
    m_error = ::GetLastError();
    if (m_handle.IsValid())
        m_objectName = parent.m_objectName + L'\\' + name;
}

bool Folder::IsMissing() const
{
    return !IsOpen() && (m_error == ERROR_FILE_NOT_FOUND || m_error == ERROR_PATH_NOT_FOUND);
}

FileHandle Folder::Open(LPCWSTR name, DWORD access, DWORD share, ULONG options) const
{
    if (!IsOpen() || m_objectName.empty())
        return Refused();
    FileHandle entry = OpenInFolder(m_handle, name, access, share, options);
    if (!entry.IsValid())
        return entry;
    std::wstring expected = m_objectName + L'\\' + name;
    if (::CompareStringOrdinal(expected.c_str(), -1, ObjectName(entry).c_str(), -1, TRUE) != CSTR_EQUAL)
        return Refused();
    return entry;
}

FileHandle Folder::OpenNoLink(LPCWSTR name, DWORD access, DWORD share, DWORD& attributes, ULONG options) const
{
    FileHandle entry = Open(name, access | FILE_READ_ATTRIBUTES, share, options);
    if (!entry.IsValid())
        return entry;
    // Attributes that cannot be read mark it as a link too: of what cannot be told, nothing is touched.
    attributes = AttributesOf(entry);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Refused();
    return entry;
}

bool Folder::Remove()
{
    return m_removable && DeleteOpenFile(m_handle, m_attributes);
}

FolderEntries::FolderEntries(const Folder& folder)
    : m_folder(folder.Handle()), m_readWhole(folder.IsOpen() || folder.IsMissing())
{
    if (folder.IsOpen())
        m_block.reset(new BYTE[kListingBlock]);
}

bool FolderEntries::Next()
{
    do {
        if (m_entry && m_entry->NextEntryOffset)
            m_entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(
                reinterpret_cast<const BYTE*>(m_entry) + m_entry->NextEntryOffset);
        else if (!ReadBlock())
            return false;
        m_name.assign(m_entry->FileName, m_entry->FileNameLength / sizeof(WCHAR));
    } while (m_name == L"." || m_name == L"..");
    m_rowName = Narrow(m_name);
    return true;
}

bool FolderEntries::ReadBlock()
{
    if (!m_block)
        return false;
    if (::GetFileInformationByHandleEx(m_folder, FileIdBothDirectoryInfo, m_block.get(), kListingBlock)) {
        m_entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(m_block.get());
        return true;
    }
    DWORD error = ::GetLastError();
    // A folder that lists no "." or ".." answers its first call as a search that found nothing.
    m_readWhole = error == ERROR_NO_MORE_FILES || (!m_entry && error == ERROR_FILE_NOT_FOUND);
    m_block.reset();
    m_entry = nullptr;
    return false;
}

FILETIME FolderEntries::LastWriteTime() const
{
    return { m_entry->LastWriteTime.LowPart, static_cast<DWORD>(m_entry->LastWriteTime.HighPart) };
}

std::wstring ObjectName(HANDLE handle)
{
    ULONG size = 1024;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::unique_ptr<BYTE[]> block(new BYTE[size]);
        NTSTATUS status = ::NtQueryObject(handle, ObjectNameInformation, block.get(), size, &size);
        if (status >= 0) {
            const UNICODE_STRING& name = reinterpret_cast<OBJECT_NAME_INFORMATION*>(block.get())->Name;
            std::wstring text(name.Buffer, name.Length / sizeof(WCHAR));
            // A drive's root ends in a backslash; no other folder does.
            if (!text.empty() && text.back() == L'\\')
                text.pop_back();
            return text;
        }
    }
    return std::wstring();
}

FileHandle OpenInFolder(HANDLE folder, LPCWSTR name, DWORD access, DWORD share, ULONG options)
{
    UNICODE_STRING text;
    text.Buffer = const_cast<PWSTR>(name);
    text.Length = text.MaximumLength = static_cast<USHORT>(wcslen(name) * sizeof(WCHAR));
    OBJECT_ATTRIBUTES object;
    InitializeObjectAttributes(&object, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io;
    HANDLE handle = INVALID_HANDLE_VALUE;
    NTSTATUS status = ::NtCreateFile(&handle, access | SYNCHRONIZE, &object, &io, nullptr, 0, share, FILE_OPEN,
                                     options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (status < 0) {
        ::SetLastError(::RtlNtStatusToDosError(status));
        return FileHandle(INVALID_HANDLE_VALUE);
    }
    return FileHandle(handle);
}

bool SameName(LPCSTR name, LPCSTR other)
{
    return _mbscmp(Bytes(name), Bytes(other)) == 0;
}

bool SameNameAnyCase(LPCSTR name, LPCSTR other)
{
    return _mbsicmp(Bytes(name), Bytes(other)) == 0;
}

CString JoinPath(LPCSTR folder, LPCSTR name)
{
    CString path(folder);
    path += '\\';
    path += name;
    return path;
}

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

DWORD AttributesOf(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO tag;
    if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return INVALID_FILE_ATTRIBUTES;
    return tag.FileAttributes;
}

DWORD LinkCount(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    return ::GetFileInformationByHandle(file, &info) ? info.nNumberOfLinks : 0;
}

bool ClearReadOnly(HANDLE entry, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    return !MayShareData(entry, attributes) && SetAttributes(entry, attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool DeleteOpenFile(HANDLE entry, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return MarkForDeletion(entry, true);
    bool shared = MayShareData(entry, attributes);
    SetAttributes(entry, attributes & ~FILE_ATTRIBUTE_READONLY);
    bool marked = MarkForDeletion(entry, true);
    DWORD error = ::GetLastError();
    // Should the bit not go back, the other name keeps its bit and this one stays.
    if (shared && !SetAttributes(entry, attributes)) {
        MarkForDeletion(entry, false);
        SetAttributes(entry, attributes);
        return false;
    }
    ::SetLastError(error);
    return marked;
}
