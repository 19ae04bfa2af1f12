// traces/files/FolderWalk.cpp
#include "FolderWalk.h"
#include "traces/EraseOutcome.h"
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

// The headers hide what Windows 10 added from a program that starts on Windows 7.
const auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
struct DispositionEx { DWORD Flags; };
const DWORD kDispositionDelete = 0x1;
const DWORD kDispositionPosixSemantics = 0x2;
const DWORD kDispositionIgnoreReadOnly = 0x10;
const NTSTATUS kStatusDeletePending = static_cast<NTSTATUS>(0xC0000056);
// What the basic information may change; the rest (a link's mark, compression) is the file system's.
const DWORD kSettableAttributes = 0x31a7;

bool SetAttributes(HANDLE entry, DWORD attributes)
{
    FILE_BASIC_INFO change = {};    // times of zero stay as they are, and so do attributes of zero
    change.FileAttributes = (attributes & kSettableAttributes) ? attributes & kSettableAttributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry, FileBasicInfo, &change, sizeof change) != FALSE;
}

// Windows before 10, some file systems (FAT, ReFS) and some network servers refuse a flag or the whole
// class: the volume then takes the next style.
bool RefusesStyle(DWORD error)
{
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

// Sets or clears the mark in the style the volume is known to take, stepping down and learning as it is refused.
bool MarkDisposition(HANDLE entry, bool deletion, DeleteStyle& style)
{
    while (style != DeleteStyle::Legacy) {
        DispositionEx disposition = { deletion ? kDispositionDelete | kDispositionPosixSemantics : 0 };
        if (deletion && style == DeleteStyle::PosixIgnoringReadOnly)
            disposition.Flags |= kDispositionIgnoreReadOnly;
        if (::SetFileInformationByHandle(entry, kFileDispositionInfoEx, &disposition, sizeof disposition))
            return true;
        if (!RefusesStyle(::GetLastError()))
            return false;
        style = style == DeleteStyle::PosixIgnoringReadOnly ? DeleteStyle::Posix : DeleteStyle::Legacy;
    }
    FILE_DISPOSITION_INFO disposition = { static_cast<BOOLEAN>(deletion) };
    return ::SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

// A folder has one name only, whatever Wine counts.
bool MayShareData(HANDLE entry, DWORD attributes)
{
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY) && LinkCount(entry) != 1;
}

// An entry's name in the ANSI code page, however many bytes a character takes there: three for most
// letters, four for some, where that code page is UTF-8.
CString Narrow(const std::wstring& name)
{
    const int size = static_cast<int>(name.size());
    int length = ::WideCharToMultiByte(CP_ACP, 0, name.data(), size, nullptr, 0, nullptr, nullptr);
    // A length of zero would ask the second call for the length again.
    if (length <= 0)
        return CString();
    std::string narrow(length, '\0');
    length = ::WideCharToMultiByte(CP_ACP, 0, name.data(), size, narrow.data(), length, nullptr, nullptr);
    return CString(narrow.data(), length);
}

}

Folder::Folder(LPCSTR path)
    : m_deleteStyle(std::make_shared<DeleteStyle>(DeleteStyle::PosixIgnoringReadOnly)), m_path(path)
{
    // A place that was not found is empty, and must never become the root of the current drive.
    if (m_path.IsEmpty()) {
        m_error = ERROR_PATH_NOT_FOUND;
        return;
    }
    // The backslash makes "C:" the drive's root, not its current folder.
    m_handle = FileHandle(::CreateFileA(JoinPath(path, ""), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kShareAll,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    m_error = ::GetLastError();
    if (IsOpen())
        m_objectName = ObjectName(m_handle);
}

Folder::Folder(const Folder& parent, LPCWSTR name, LPCSTR rowName, Hold hold)
    : m_deleteStyle(parent.m_deleteStyle), m_path(JoinPath(parent.Path(), rowName)), m_depth(parent.m_depth + 1)
{
    if (m_depth > kDeepest)
        return;
    const DWORD list = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
    if (hold == InPlace) {
        m_handle = parent.OpenNoLink(name, list | DELETE, kShareInPlace, m_attributes, FILE_DIRECTORY_FILE);
        m_removable = m_handle.IsValid();
    }
    // Entered all the same where it may not be removed (by its access list, or as some program's current
    // folder): what it holds may be.
    if (!m_handle.IsValid())
        m_handle = parent.OpenNoLink(name, list, hold == InPlace ? kShareInPlace : kShareAll, m_attributes,
                                     FILE_DIRECTORY_FILE);
    m_error = ::GetLastError();
    if (m_handle.IsValid())
        m_objectName = parent.m_objectName + L'\\' + name;
}

bool Folder::IsMissing() const
{
    return !IsOpen() && IsGone(m_error);
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

bool Folder::MarkForDeletion(HANDLE entry) const
{
    if (MarkDisposition(entry, true, *m_deleteStyle))
        return true;
    const DWORD refusal = ::GetLastError();
    // Only the older styles stop at a read-only bit. It is lifted through a handle of its own: opening every
    // entry to write attributes would refuse one that may be deleted but not changed.
    const DWORD attributes = AttributesOf(entry);
    FileHandle writable(INVALID_HANDLE_VALUE);
    if (refusal == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        writable = OpenInFolder(entry, L"", FILE_WRITE_ATTRIBUTES, kShareAll);
    if (!writable.IsValid() || !SetAttributes(writable, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(refusal);
        return false;
    }
    bool marked = MarkDisposition(entry, true, *m_deleteStyle);
    const DWORD error = ::GetLastError();
    // A file that stays keeps its bit; so does the data another name shares. Should the bit not go back,
    // that name keeps it and this one stays too.
    const bool restore = !marked || MayShareData(entry, attributes);
    if (restore && !SetAttributes(writable, attributes) && marked) {
        MarkDisposition(entry, false, *m_deleteStyle);
        SetAttributes(writable, attributes);
        marked = false;
    }
    ::SetLastError(marked ? ERROR_SUCCESS : error);
    return marked;
}

bool Folder::Remove()
{
    return m_removable && MarkForDeletion(m_handle);
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
        // As an error code, a name on its way out would read as one refused.
        ::SetLastError(status == kStatusDeletePending ? ERROR_DELETE_PENDING : ::RtlNtStatusToDosError(status));
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
