// framework/Dialog.h
// Modal dialogs on a template, and the static control that dialogs hold.
#pragma once
#include "Wnd.h"

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
};

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

    // Runs the dialog on its own message loop, owned by the main window when there is one;
    // returns what EndDialog was given, or -1 when the dialog could not be made.
    INT_PTR DoModal();

    // TRUE lets the system put the focus on the first control that takes it.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    UINT m_nIDTemplate;
};
