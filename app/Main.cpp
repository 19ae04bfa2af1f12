// app/Main.cpp
// The one application object and the entry point that runs it.
#include "VestrelApp.h"

CVestrelApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
