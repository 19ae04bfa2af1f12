// app/HelpContents.cpp
#include "HelpContents.h"
#include "view/VestrelView.h"
#include <string>

CString HelpFilePath(LPCSTR modulePath)
{
    CString path(modulePath);
    int slash = path.ReverseFind('\\');
    CString folder = path.Left(slash < 0 ? 0 : slash);
    if (folder.GetLength() > 0 && folder[folder.GetLength() - 1] == '\\')
        folder += "VestrelHelp.chm";
    else
        folder += "\\VestrelHelp.chm";
    return folder;
}

// The help opens in the system's HTML Help viewer, a process of its own: shown on this thread, its
// window would keep the main window from answering for as long as the viewer takes to start, find
// its page engine and be shown (seconds under Wine, whose viewer also finds no page engine there).
void CVestrelView::OnHelpContents()
{
    char modulePath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    char windows[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    // In the Windows folder itself, which no file-system redirection touches.
    std::string viewer = std::string(windows) + "\\hh.exe";
    std::string commandLine = "\"" + viewer + "\" \"" + std::string(HelpFilePath(modulePath)) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(viewer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}
