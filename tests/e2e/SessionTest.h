// tests/e2e/SessionTest.h
// A test that drives the program: started before the test, closed after it. A test that leaves a
// box open, a program that ends by itself with an error, or one that does not close, fails.
#pragma once
#include "driver/Driver.h"
#include "tests/support/RegistryState.h"
#include <gtest/gtest.h>
#include <optional>
#include <string>

// Wine's settings for the program alone.
inline std::string ProgramSettingsKey()
{
    const std::string path = ProgramPath();
    return "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of("\\/") + 1);
}

// Whether a window manager manages the program's windows ("Y") or not ("N"), from its next start.
inline bool SetProgramWindowsManaged(const char* managed)
{
    return SetRegString(HKEY_CURRENT_USER, ProgramSettingsKey() + "\\X11 Driver", "Managed", managed);
}

// Wine waits two seconds for a window manager to let go of a managed window that closes, and Xvfb
// runs none: for the length of the run the program's windows are left unmanaged.
class UnmanagedProgramWindows : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_saved.emplace(HKEY_CURRENT_USER, ProgramSettingsKey());
        SetProgramWindowsManaged("N");
    }
    void TearDown() override { m_saved.reset(); }

private:
    std::optional<SavedKey> m_saved;
};

inline ::testing::Environment* const g_unmanagedProgramWindows =
    ::testing::AddGlobalTestEnvironment(new UnmanagedProgramWindows);

class SessionTest : public ::testing::Test
{
protected:
    // Call from SetUp; on failure the test body does not run.
    void StartProgram()
    {
        m_session.emplace();
        ASSERT_TRUE(m_session->Started()) << m_session->Error();
    }

    void TearDown() override
    {
        // One that never started is killed by its destructor; Error() was reported already.
        if (!m_session || !m_session->Started())
            return;
        if (const auto code = m_session->ExitCode(); code && *code != 0)
            ADD_FAILURE() << "the program ended by itself with exit code 0x" << std::hex << *code;
        while (auto box = m_session->WaitForBox(0)) {
            ADD_FAILURE() << "left open at the end of the test: " << *box;
            if (!m_session->CloseBox(*box))
                break;
        }
        EXPECT_TRUE(m_session->Close()) << "the program did not end on WM_CLOSE and was killed";
    }

    VestrelSession& App() { return *m_session; }

private:
    std::optional<VestrelSession> m_session;
};
