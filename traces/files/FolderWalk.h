// traces/files/FolderWalk.h
// What the folder walks share: folders held open while they are walked, their entries read and opened
// through those handles, however deep the tree, and never anything that lies outside the folder walked.
#pragma once
#include "framework/FileHandle.h"
#include "framework/String.h"
#include <memory>
#include <string>

// The ways a name can be marked to go through its handle, the most thorough first: as Windows 10 1809 and
// later delete (the name leaves its folder at once, even while another program holds the file open, and a
// read-only file goes with its bit untouched), as 1607 to 1803 do (the first without the second), and as
// every Windows does (the name stays, delete-pending, until the last handle closes; a read-only bit refuses it).
enum class DeleteStyle { PosixIgnoringReadOnly, Posix, Legacy };

// Any access at all: what others may do with a file while it is open here.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Reading and writing, but no renaming, moving or deleting: what holds a name in place while it is used.
constexpr DWORD kShareInPlace = FILE_SHARE_READ | FILE_SHARE_WRITE;

// A folder held open while it is walked: its entries are listed and opened through this one handle, and
// a subfolder is removed through it too, so what is walked and removed is the folder that was checked.
// Only the folder a caller names is looked up by name. A subfolder is opened through its parent's handle,
// with no path to outgrow the ANSI calls' reach, and shown to lie in it under the name the parent listed:
// Windows opens a link itself, Wine follows a Unix link, and the handle's name then lies elsewhere.
class Folder
{
public:
    // An erasure holds each subfolder in place (nobody may rename, move or remove it while it is walked);
    // a listing leaves others free.
    enum Hold { LetBe, InPlace };

    // Never removed, and everything below it is reached through its handle: it is left free. An empty path
    // is a place that was not found: a folder that is not there.
    explicit Folder(LPCSTR path);
    // A subfolder, its name as listed and as the rows show it. Held in place, it is opened to be removed
    // too where it may be.
    Folder(const Folder& parent, LPCWSTR name, LPCSTR rowName, Hold hold);

    bool IsOpen() const { return m_handle.IsValid(); }
    // Not open because there is nothing of that name, or it is on its way out: such a folder holds nothing
    // unread, and an eraser has nothing left to do there.
    bool IsMissing() const;
    HANDLE Handle() const { return m_handle; }
    // The folder as the rows show it: the caller's path, a backslash and each subfolder's name.
    LPCSTR Path() const { return m_path; }
    DWORD Attributes() const { return m_attributes; }

    // The entry name itself, never what a link there points to; invalid when it cannot be opened (the last
    // error says why) or lies elsewhere (ERROR_CANT_ACCESS_FILE). options are NtCreateFile's.
    FileHandle Open(LPCWSTR name, DWORD access, DWORD share, ULONG options = 0) const;
    // The same, and refused with ERROR_CANT_ACCESS_FILE when it is a link; attributes as read through it.
    FileHandle OpenNoLink(LPCWSTR name, DWORD access, DWORD share, DWORD& attributes, ULONG options = 0) const;
    // Marks an entry opened through this folder with DELETE | FILE_READ_ATTRIBUTES to go when its handle
    // closes, as thoroughly as the volume allows. Where a read-only bit stands in the way, it is lifted
    // through a handle of its own, and set again should the deletion be refused or the data have another
    // name. False when refused, the last error saying why.
    bool MarkForDeletion(HANDLE entry) const;
    // Marks the folder, emptied, to be removed when this object goes; false when it cannot be.
    bool Remove();

private:
    FileHandle m_handle { INVALID_HANDLE_VALUE };
    // The deletion its volume takes, learnt at the first refusal and shared by the whole tree, which lies
    // on one volume: the walk enters no link and no mount point. A refusal costs once, not once a file.
    std::shared_ptr<DeleteStyle> m_deleteStyle;
    CString m_path;
    std::wstring m_objectName;  // the handle's name as the system gives it, the one the checks compare
    DWORD m_attributes = 0;
    DWORD m_error = ERROR_SUCCESS;
    int m_depth = 0;
    bool m_removable = false;
};

// The entries of a folder, read through its handle, "." and ".." left out; none when it is not open.
class FolderEntries
{
public:
    explicit FolderEntries(const Folder& folder);

    // Moves to the next entry, the first on the first call; false when none is left or the listing broke off.
    bool Next();
    // False for a folder that is there but could not be listed, or whose listing broke off: not all it
    // holds was seen. A folder that is not there has nothing to read.
    bool ReadWhole() const { return m_readWhole; }
    LPCWSTR Name() const { return m_name.c_str(); }
    // The name in the ANSI code page, as the rows show it and the rules compare it.
    LPCSTR RowName() const { return m_rowName; }
    FILETIME LastWriteTime() const;
    DWORD Attributes() const { return m_entry->FileAttributes; }
    bool IsFolder() const { return (Attributes() & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction or symbolic link: Windows marks every one, Wine only a Unix link to a folder.
    bool IsLink() const { return (Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

private:
    // The next block of entries; false at the end of the listing, or where it broke off.
    bool ReadBlock();

    HANDLE m_folder;
    std::unique_ptr<BYTE[]> m_block;
    const FILE_ID_BOTH_DIR_INFO* m_entry = nullptr;
    std::wstring m_name;
    CString m_rowName;
    bool m_readWhole;
};

// The name the system gives the object a handle reaches: "\Device\HarddiskVolume2\..." on Windows,
// "\??\C:\..." under Wine, whose GetFinalPathNameByHandleW fails beyond MAX_PATH. Empty when it cannot be told.
std::wstring ObjectName(HANDLE handle);
// The entry name in the folder open as folder, never what a link there points to, wherever it lies;
// invalid when it cannot be opened, the last error saying why. options are NtCreateFile's.
FileHandle OpenInFolder(HANDLE folder, LPCWSTR name, DWORD access, DWORD share, ULONG options = 0);

// Names of entries: exactly as written, or with case ignored, as multibyte text.
bool SameName(LPCSTR name, LPCSTR other);
bool SameNameAnyCase(LPCSTR name, LPCSTR other);
// folder, a backslash and name.
CString JoinPath(LPCSTR folder, LPCSTR name);
// Empty when the text does not convert.
std::wstring Wide(LPCSTR text);

// Through a handle opened with FILE_READ_ATTRIBUTES: INVALID_FILE_ATTRIBUTES when they cannot be read;
// the number of names that share the file's data, 0 when it cannot be told.
DWORD AttributesOf(HANDLE handle);
DWORD LinkCount(HANDLE file);
// The read-only bit of an entry open with FILE_WRITE_ATTRIBUTES cleared, unless another name may share
// its data: the bit belongs to the data, so that name would lose it too. attributes are the entry's own,
// as read through its handle. False when it stays read-only.
bool ClearReadOnly(HANDLE entry, DWORD attributes);
