// app/VestrelApp.h
#pragma once
#include "framework/WinApp.h"

class CVestrelApp : public CWinApp
{
public:
    CVestrelApp() : CWinApp(nullptr) {}
    ~CVestrelApp() override = default;
    BOOL InitInstance() override;
    void OnAppAbout();

protected:
    DECLARE_MESSAGE_MAP()
};
