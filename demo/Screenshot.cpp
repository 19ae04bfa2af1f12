// demo/Screenshot.cpp
#include "Screenshot.h"
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct ScreenDc
{
    HDC dc = ::GetDC(nullptr);
    ~ScreenDc() { if (dc) ::ReleaseDC(nullptr, dc); }
};

struct MemoryDc
{
    HDC dc;
    explicit MemoryDc(HDC like) : dc(::CreateCompatibleDC(like)) {}
    ~MemoryDc() { if (dc) ::DeleteDC(dc); }
};

struct Bitmap
{
    HBITMAP bitmap;
    Bitmap(HDC like, int width, int height) : bitmap(::CreateCompatibleBitmap(like, width, height)) {}
    ~Bitmap() { if (bitmap) ::DeleteObject(bitmap); }
};

struct Selection
{
    HDC dc;
    HGDIOBJ old;
    Selection(HDC dc, HGDIOBJ object) : dc(dc), old(::SelectObject(dc, object)) {}
    ~Selection() { if (old) ::SelectObject(dc, old); }
};

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};

}

bool SaveWindowShot(HWND hwnd, const std::string& path)
{
    RECT rc;
    if (!::GetWindowRect(hwnd, &rc))
        return false;
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap(screen.dc, width, height);
    if (!screen.dc || !memory.dc || !bitmap.bitmap)
        return false;
    {
        Selection selected(memory.dc, bitmap.bitmap);
        if (!selected.old || !::BitBlt(memory.dc, 0, 0, width, height, screen.dc, rc.left, rc.top, SRCCOPY))
            return false;
    }

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (width * 3 + 3) & ~3;
    info.biSizeImage = stride * height;
    std::vector<BYTE> pixels(info.biSizeImage);
    if (::GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
        return false;

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;     // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    return file
        && std::fwrite(&header, sizeof header, 1, file.get()) == 1
        && std::fwrite(&info, sizeof info, 1, file.get()) == 1
        && std::fwrite(pixels.data(), pixels.size(), 1, file.get()) == 1;
}
