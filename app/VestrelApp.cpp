// app/VestrelApp.cpp
#include "VestrelApp.h"
#include "AboutDlg.h"
#include "MainFrame.h"
#include "VestrelDoc.h"
#include "view/VestrelView.h"
#include "framework/Document.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CVestrelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CVestrelApp::InitInstance()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVestrelDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVestrelView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->CenterWindow();
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CVestrelApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
