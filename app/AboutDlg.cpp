// app/AboutDlg.cpp
#include "AboutDlg.h"
#include "resource.h"
#include "Version.h"

// The links are members of the box and end with it, so they do not delete themselves.
CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX), m_linkWeb(nullptr, FALSE), m_linkBuy(nullptr, FALSE), m_linkSupport(nullptr, FALSE)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The targets are set here, whatever the controls show.
    m_linkWeb.m_target = VESTREL_WEB;
    m_linkBuy.m_target = VESTREL_ORDER;
    m_linkSupport.m_target = "mailto:" VESTREL_SUPPORT;
    m_linkWeb.SubclassDlgItem(IDC_LINK_WEB, this);
    m_linkBuy.SubclassDlgItem(IDC_LINK_BUY, this);
    m_linkSupport.SubclassDlgItem(IDC_LINK_SUPPORT, this);
    return TRUE;
}
