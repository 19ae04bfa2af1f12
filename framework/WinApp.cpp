// framework/WinApp.cpp
#include "WinApp.h"
#include "Wnd.h"
#include "Document.h"
#include "AfxRes.h"
#include <commctrl.h>
#include <shellapi.h>

namespace {
CWinApp* s_pApp = nullptr;
}

CWinApp* AfxGetApp() { return s_pApp; }
HINSTANCE AfxGetResourceHandle() { return s_pApp && s_pApp->m_hInstance ? s_pApp->m_hInstance : ::GetModuleHandleA(nullptr); }
CWnd* AfxGetMainWnd() { return s_pApp ? s_pApp->m_pMainWnd : nullptr; }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

BOOL CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (!m_pszAppName) {
        m_strAppName.LoadString(AFX_IDS_APP_TITLE);
        m_pszAppName = m_strAppName;
    }
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES };
    return ::InitCommonControlsEx(&icc);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templates.emplace_back(pTemplate);
}

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag)
{
    if (bFlag || !m_strFileName.IsEmpty())
        return;
    m_strFileName = pszParam;
    m_nShellCommand = FileOpen;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // Wine and Windows quote arguments differently; the shell's parser agrees with both.
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        int n = ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(n > 0 ? n : 1, '\0');
        ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, &arg[0], n, nullptr, nullptr);
        LPCSTR param = arg.c_str();
        BOOL bFlag = param[0] == '/' || param[0] == '-';
        rCmdInfo.ParseParam(bFlag ? param + 1 : param, bFlag);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    if (m_templates.empty())
        return FALSE;
    LPCSTR path = rCmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen ? static_cast<LPCSTR>(rCmdInfo.m_strFileName) : nullptr;
    return m_templates.front()->OpenDocumentFile(path) != nullptr;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    // An OK box that names no icon gets the exclamation mark; a question gets the question mark.
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        }
    }
    HWND hOwner = m_pMainWnd ? ::GetLastActivePopup(m_pMainWnd->m_hWnd) : nullptr;
    return ::MessageBoxA(hOwner, lpszPrompt, m_pszAppName, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* app = AfxGetApp();
    return app ? app->DoMessageBox(lpszText, nType, nIDHelp) : ::MessageBoxA(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    // The first idle pass after a message brings menus-less command state up to date: toolbar buttons, panes.
    if (lCount == 0 && m_pMainWnd && m_pMainWnd->m_hWnd) {
        m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg;
    LONG idleCount = 0;
    bool idle = true;
    for (;;) {
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!::GetMessageA(&msg, nullptr, 0, 0))
                return ExitInstance();
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            // Painting and timers change no command state: no new idle pass for them.
            if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

void AfxPumpMessages()
{
    // A window that never validates itself would be painted for ever, and input may come faster than
    // it is taken: the round is bounded.
    MSG msg;
    for (int round = 0; round < 64 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++round) {
        // The message loop ends the program, once the command has returned.
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* app = AfxGetApp();
    if (!app || !app->InitApplication(hInstance))
        return -1;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
