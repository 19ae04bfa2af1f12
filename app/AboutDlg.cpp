// app/AboutDlg.cpp
#include "AboutDlg.h"
#include "resource.h"

// The links are members of the box and end with it, so they do not delete themselves.
CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX), m_linkWeb(nullptr, FALSE), m_linkBuy(nullptr, FALSE), m_linkSupport(nullptr, FALSE)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The targets are set here, whatever the controls show.
    m_linkWeb.m_target = "https://www.example.com/vestrel/";
    m_linkBuy.m_target = "https://www.example.com/vestrel/order";
    m_linkSupport.m_target = "mailto:support@example.com";
    m_linkWeb.SubclassDlgItem(IDC_LINK_WEB, this);
    m_linkBuy.SubclassDlgItem(IDC_LINK_BUY, this);
    m_linkSupport.SubclassDlgItem(IDC_LINK_SUPPORT, this);
    return TRUE;
}
