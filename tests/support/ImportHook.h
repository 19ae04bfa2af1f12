// tests/support/ImportHook.h
// Redirects this test executable's own imports of a Win32 function, so a test can see or steer what the
// code under test asks of the system.
#pragma once
#include <windows.h>

// Points this executable's imports of `name` at `hook`; returns what they pointed at, or null.
void* HookImport(const char* name, void* hook);

// The function itself, as its DLL exports it: what a hook calls on to, past the redirected import.
template <typename Function>
Function RealImport(const char* dll, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), name)));
}

// A redirection for the lifetime of the object.
class ImportHook
{
public:
    ImportHook(const char* name, void* hook) : m_name(name), m_original(HookImport(name, hook)) {}
    ~ImportHook() { HookImport(m_name, m_original); }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    bool Installed() const { return m_original != nullptr; }

private:
    const char* m_name;
    void* m_original;
};
