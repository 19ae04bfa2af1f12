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
    bool Empty(FolderEntries& entries, LPCSTR folder, LPCSTR skipSubfolder, bool& kept);

private:
    void EraseSubfolder(LPCSTR path, bool& kept);
    void EraseFile(const OwnFolder& folder, LPCSTR name, bool& kept);

    CVestrelView& m_view;
    BOOL m_includeDesktopIni;
    BOOL m_overwriteIndexDat;
    BOOL m_spareCookieNames;
    EraseOutcome& m_outcome;
};

// The file name in folder made writable and open for access besides; invalid when it is a link or
// beyond reach.
FileHandle OpenWritable(const OwnFolder& folder, LPCSTR name, DWORD access)
{
    DWORD attributes = 0;
    FileHandle file = folder.Open(name, FILE_WRITE_ATTRIBUTES | access, kShareAll, &attributes);
    if (file.IsValid())
        ClearReadOnly(file, attributes);
    return file;
}

// Folders only: a file is cleared through a handle that is known not to reach through a link.
void ClearFolderReadOnly(LPCSTR folder)
{
    DWORD attributes = ::GetFileAttributesA(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesA(folder, attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool FolderEraser::Empty(FolderEntries& entries, LPCSTR folder, LPCSTR skipSubfolder, bool& kept)
{
    OwnFolder own(folder);
    while (entries.Next()) {
        LPCSTR name = entries.Name();
        if (!m_includeDesktopIni && SameNameAnyCase(name, "desktop.ini")) {
            kept = true;
            continue;
        }
        CString path;
        bool reachable = JoinPath(folder, name, path);
        if (entries.IsFolder() && skipSubfolder && SameName(name, skipSubfolder)) {
            if (reachable && !entries.IsLink())
                ClearFolderReadOnly(path);
            kept = true;
        }
        else if (!reachable)
            m_outcome.Failed();
        else if (entries.IsLink()) {
            // Removed itself; what it points to lies outside this folder.
            if (!RemoveLink(path))
                m_outcome.Failed();
        }
        else if (entries.IsFolder())
            EraseSubfolder(path, kept);
        else
            EraseFile(own, name, kept);
    }
    return entries.ReadWhole();
}

void FolderEraser::EraseSubfolder(LPCSTR path, bool& kept)
{
    ClearFolderReadOnly(path);
    FolderEntries entries(path);
    bool keptInside = false;
    bool readWhole = Empty(entries, path, "", keptInside);
    if (::RemoveDirectoryA(path))
        return;
    // Unread, it may hold anything: it stays on purpose only for what was seen to stay on purpose.
    if (keptInside && readWhole)
        kept = true;
    else
        m_outcome.Failed();
}

void FolderEraser::EraseFile(const OwnFolder& folder, LPCSTR name, bool& kept)
{
    if (m_spareCookieNames
        && _mbsstr(reinterpret_cast<const unsigned char*>(name), reinterpret_cast<const unsigned char*>("Cookie:"))) {
        OpenWritable(folder, name, 0);
        kept = true;
        return;
    }
    bool erased;
    if (m_overwriteIndexDat && SameNameAnyCase(name, "index.dat")) {
        // The overwrite cannot share the file with a handle that may delete it: made writable, overwritten,
        // then opened anew to be deleted.
        erased = OpenWritable(folder, name, 0).IsValid();
        if (erased) {
            m_view.OverwriteFile(folder.Path(), name);
            FileHandle file = folder.Open(name, DELETE, kShareAll);
            erased = file.IsValid() && DeleteOpenFile(file);
        }
    }
    else {
        FileHandle file = OpenWritable(folder, name, DELETE);
        erased = file.IsValid() && DeleteOpenFile(file);
    }
    // A link Wine shows as a plain file, or a file beyond reach: it stays.
    if (!erased)
        m_outcome.Failed();
}

}

int CVestrelView::DeleteFolder(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni,
                               BOOL overwriteIndexDat, BOOL spareCookieNames, EraseOutcome& outcome)
{
    FolderEraser eraser(*this, includeDesktopIni, overwriteIndexDat, spareCookieNames, outcome);
    FolderEntries entries(folder);
    bool kept = false;
    // Whatever went, a folder that could not be read whole has not been cleaned.
    if (!eraser.Empty(entries, folder, skipSubfolder, kept))
        outcome.Failed();
    return entries.IsOpen() ? 1 : 0;
}

int CVestrelView::OverwriteFile(LPCSTR folder, LPCSTR fileName)
{
    const LONGLONG kKeptBytes = 64;
    char zeros[10000] = {};
    FileHandle file = OwnFolder(folder).Open(fileName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!file.IsValid())
        return 0;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(file, &size) && size.QuadPart > kKeptBytes) {
        LARGE_INTEGER start;
        start.QuadPart = kKeptBytes;
        ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        // A chunk that fails to write does not end the pass.
        const LONGLONG kChunk = sizeof zeros;
        for (LONGLONG left = size.QuadPart - kKeptBytes; left > 0; left -= kChunk) {
            DWORD written;
            ::WriteFile(file, zeros, static_cast<DWORD>(left < kChunk ? left : kChunk), &written, nullptr);
        }
        // The zeros must reach the disk before the file is deleted, or the old bytes stay there.
        ::FlushFileBuffers(file);
    }
    return 1;
}
