// tests/support/TestApp.cpp
// The application object of a test program: resources, title and message boxes work as in Vestrel.
#include "framework/WinApp.h"

namespace {

class CTestApp : public CWinApp
{
public:
    CTestApp() { InitApplication(::GetModuleHandleA(nullptr)); }
};

CTestApp theTestApp;

}
