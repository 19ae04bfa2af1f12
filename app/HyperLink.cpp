// app/HyperLink.cpp
#include "HyperLink.h"
#include <shellapi.h>

HINSTANCE CHyperLink::OpenTarget()
{
    if (IsEmpty())
        return nullptr;
    return ::ShellExecuteA(nullptr, "open", *this, nullptr, nullptr, SW_SHOWNORMAL);
}
