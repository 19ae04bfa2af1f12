// framework/Dialog.cpp
#include "Dialog.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hParent = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hParent, DlgProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    // From WM_INITDIALOG on, the window procedure is the framework's: it runs the message map and
    // hands a reflected WM_CTLCOLOR* brush straight back, so nothing is left for this procedure.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDlg = reinterpret_cast<CDialog*>(lParam);
    try {
        if (!pDlg->SubclassWindow(hDlg))
            return FALSE;
        return pDlg->OnInitDialog();
    }
    catch (...) {
        return ProcessWndProcException(hDlg, message);
    }
}
