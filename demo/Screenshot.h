// demo/Screenshot.h
#pragma once
#include <windows.h>
#include <string>

// Saves what the screen shows of the window, frame and caption included, as a 24-bit BMP file.
bool SaveWindowShot(HWND hwnd, const std::string& path);
