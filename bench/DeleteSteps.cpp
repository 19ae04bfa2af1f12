// bench/DeleteSteps.cpp
// What one file's erasure costs, step by step, against the bare DeleteFileA: each step runs on a fresh
// set of files, so the figures say what the safety checks of an erasure add on this platform.
#include "Bench.h"
#include "traces/files/FolderWalk.h"
#include <cstdio>
#include <functional>

namespace {

const DWORD kEntryAccess = DELETE | FILE_READ_ATTRIBUTES;

std::wstring FileName(int index)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"f%06d.tmp", index);
    return name;
}

std::string FilePath(const std::string& folder, int index)
{
    std::wstring name = FileName(index);
    return folder + "\\" + std::string(name.begin(), name.end());
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

void ReadObjectName(const Folder&, HANDLE file)
{
    ObjectName(file);
}

void SetDeletion(const Folder& folder, HANDLE file)
{
    folder.MarkForDeletion(file);
}

// Milliseconds per file of step over fresh files in a folder held open as the eraser holds it.
double PerFile(const std::string& folder, int files, const std::function<void(const Folder&, int)>& step)
{
    MakeFiles(folder, files);
    double ms = 0;
    {
        Folder held(folder.c_str());
        LONGLONG start = Now();
        for (int i = 0; i < files; ++i)
            step(held, i);
        ms = Milliseconds(start, Now()) / files;
    }
    for (int i = 0; i < files; ++i)
        ::DeleteFileA(FilePath(folder, i).c_str());
    return ms;
}

// Opens the file through the folder, does the steps through the handle, closes it.
std::function<void(const Folder&, int)> Through(std::vector<void (*)(const Folder&, HANDLE)> steps)
{
    return [steps](const Folder& folder, int index) {
        // As the eraser opens a file, through its folder's handle, but without showing where it lies.
        FileHandle file = OpenInFolder(folder.Handle(), FileName(index).c_str(), kEntryAccess, kShareAll);
        for (auto step : steps)
            step(folder, file);
    };
}

}

void PrintDeleteSteps(const std::string& folder, int files)
{
    auto deleteFile = [&folder](const Folder&, int index) { ::DeleteFileA(FilePath(folder, index).c_str()); };
    // The eraser's own calls for a plain file: opened where it lies, and marked for deletion.
    auto erasure = [](const Folder& held, int index) {
        FileHandle file = held.Open(FileName(index).c_str(), kEntryAccess, kShareAll);
        held.MarkForDeletion(file);
    };
    double bare = PerFile(folder, files, deleteFile);
    double open = PerFile(folder, files, Through({}));
    double objectName = PerFile(folder, files, Through({ ReadObjectName }));
    double disposition = PerFile(folder, files, Through({ SetDeletion }));
    double all = PerFile(folder, files, erasure);
    ::RemoveDirectoryA(folder.c_str());
    std::printf("deletefile=%.3f open=%.3f objectname=%.3f disposition=%.3f all=%.3f\n", bare, open, objectName,
                disposition, all);
}
