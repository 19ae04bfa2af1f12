// framework/FileHandle.h
// A kernel handle of a file or folder, closed when it goes; moved, never copied.
#pragma once
#include <windows.h>
#include <utility>

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { if (IsValid()) ::CloseHandle(m_handle); }
    FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
    // The handle held before goes with other.
    FileHandle& operator=(FileHandle&& other) noexcept { std::swap(m_handle, other.m_handle); return *this; }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return m_handle; }

private:
    HANDLE m_handle;
};
