// app/HelpContents.cpp
#include "HelpContents.h"
#include "view/VestrelView.h"

namespace {

const UINT HH_DISPLAY_TOPIC = 0;
typedef HWND (WINAPI* HtmlHelpProc)(HWND, LPCSTR, UINT, DWORD_PTR);

// HTML Help is looked up at run time so that a machine without it still runs the program.
// The module stays loaded: the help window it opens runs on its code after the call returns.
HtmlHelpProc FindHtmlHelp()
{
    static HtmlHelpProc proc = [] {
        HMODULE module = ::LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void (*)()>(::GetProcAddress(module, "HtmlHelpA"))) : nullptr;
    }();
    return proc;
}

}

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

void CVestrelView::OnHelpContents()
{
    char modulePath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    if (HtmlHelpProc htmlHelp = FindHtmlHelp())
        htmlHelp(nullptr, HelpFilePath(modulePath), HH_DISPLAY_TOPIC, 0);
}
