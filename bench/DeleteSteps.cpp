// bench/DeleteSteps.cpp
// What one file's erasure costs, step by step, against the bare DeleteFileA: each step runs on a fresh
// set of files, so the figures say what the safety checks of an erasure add on this platform.
#include "Bench.h"
#include <cstdio>
#include <functional>

namespace {

std::string FilePath(const std::string& folder, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "\\f%06d.tmp", index);
    return folder + name;
}

void MakeFiles(const std::string& folder, int files)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        HANDLE file = ::CreateFileA(FilePath(folder, i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written;
        ::WriteFile(file, "0123456789", 10, &written, nullptr);
        ::CloseHandle(file);
    }
}

// As the eraser opens a file: the entry itself, never what a link points to.
HANDLE OpenForErasure(const std::string& path)
{
    return ::CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

void ReadAttributes(HANDLE file)
{
    FILE_ATTRIBUTE_TAG_INFO tag;
    ::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag);
}

void ReadFinalPath(HANDLE file)
{
    wchar_t path[MAX_PATH];
    ::GetFinalPathNameByHandleW(file, path, MAX_PATH, FILE_NAME_NORMALIZED);
}

void SetDeletion(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = { TRUE };
    ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// Milliseconds per file of step over fresh files.
double PerFile(const std::string& folder, int files, const std::function<void(const std::string&)>& step)
{
    MakeFiles(folder, files);
    LONGLONG start = Now();
    for (int i = 0; i < files; ++i)
        step(FilePath(folder, i));
    double ms = Milliseconds(start, Now()) / files;
    for (int i = 0; i < files; ++i)
        ::DeleteFileA(FilePath(folder, i).c_str());
    return ms;
}

// Opens the file, does the steps through the handle, closes it.
std::function<void(const std::string&)> Through(std::vector<void (*)(HANDLE)> steps)
{
    return [steps](const std::string& path) {
        HANDLE file = OpenForErasure(path);
        for (auto step : steps)
            step(file);
        ::CloseHandle(file);
    };
}

}

void PrintDeleteSteps(const std::string& folder, int files)
{
    double deleteFile = PerFile(folder, files, [](const std::string& path) { ::DeleteFileA(path.c_str()); });
    double open = PerFile(folder, files, Through({}));
    double attributes = PerFile(folder, files, Through({ ReadAttributes }));
    double finalPath = PerFile(folder, files, Through({ ReadFinalPath }));
    double disposition = PerFile(folder, files, Through({ SetDeletion }));
    double all = PerFile(folder, files, Through({ ReadAttributes, ReadFinalPath, SetDeletion }));
    ::RemoveDirectoryA(folder.c_str());
    std::printf("deletefile=%.3f open=%.3f attributes=%.3f finalpath=%.3f disposition=%.3f all=%.3f\n", deleteFile,
                open, attributes, finalPath, disposition, all);
}
