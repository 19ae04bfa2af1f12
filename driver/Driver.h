// driver/Driver.h
// Drives the real program in its own process as a user would: commands, toolbar clicks, message
// boxes, the list and the bars, all read from outside. Knows command ids, nothing of their meaning.
#pragma once
#include <windows.h>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The icon that a message box shows, told apart by its pixels on the screen.
enum class BoxIcon { None, Information, Exclamation, Error, Question, Unknown };

struct MessageBoxSeen
{
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::Unknown;
    HWND hwnd = nullptr;        // not compared: only for closing the box

    bool operator==(const MessageBoxSeen& other) const
    {
        return caption == other.caption && text == other.text && icon == other.icon;
    }
};

struct ListColumn
{
    std::string heading;
    int width = 0;
    bool operator==(const ListColumn&) const = default;
};

struct ToolbarItem
{
    int commandId = 0;          // 0 for a separator
    bool separator = false;
    bool operator==(const ToolbarItem&) const = default;
};

// Readable failures: GoogleTest prints these when an expectation on them fails.
std::ostream& operator<<(std::ostream& os, BoxIcon icon);
std::ostream& operator<<(std::ostream& os, const MessageBoxSeen& box);
std::ostream& operator<<(std::ostream& os, const ListColumn& column);
std::ostream& operator<<(std::ostream& os, const ToolbarItem& item);

// Owns one kernel handle.
class UniqueHandle
{
public:
    UniqueHandle() = default;
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE Get() const { return m_h; }
    void Reset(HANDLE h = nullptr)
    {
        if (m_h)
            ::CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h = nullptr;
};

// The program's executable: the file named by VESTREL_EXE_NAME beside the running test exe.
std::string ProgramPath();

// A bound on how soon the program answers. Where the test command runs the 32-bit build under
// emulation (it sets VESTREL_32BIT_EMULATION), the program and this driver run about three times
// slower, more on a busy machine: the bound is widened there, and the test says so.
DWORD TimeBoundMs(DWORD nativeMs, const char* what);

class VestrelSession
{
public:
    // How long the driver waits by default; analyses of large folders may need a longer wait.
    static constexpr DWORD kStartTimeoutMs = 20000;
    static constexpr DWORD kBoxTimeoutMs = 5000;
    static constexpr DWORD kStateTimeoutMs = 3000;
    static constexpr DWORD kExitTimeoutMs = 10000;

    // Starts the program and waits for its main window; Error() says what went wrong, if anything.
    explicit VestrelSession(const std::string& exePath = ProgramPath());
    // Closes a program still running; kills it if it does not end.
    ~VestrelSession();
    VestrelSession(const VestrelSession&) = delete;
    VestrelSession& operator=(const VestrelSession&) = delete;

    bool Started() const { return m_mainWnd != nullptr; }
    const std::string& Error() const { return m_error; }
    HWND MainWindow() const { return m_mainWnd; }
    DWORD ProcessId() const { return m_pid; }
    std::string MainCaption() const;
    // A child of the main window by control id (the bars), or null.
    HWND Child(int controlId) const;
    bool WaitForVisible(HWND hwnd, bool visible, DWORD timeoutMs = kStateTimeoutMs) const;

    // A command as the menu sends it; also for commands without a menu item or button.
    bool PostCommand(int commandId) const;
    // How long the main window took to take a message (WM_NULL); empty if it took none within timeoutMs.
    std::optional<DWORD> AnswerTime(DWORD timeoutMs) const;
    // Presses and releases the mouse on the command's toolbar button. False, with the reason, if
    // the toolbar or the button cannot be found or is hidden; a disabled button takes the click
    // and does nothing, as for a user.
    bool ClickToolbarButton(int commandId, std::string* why = nullptr) const;
    std::vector<ToolbarItem> ToolbarItems() const;
    // The button's enabled state as the toolbar holds it now; empty if there is no such button.
    std::optional<bool> IsButtonEnabled(int commandId) const;
    // The program refreshes its toolbar when its message loop goes idle: poll until it shows `enabled`.
    bool WaitForButtonEnabled(int commandId, bool enabled, DWORD timeoutMs = kStateTimeoutMs) const;
    // As a user presses a button: once the toolbar shows it enabled. A press before the program has
    // refreshed its toolbar, which a slow machine makes likely, would be lost.
    bool PressWhenEnabled(int commandId, std::string* why = nullptr) const;

    // The next message box (or any dialog) of the program, left open; empty on timeout.
    std::optional<MessageBoxSeen> WaitForBox(DWORD timeoutMs = kBoxTimeoutMs) const;
    // Presses OK and waits for the box to go.
    bool CloseBox(const MessageBoxSeen& box) const;
    // WaitForBox, then CloseBox: what the user read before pressing OK.
    std::optional<MessageBoxSeen> AnswerBox(DWORD timeoutMs = kBoxTimeoutMs) const;

    // The status bar's message pane.
    std::string MessagePaneText() const;

    // The list of the main window.
    HWND ListView() const;
    std::vector<ListColumn> Columns() const;
    // Every row, every column's text.
    std::vector<std::vector<std::string>> Rows() const;

    // Asks the program to close (WM_CLOSE) and waits; false if it had to be killed.
    bool Close(DWORD timeoutMs = kExitTimeoutMs);
    // Waits for the process to end on its own (after "Exit"); false on timeout.
    bool WaitForExit(DWORD timeoutMs = kExitTimeoutMs) const;
    bool Running() const;
    std::optional<DWORD> ExitCode() const;

private:
    HWND FindMainWindow() const;
    HWND FindOpenDialog() const;
    HWND Toolbar() const;

    UniqueHandle m_process;
    DWORD m_pid = 0;
    HWND m_mainWnd = nullptr;
    std::string m_error;
};
