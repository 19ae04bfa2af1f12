// app/HyperLink.h
// The address a link opens: a string that knows how to hand itself to the shell.
#pragma once
#include "framework/String.h"

class CHyperLink : public CString
{
public:
    CHyperLink(LPCSTR lpszTarget = nullptr) : CString(lpszTarget) {}
    virtual ~CHyperLink() = default;
    CHyperLink& operator=(LPCSTR lpszTarget) { CString::operator=(lpszTarget); return *this; }

    // The shell's result: above 32 when the target was opened; null, with nothing done, for an empty target.
    virtual HINSTANCE OpenTarget();
};
