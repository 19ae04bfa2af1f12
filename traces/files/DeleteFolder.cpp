// traces/files/DeleteFolder.cpp
// Empties a folder tree, zeroing "index.dat" files first, and leaves the folder itself in place.
#include "view/VestrelView.h"
#include "FolderWalk.h"
#include <mbstring.h>

namespace {

// What stays on purpose (a spared name, a kept "desktop.ini") is not a failure, and neither is
// the folder that holds it.
class FolderEraser
{
public:
    FolderEraser(CVestrelView& view, BOOL includeDesktopIni, BOOL overwriteIndexDat, BOOL spareCookieNames,
                 EraseOutcome& outcome)
        : m_view(view), m_includeDesktopIni(includeDesktopIni), m_overwriteIndexDat(overwriteIndexDat),
          m_spareCookieNames(spareCookieNames), m_outcome(outcome) {}

    // Erases the entries of folder; false when it could not be read whole. kept is set when something in
    // it stays on purpose.
    bool Empty(FolderEntries& entries, const OwnFolder& folder, LPCSTR skipSubfolder, bool& kept);

private:
    void EraseSubfolder(const OwnFolder& parent, LPCSTR name, bool& kept);
    void EraseFile(const OwnFolder& folder, LPCSTR name, DWORD listedAttributes, bool& kept);
    void EraseIndexDat(const OwnFolder& folder, LPCSTR name, bool& kept);
    // Counts what went; a deletion refused is a failure.
    void Count(bool erased) { erased ? m_outcome.Erased() : m_outcome.Failed(); }

    CVestrelView& m_view;
    BOOL m_includeDesktopIni;
    BOOL m_overwriteIndexDat;
    BOOL m_spareCookieNames;
    EraseOutcome& m_outcome;
};

// The entry name in folder made writable and open for access besides; invalid when it is a link or
// beyond reach.
FileHandle OpenWritable(const OwnFolder& folder, LPCSTR name, DWORD access)
{
    DWORD attributes = 0;
    FileHandle file = folder.Open(name, FILE_WRITE_ATTRIBUTES | access, kShareAll, &attributes);
    if (file.IsValid())
        ClearReadOnly(file, attributes);
    return file;
}

// Most files are erased without their attributes read again: the listing tells which are read-only, and
// the read costs a quarter of an erasure under Wine. One made read-only since is made writable when its
// deletion is refused.
bool DeletePlainFile(const OwnFolder& folder, LPCSTR name, DWORD listedAttributes)
{
    FileHandle file = folder.OpenToDelete(name);
    if (!file.IsValid())
        return false;
    ClearReadOnly(file, listedAttributes);
    if (DeleteOpenFile(file))
        return true;
    DWORD attributes = AttributesOf(file);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    ClearReadOnly(file, attributes);
    return DeleteOpenFile(file);
}

// True when another name shares the file's data; what cannot be told counts as shared.
bool SharesData(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    return !::GetFileInformationByHandle(file, &info) || info.nNumberOfLinks > 1;
}

// Zeroes the file from byte 64 to its end, in one pass; false unless every zero was written and flushed.
bool ZeroAfterHeader(HANDLE file)
{
    const LONGLONG kKeptBytes = 64;
    char zeros[10000] = {};
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size))
        return false;
    if (size.QuadPart <= kKeptBytes)
        return true;
    LARGE_INTEGER start;
    start.QuadPart = kKeptBytes;
    bool written = ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
    // A chunk that fails to write does not end the pass.
    const LONGLONG kChunk = sizeof zeros;
    for (LONGLONG left = size.QuadPart - kKeptBytes; left > 0; left -= kChunk) {
        DWORD chunk = static_cast<DWORD>(left < kChunk ? left : kChunk);
        DWORD done = 0;
        written = ::WriteFile(file, zeros, chunk, &done, nullptr) && done == chunk && written;
    }
    // The zeros must reach the disk before the file is deleted, or the old bytes stay there.
    return ::FlushFileBuffers(file) && written;
}

enum class Zeroing { Done, Failed, SharedData };

// The index file name in folder zeroed after its header, unless another name shares its data, as a hard
// link does: zeros written through this name would reach that file too.
Zeroing ZeroIndex(const OwnFolder& folder, LPCSTR name)
{
    FileHandle file = folder.Open(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!file.IsValid())
        return Zeroing::Failed;
    if (SharesData(file))
        return Zeroing::SharedData;
    return ZeroAfterHeader(file) ? Zeroing::Done : Zeroing::Failed;
}

bool FolderEraser::Empty(FolderEntries& entries, const OwnFolder& folder, LPCSTR skipSubfolder, bool& kept)
{
    while (entries.Next()) {
        LPCSTR name = entries.Name();
        if (!m_includeDesktopIni && SameNameAnyCase(name, "desktop.ini")) {
            kept = true;
            continue;
        }
        CString path;
        bool reachable = JoinPath(folder.Path(), name, path);
        if (entries.IsFolder() && skipSubfolder && SameName(name, skipSubfolder)) {
            if (reachable && !entries.IsLink())
                OpenWritable(folder, name, 0);
            kept = true;
        }
        else if (!reachable)
            m_outcome.Failed();
        else if (entries.IsLink())
            // Removed itself; what it points to lies outside this folder.
            Count(RemoveLink(path));
        else if (entries.IsFolder())
            EraseSubfolder(folder, name, kept);
        else
            EraseFile(folder, name, entries.Attributes(), kept);
        m_view.ShowCleanProgress(m_outcome);
    }
    return entries.ReadWhole();
}

// The subfolder may have been swapped for a link since its parent listed it: it is entered, and removed,
// only through handles that are shown to reach the folder itself, where its parent lies.
void FolderEraser::EraseSubfolder(const OwnFolder& parent, LPCSTR name, bool& kept)
{
    if (!OpenWritable(parent, name, 0).IsValid()) {
        m_outcome.Failed();
        return;
    }
    bool keptInside = false;
    bool readWhole;
    {
        // Its listing is closed again before the folder is removed.
        OwnFolder folder(parent, name);
        FolderEntries entries(folder.Path());
        readWhole = Empty(entries, folder, "", keptInside);
    }
    // It goes when this handle closes, if it is empty by then.
    FileHandle removal = parent.Open(name, DELETE, kShareAll);
    if (removal.IsValid() && DeleteOpenFile(removal)) {
        m_outcome.Erased();
        return;
    }
    // Unread, it may hold anything: it stays on purpose only for what was seen to stay on purpose.
    if (keptInside && readWhole)
        kept = true;
    else
        m_outcome.Failed();
}

void FolderEraser::EraseFile(const OwnFolder& folder, LPCSTR name, DWORD listedAttributes, bool& kept)
{
    if (m_spareCookieNames
        && _mbsstr(reinterpret_cast<const unsigned char*>(name), reinterpret_cast<const unsigned char*>("Cookie:"))) {
        OpenWritable(folder, name, 0);
        kept = true;
    }
    else if (m_overwriteIndexDat && SameNameAnyCase(name, "index.dat"))
        EraseIndexDat(folder, name, kept);
    else {
        // A link Wine shows as a plain file, or a file beyond reach: it stays.
        Count(DeletePlainFile(folder, name, listedAttributes));
    }
}

// The overwrite cannot share the file with a handle that may delete it: made writable, zeroed, then
// opened anew to be deleted. Zeroed, one that stays because it is in use (the URL cache's own index,
// which WinINet holds wherever it is loaded) has been dealt with as intended, and so has its folder;
// one whose zeros were not all written has not, even when it then goes.
void FolderEraser::EraseIndexDat(const OwnFolder& folder, LPCSTR name, bool& kept)
{
    if (!OpenWritable(folder, name, 0).IsValid()) {
        m_outcome.Failed();
        return;
    }
    Zeroing zeroing = ZeroIndex(folder, name);
    FileHandle file = folder.Open(name, DELETE, kShareAll);
    bool inUse = !file.IsValid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
    if (file.IsValid()) {
        if (DeleteOpenFile(file)) {
            Count(zeroing != Zeroing::Failed);
            return;
        }
        // A file mapped into memory, as WinINet maps its index, cannot be deleted.
        inUse = ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    if (zeroing == Zeroing::Done && inUse)
        kept = true;
    else
        m_outcome.Failed();
}

}

int CVestrelView::DeleteFolder(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni,
                               BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome)
{
    FolderEraser eraser(*this, includeDesktopIni, overwriteIndexDat, spareCookieNames, outcome);
    // The one folder looked up by name: every folder below it is expected where this one lies.
    OwnFolder own(folder);
    FolderEntries entries(folder);
    bool kept = false;
    // Whatever went, a folder that could not be read whole has not been cleaned.
    if (!eraser.Empty(entries, own, skipSubfolder, kept))
        outcome.Failed();
    return entries.IsOpen() ? 1 : 0;
}

int CVestrelView::OverwriteFile(LPCSTR folder, LPCSTR fileName)
{
    return ZeroIndex(OwnFolder(folder), fileName) == Zeroing::Done ? 1 : 0;
}
