// tests/support/FolderState.h
// Folders of the shared prefix that a test seeds: set aside for the test and put back afterwards,
// files made with a known last-write time, and trees read back through the API.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Moves a folder of the prefix aside and leaves an empty one in its place, so a test knows all that
// the program will find there, or none, to see what the program does without it. The destructor
// removes what the test left and puts the original back; a folder that did not exist before is simply
// removed.
class FolderAside
{
public:
    enum Leave { EmptyFolder, NoFolder };
    explicit FolderAside(std::string folder, Leave leave = EmptyFolder);
    ~FolderAside();
    FolderAside(const FolderAside&) = delete;
    FolderAside& operator=(const FolderAside&) = delete;

    const std::string& Path() const { return m_folder; }
    // m_folder + "\\" + relative.
    std::string Path(const std::string& relative) const { return m_folder + "\\" + relative; }

private:
    std::string m_folder;
    std::string m_restored;     // the original's name on disk
    std::string m_aside;        // empty when there was nothing to set aside
};

// A time in UTC, as file systems and the URL cache keep it.
FILETIME UtcTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);

// A file of `size` bytes last written at `time`, its missing folders made; returns its path.
std::string MakeFileAt(const std::string& path, const FILETIME& time, DWORD size = 16);

bool PathExists(const std::string& path);
// The full path of every file under folder, subfolders walked, sorted; folders themselves are not listed.
std::vector<std::string> FilesUnder(const std::string& folder);
// The same depth-first, each folder's entries in the order the file system gives them.
std::vector<std::string> FilesDepthFirst(const std::string& folder);
// The names directly inside folder, files and folders, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

// Where the shell keeps a CSIDL_ folder; empty if it does not know.
std::string SpecialFolderPath(int csidl);
std::string WindowsDirectory();
