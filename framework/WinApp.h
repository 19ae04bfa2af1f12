// framework/WinApp.h
// The application object: start-up, the message loop with idle-time updates, and the application's message box.
#pragma once
#include "CmdTarget.h"
#include "String.h"
#include <memory>
#include <vector>

class CWnd;
class CDocTemplate;

class CCommandLineInfo
{
public:
    enum { FileNew, FileOpen } m_nShellCommand = FileNew;
    CString m_strFileName;
    // One argument; framework switches (/x, -x) are taken and ignored.
    void ParseParam(LPCSTR pszParam, BOOL bFlag);
};

class CWinApp : public CCmdTarget
{
public:
    // With no name the title comes from the string resource AFX_IDS_APP_TITLE.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance() { return 0; }

    void AddDocTemplate(CDocTemplate* pTemplate);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Sets up the instance and the title; the entry point and the tests call it once.
    BOOL InitApplication(HINSTANCE hInstance);

    void OnAppExit();

protected:
    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// For a command that runs long on the window thread: handles what has come for the program's windows
// (paints, input, what other threads and processes send), so that it never looks hung and can be
// moved, sized and minimised. Commands and closes wait for the command's end (RunningCommand.h).
void AfxPumpMessages();
// The entry point's work: runs the one application object.
int AfxWinMain(HINSTANCE hInstance);
