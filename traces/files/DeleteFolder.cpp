// traces/files/DeleteFolder.cpp
// Empties a folder tree however deep, zeroing "index.dat" files first, and leaves the folder itself in place.
#include "DeleteFolder.h"
#include "FolderWalk.h"
#include <winternl.h>
#include <mbstring.h>

namespace {

enum class Overwrite { Zeroed, SharedData, Gone, Failed };
enum class Deletion { Deleted, Gone, InUse, Failed };

// What stays on purpose (a spared name, a kept "desktop.ini") is not a failure, and neither is
// the folder that holds it.
class FolderEraser
{
public:
    FolderEraser(BOOL includeDesktopIni, BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome)
        : m_includeDesktopIni(includeDesktopIni), m_overwriteIndexDat(overwriteIndexDat),
          m_spareCookieNames(spareCookieNames), m_outcome(outcome) {}

    // Erases the entries of folder; false when it could not be read whole. kept is set when something in
    // it stays on purpose.
    bool Empty(const Folder& folder, LPCSTR skipSubfolder, bool& kept);

private:
    void EraseSubfolder(const Folder& parent, const FolderEntries& entry, bool& kept);
    void EraseFile(const Folder& folder, const FolderEntries& entry, bool& kept);
    void EraseIndexDat(const Folder& folder, const FolderEntries& entry, bool& kept);
    // Counts what went, or was gone before the eraser came; a deletion refused is a failure.
    void Count(bool erased) { erased ? m_outcome.Erased() : m_outcome.Failed(); }
    void Count(Deletion deletion) { Count(deletion == Deletion::Deleted || deletion == Deletion::Gone); }

    BOOL m_includeDesktopIni;
    BOOL m_overwriteIndexDat;
    BOOL m_spareCookieNames;
    EraseOutcome& m_outcome;
};

// What is spared by name stays, but loses its read-only bit as the rest does.
void Spare(const Folder& folder, LPCWSTR name)
{
    DWORD attributes = 0;
    FileHandle entry = folder.OpenNoLink(name, FILE_WRITE_ATTRIBUTES, kShareAll, attributes);
    if (entry.IsValid())
        ClearReadOnly(entry, attributes);
}

// The entry name in folder deleted where it lies, a link as itself. It is opened to be deleted and nothing
// more: a file that its user may delete but not change goes too.
Deletion DeleteEntry(const Folder& folder, LPCWSTR name)
{
    FileHandle entry = folder.Open(name, DELETE | FILE_READ_ATTRIBUTES, kShareAll);
    if (!entry.IsValid()) {
        DWORD error = ::GetLastError();
        if (IsGone(error))
            return Deletion::Gone;
        return error == ERROR_SHARING_VIOLATION ? Deletion::InUse : Deletion::Failed;
    }
    if (folder.MarkForDeletion(entry))
        return Deletion::Deleted;
    // Refused once its read-only bit is out of the way, a file is mapped into memory, as WinINet maps its index.
    return ::GetLastError() == ERROR_ACCESS_DENIED ? Deletion::InUse : Deletion::Failed;
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

// The overwrite that OverwriteFile names, and the one every erasure of an "index.dat" runs. Zeros written
// through a name that shares its data with another, as a hard link does, would reach that file too; of a
// count that cannot be told, nothing is written. The name is held in place until the zeros are written.
Overwrite OverwriteIndex(const Folder& folder, LPCWSTR name)
{
    DWORD attributes = 0;
    FileHandle entry = folder.OpenNoLink(name, FILE_WRITE_ATTRIBUTES, kShareInPlace, attributes, FILE_NON_DIRECTORY_FILE);
    if (!entry.IsValid())
        return IsGone(::GetLastError()) ? Overwrite::Gone : Overwrite::Failed;
    DWORD links = LinkCount(entry);
    if (links != 1)
        return links > 1 ? Overwrite::SharedData : Overwrite::Failed;
    ClearReadOnly(entry, attributes);
    FileHandle file = folder.Open(name, GENERIC_WRITE, kShareInPlace, FILE_NON_DIRECTORY_FILE);
    if (!file.IsValid())
        return IsGone(::GetLastError()) ? Overwrite::Gone : Overwrite::Failed;
    return ZeroAfterHeader(file) ? Overwrite::Zeroed : Overwrite::Failed;
}

bool FolderEraser::Empty(const Folder& folder, LPCSTR skipSubfolder, bool& kept)
{
    FolderEntries entries(folder);
    while (entries.Next()) {
        LPCSTR name = entries.RowName();
        if (!m_includeDesktopIni && SameNameAnyCase(name, "desktop.ini")) {
            kept = true;
            continue;
        }
        if (entries.IsFolder() && skipSubfolder && SameName(name, skipSubfolder)) {
            Spare(folder, entries.Name());
            kept = true;
        }
        else if (entries.IsLink())
            // Removed itself; what it points to lies outside this folder.
            Count(DeleteEntry(folder, entries.Name()));
        else if (entries.IsFolder())
            EraseSubfolder(folder, entries, kept);
        else
            EraseFile(folder, entries, kept);
        m_outcome.ItemPassed();
    }
    return entries.ReadWhole();
}

// Held in place from its check to its removal: opened once, shown to lie where its parent lists it, then
// listed, emptied and removed through that handle, which nobody may rename or replace meanwhile.
void FolderEraser::EraseSubfolder(const Folder& parent, const FolderEntries& entry, bool& kept)
{
    Folder folder(parent, entry.Name(), entry.RowName(), Folder::InPlace);
    if (!folder.IsOpen()) {
        Count(folder.IsMissing());
        return;
    }
    bool keptInside = false;
    bool readWhole = Empty(folder, "", keptInside);
    // It goes when its handle closes, on the way out.
    if (folder.Remove()) {
        m_outcome.Erased();
        return;
    }
    // Unread, it may hold anything: it stays on purpose only for what was seen to stay on purpose.
    if (keptInside && readWhole)
        kept = true;
    else
        m_outcome.Failed();
}

void FolderEraser::EraseFile(const Folder& folder, const FolderEntries& entry, bool& kept)
{
    LPCSTR name = entry.RowName();
    if (m_spareCookieNames
        && _mbsstr(reinterpret_cast<const unsigned char*>(name), reinterpret_cast<const unsigned char*>("Cookie:"))) {
        Spare(folder, entry.Name());
        kept = true;
    }
    else if (m_overwriteIndexDat && SameNameAnyCase(name, "index.dat"))
        EraseIndexDat(folder, entry, kept);
    else {
        // A link Wine shows as a plain file, or a file that lies elsewhere by now: it stays.
        Count(DeleteEntry(folder, entry.Name()));
    }
}

// Zeroed, one that stays because it is in use (the URL cache's own index, which WinINet holds wherever it
// is loaded) has been dealt with as intended, and so has its folder; one whose zeros were not all written
// has not, even when it then goes. One that shares its data loses this name only.
void FolderEraser::EraseIndexDat(const Folder& folder, const FolderEntries& entry, bool& kept)
{
    Overwrite overwrite = OverwriteIndex(folder, entry.Name());
    Deletion deletion = DeleteEntry(folder, entry.Name());
    if (deletion == Deletion::Deleted || deletion == Deletion::Gone)
        Count(overwrite != Overwrite::Failed);
    else if (deletion == Deletion::InUse && overwrite == Overwrite::Zeroed)
        kept = true;
    else
        m_outcome.Failed();
}

}

int EraseFolderTree(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni, BOOL overwriteIndexDat,
                    BOOL spareCookieNames, EraseOutcome& outcome)
{
    FolderEraser eraser(includeDesktopIni, overwriteIndexDat, spareCookieNames, outcome);
    Folder top(folder);
    bool kept = false;
    // Whatever went, a folder that could not be read whole has not been cleaned.
    if (!eraser.Empty(top, skipSubfolder, kept))
        outcome.Failed();
    return top.IsOpen() ? 1 : 0;
}

int OverwriteIndexDat(LPCSTR folder, LPCSTR fileName)
{
    return OverwriteIndex(Folder(folder), Wide(fileName).c_str()) == Overwrite::Zeroed ? 1 : 0;
}
