// traces/files/FolderWalk.h
// What the folder walks share: one folder's entries, paths that fit the ANSI file calls, and files told
// apart from links, so that neither a listing nor an erasure ever reaches outside the folder it walks.
#pragma once
#include "framework/String.h"
#include <string>

// The entries of one folder, "." and ".." left out; none when the folder cannot be read.
class FolderEntries
{
public:
    explicit FolderEntries(LPCSTR folder);
    ~FolderEntries();
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool IsOpen() const { return m_find != INVALID_HANDLE_VALUE; }
    // Moves to the next entry, the first on the first call; false when none is left or the listing broke off.
    bool Next();
    // False for a folder that is there but could not be listed, or whose listing broke off: not all it
    // holds was seen. A folder that is not there has nothing to read.
    bool ReadWhole() const { return m_readWhole; }
    LPCSTR Name() const { return m_entry.cFileName; }
    const FILETIME& LastWriteTime() const { return m_entry.ftLastWriteTime; }
    DWORD Attributes() const { return m_entry.dwFileAttributes; }
    bool IsFolder() const { return (m_entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction or symbolic link: Windows marks every one, Wine only a Unix link to a folder.
    bool IsLink() const { return (m_entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_entry = {};
    bool m_started = false;
    bool m_readWhole = true;
};

// Names of entries: exactly as written, or with case ignored, as multibyte text.
bool SameName(LPCSTR name, LPCSTR other);
bool SameNameAnyCase(LPCSTR name, LPCSTR other);

// folder, a backslash and name; false when that is too long for the ANSI file calls, which then cannot
// reach it.
bool JoinPath(LPCSTR folder, LPCSTR name, CString& path);

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { if (IsValid()) ::CloseHandle(m_handle); }
    FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Any access at all: what others may do with a file while it is open here.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A folder whose entries are opened only where they lie, never through a link of the same name. Windows
// opens a link itself and marks it a reparse point; Wine follows a Unix link and marks nothing, but the
// handle's final path then lies outside the folder. Only the folder a caller names is looked up by name:
// a subfolder is expected where its parent lies, under the name the parent listed, so that one swapped
// for a link meanwhile is told apart too.
class OwnFolder
{
public:
    explicit OwnFolder(LPCSTR folder);
    OwnFolder(const OwnFolder& parent, LPCSTR name);

    LPCSTR Path() const { return m_folder; }
    // The entry name itself, file or folder, for access (its attributes readable as well), and its
    // attributes when asked for; invalid when it cannot be opened (the last error says why), is a link,
    // or lies elsewhere (the last error is then ERROR_ACCESS_DENIED).
    FileHandle Open(LPCSTR name, DWORD access, DWORD share, DWORD* attributes = nullptr) const;
    // The same for a plain file that is only to be deleted (its attributes readable and writable), without
    // reading them first: a link that Windows marks opens as itself, so deleting through the handle
    // removes the link, and what reaches elsewhere is refused all the same.
    FileHandle OpenToDelete(LPCSTR name) const;

private:
    // name opened where it lies, never through a link; invalid otherwise.
    FileHandle OpenHere(LPCSTR name, DWORD access, DWORD share) const;

    CString m_folder;
    std::wstring m_finalPath;   // with a closing backslash; empty when it cannot be told
};

// Through a handle opened with the matching access; INVALID_FILE_ATTRIBUTES when they cannot be read.
DWORD AttributesOf(HANDLE handle);
void ClearReadOnly(HANDLE file, DWORD attributes);
bool DeleteOpenFile(HANDLE file);

// Removes the link at path, never what it points to; false when it stays. Wine 8 cannot open a Unix
// link without following it, so there every link stays.
bool RemoveLink(LPCSTR path);
