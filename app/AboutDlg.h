// app/AboutDlg.h
// The About box: the product line and three contact links.
#pragma once
#include "StaticLink.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    ~CAboutDlg() override = default;

    BOOL OnInitDialog() override;

    CStaticLink m_linkWeb;
    CStaticLink m_linkBuy;
    CStaticLink m_linkSupport;
};
