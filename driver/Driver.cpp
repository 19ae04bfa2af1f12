// driver/Driver.cpp
#include "Driver.h"
#include <commctrl.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <utility>

#ifndef VESTREL_EXE_NAME
#error "VESTREL_EXE_NAME names the program's executable"
#endif

namespace {

constexpr DWORD kPollMs = 20;
// A program busy in a long command does not answer; a test must fail, not hang.
constexpr UINT kSendTimeoutMs = 5000;

template <class Condition>
bool PollUntil(DWORD timeoutMs, Condition condition)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(kPollMs);
    }
}

std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd)
{
    char text[4096] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

DWORD ProcessOf(HWND hwnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// Memory in the program's process, for the control messages that take a pointer.
class RemoteBuffer
{
public:
    RemoteBuffer(HANDLE process, size_t size)
        : m_process(process),
          m_base(static_cast<char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    ~RemoteBuffer() { if (m_base) ::VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return m_base != nullptr; }
    char* At(size_t offset) const { return m_base + offset; }
    LPARAM Param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(At(offset)); }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return ::WriteProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ::ReadProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }
    std::string ReadText(size_t offset, size_t capacity) const
    {
        std::string text(capacity, '\0');
        if (!Read(offset, text.data(), capacity))
            return {};
        text.resize(text.find('\0') == std::string::npos ? capacity : text.find('\0'));
        return text;
    }

private:
    HANDLE m_process;
    char* m_base;
};

constexpr size_t kTextCapacity = 4096;

template <class Pick>
BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<std::pair<Pick*, HWND>*>(lParam);
    if (!(*search->first)(hwnd))
        return TRUE;
    search->second = hwnd;
    return FALSE;
}

// The first descendant of `parent` (the first top-level window if null) that `pick` accepts.
template <class Pick>
HWND FindWindowWhere(HWND parent, Pick pick)
{
    std::pair<Pick*, HWND> search { &pick, nullptr };
    if (parent)
        ::EnumChildWindows(parent, VisitWindow<Pick>, reinterpret_cast<LPARAM>(&search));
    else
        ::EnumWindows(VisitWindow<Pick>, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND FindDescendant(HWND parent, const char* className)
{
    return FindWindowWhere(parent, [&](HWND hwnd) { return lstrcmpiA(ClassOf(hwnd).c_str(), className) == 0; });
}

bool IsStatic(HWND hwnd, bool icon)
{
    return lstrcmpiA(ClassOf(hwnd).c_str(), "Static") == 0
        && ((::GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) == icon;
}

// A message box keeps its text in the static with id 0xFFFF; other dialogs: the first text static.
std::string BoxText(HWND box)
{
    if (HWND text = ::GetDlgItem(box, 0xFFFF))
        return TextOf(text);
    return TextOf(FindWindowWhere(box, [](HWND hwnd) { return IsStatic(hwnd, false) && !TextOf(hwnd).empty(); }));
}

// A 32-bit top-down bitmap selected into a memory DC.
class Canvas
{
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const uint32_t*>(bits);
        if (m_dc && m_bitmap)
            m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ready() const { return m_old != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t Pixel(int i) const { return m_bits[i]; }
    int Size() const { return m_width * m_height; }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const uint32_t* m_bits = nullptr;
};

int DifferentPixels(const Canvas& a, const Canvas& b)
{
    int count = 0;
    for (int i = 0; i < a.Size(); ++i) {
        const uint32_t p = a.Pixel(i), q = b.Pixel(i);
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > 48) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// Icon handles cannot be read across processes, so compare what the screen shows with the
// system icons drawn here the same way, on the same background.
BoxIcon ClassifyIconOnScreen(HWND iconStatic)
{
    RECT rc;
    if (!::GetClientRect(iconStatic, &rc) || rc.right <= 0 || rc.bottom <= 0)
        return BoxIcon::Unknown;
    POINT origin = { 0, 0 };
    ::ClientToScreen(iconStatic, &origin);

    Canvas shown(rc.right, rc.bottom);
    HDC screen = ::GetDC(nullptr);
    const bool captured = shown.Ready() && screen
        && ::BitBlt(shown.Dc(), 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    if (!captured)
        return BoxIcon::Unknown;

    const struct { BoxIcon icon; LPCSTR id; } candidates[] = {
        { BoxIcon::Information, IDI_INFORMATION }, { BoxIcon::Exclamation, IDI_WARNING },
        { BoxIcon::Error, IDI_ERROR }, { BoxIcon::Question, IDI_QUESTION },
    };
    const uint32_t background = shown.Pixel(0);
    BoxIcon best = BoxIcon::Unknown;
    int bestDiff = shown.Size() / 20 + 1;   // anything further off is not a match
    for (const auto& candidate : candidates) {
        Canvas drawn(rc.right, rc.bottom);
        if (!drawn.Ready())
            return BoxIcon::Unknown;
        HBRUSH brush = ::CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
        ::FillRect(drawn.Dc(), &rc, brush);
        ::DeleteObject(brush);
        ::DrawIconEx(drawn.Dc(), 0, 0, ::LoadIconA(nullptr, candidate.id), rc.right, rc.bottom, 0, nullptr, DI_NORMAL);
        const int diff = DifferentPixels(shown, drawn);
        if (diff < bestDiff) {
            bestDiff = diff;
            best = candidate.icon;
        }
    }
    return best;
}

BoxIcon IconOf(HWND box)
{
    HWND iconStatic = FindWindowWhere(box, [](HWND hwnd) { return IsStatic(hwnd, true) && ::IsWindowVisible(hwnd); });
    if (!iconStatic)
        return BoxIcon::None;
    // The box may not have painted yet.
    BoxIcon icon = BoxIcon::Unknown;
    PollUntil(2000, [&] { return (icon = ClassifyIconOnScreen(iconStatic)) != BoxIcon::Unknown; });
    return icon;
}

std::string DirectoryOfThisExe()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string LastErrorText(const char* what)
{
    return std::string(what) + " failed with error " + std::to_string(::GetLastError());
}

}

std::ostream& operator<<(std::ostream& os, BoxIcon icon)
{
    static const char* const names[] = { "no icon", "information", "exclamation", "error", "question", "unknown icon" };
    return os << names[static_cast<int>(icon)];
}

std::ostream& operator<<(std::ostream& os, const MessageBoxSeen& box)
{
    return os << "box \"" << box.caption << "\" saying \"" << box.text << "\" with " << box.icon;
}

std::ostream& operator<<(std::ostream& os, const ListColumn& column)
{
    return os << "column \"" << column.heading << "\" " << column.width << " px";
}

std::ostream& operator<<(std::ostream& os, const ToolbarItem& item)
{
    return item.separator ? os << "separator" : os << "button " << item.commandId;
}

std::string ProgramPath()
{
    return DirectoryOfThisExe() + VESTREL_EXE_NAME;
}

DWORD TimeBoundMs(DWORD nativeMs, const char* what)
{
    constexpr DWORD kEmulationFactor = 3;
    char emulator[64] = {};
    if (!::GetEnvironmentVariableA("VESTREL_32BIT_EMULATION", emulator, sizeof emulator))
        return nativeMs;
    const DWORD widened = nativeMs * kEmulationFactor;
    std::printf("Under emulation (%s): %s widened from %lu to %lu ms; the program and the test run about %lu times slower there.\n",
                emulator, what, nativeMs, widened, kEmulationFactor);
    return widened;
}

VestrelSession::VestrelSession(const std::string& exePath)
{
    std::string commandLine = "\"" + exePath + "\"";
    const std::string dir = exePath.substr(0, exePath.find_last_of("\\/") + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &startup, &info)) {
        m_error = LastErrorText(("CreateProcess of " + exePath).c_str());
        return;
    }
    ::CloseHandle(info.hThread);
    m_process.Reset(info.hProcess);
    m_pid = info.dwProcessId;

    ::WaitForInputIdle(info.hProcess, kStartTimeoutMs);
    PollUntil(kStartTimeoutMs, [this] { return (m_mainWnd = FindMainWindow()) != nullptr || !Running(); });
    if (m_mainWnd)
        return;
    if (const auto code = ExitCode()) {
        char hex[16];
        wsprintfA(hex, "0x%08lX", *code);
        m_error = exePath + " ended with exit code " + hex + " before showing a window";
    } else {
        m_error = exePath + " showed no main window within " + std::to_string(kStartTimeoutMs / 1000) + " s";
    }
    if (HWND box = FindOpenDialog())
        m_error += "; a dialog is open: \"" + TextOf(box) + "\" saying \"" + BoxText(box) + "\"";
}

VestrelSession::~VestrelSession()
{
    if (Running())
        Close();
}

HWND VestrelSession::FindMainWindow() const
{
    return FindWindowWhere(nullptr, [this](HWND hwnd) {
        return ProcessOf(hwnd) == m_pid && ::IsWindowVisible(hwnd) && !::GetWindow(hwnd, GW_OWNER)
            && ClassOf(hwnd) != "#32770";
    });
}

HWND VestrelSession::FindOpenDialog() const
{
    return FindWindowWhere(nullptr, [this](HWND hwnd) {
        return ProcessOf(hwnd) == m_pid && ::IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770";
    });
}

std::string VestrelSession::MainCaption() const
{
    return TextOf(m_mainWnd);
}

HWND VestrelSession::Child(int controlId) const
{
    return m_mainWnd ? ::GetDlgItem(m_mainWnd, controlId) : nullptr;
}

bool VestrelSession::WaitForVisible(HWND hwnd, bool visible, DWORD timeoutMs) const
{
    return PollUntil(timeoutMs, [&] { return (::IsWindowVisible(hwnd) != FALSE) == visible; });
}

bool VestrelSession::PostCommand(int commandId) const
{
    return ::PostMessageA(m_mainWnd, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

std::optional<DWORD> VestrelSession::AnswerTime(DWORD timeoutMs) const
{
    const ULONGLONG start = ::GetTickCount64();
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(m_mainWnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result))
        return std::nullopt;
    return static_cast<DWORD>(::GetTickCount64() - start);
}

HWND VestrelSession::Toolbar() const
{
    return m_mainWnd ? FindDescendant(m_mainWnd, TOOLBARCLASSNAMEA) : nullptr;
}

bool VestrelSession::ClickToolbarButton(int commandId, std::string* why) const
{
    auto fail = [why](std::string reason) {
        if (why)
            *why = std::move(reason);
        return false;
    };
    HWND toolbar = Toolbar();
    if (!toolbar)
        return fail("the main window has no toolbar");
    if (!::IsWindowVisible(toolbar))
        return fail("the toolbar is hidden");
    const auto index = Send(toolbar, TB_COMMANDTOINDEX, commandId, 0);
    if (!index || *index < 0)
        return fail("the toolbar has no button " + std::to_string(commandId));
    RemoteBuffer remote(m_process.Get(), sizeof(RECT));
    RECT rc = {};
    if (!remote || !Send(toolbar, TB_GETITEMRECT, *index, remote.Param()).value_or(FALSE)
        || !remote.Read(0, &rc, sizeof rc))
        return fail("the rectangle of button " + std::to_string(commandId) + " cannot be read");
    // Posted, not sent: the command may end in a modal box. No mouse move first: the toolbar would
    // track the real pointer, elsewhere, and take the press back.
    const LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (!::PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point) || !::PostMessageA(toolbar, WM_LBUTTONUP, 0, point))
        return fail(LastErrorText("PostMessage"));
    return true;
}

std::vector<ToolbarItem> VestrelSession::ToolbarItems() const
{
    std::vector<ToolbarItem> items;
    HWND toolbar = Toolbar();
    RemoteBuffer remote(m_process.Get(), sizeof(TBBUTTON));
    if (!toolbar || !remote)
        return items;
    const int count = static_cast<int>(Send(toolbar, TB_BUTTONCOUNT, 0, 0).value_or(0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!Send(toolbar, TB_GETBUTTON, i, remote.Param()).value_or(FALSE) || !remote.Read(0, &button, sizeof button))
            break;
        const bool separator = (button.fsStyle & BTNS_SEP) != 0;
        items.push_back({ separator ? 0 : button.idCommand, separator });
    }
    return items;
}

std::optional<bool> VestrelSession::IsButtonEnabled(int commandId) const
{
    HWND toolbar = Toolbar();
    if (!toolbar)
        return std::nullopt;
    const auto index = Send(toolbar, TB_COMMANDTOINDEX, commandId, 0);
    if (!index || *index < 0)
        return std::nullopt;
    const auto enabled = Send(toolbar, TB_ISBUTTONENABLED, commandId, 0);
    if (!enabled)
        return std::nullopt;
    return *enabled != 0;
}

bool VestrelSession::WaitForButtonEnabled(int commandId, bool enabled, DWORD timeoutMs) const
{
    return PollUntil(timeoutMs, [&] { return IsButtonEnabled(commandId) == enabled; });
}

bool VestrelSession::PressWhenEnabled(int commandId, std::string* why) const
{
    if (!WaitForButtonEnabled(commandId, true)) {
        if (why)
            *why = "button " + std::to_string(commandId) + " stayed disabled";
        return false;
    }
    return ClickToolbarButton(commandId, why);
}

std::optional<MessageBoxSeen> VestrelSession::WaitForBox(DWORD timeoutMs) const
{
    HWND box = nullptr;
    if (!PollUntil(timeoutMs, [&] { return (box = FindOpenDialog()) != nullptr; }))
        return std::nullopt;
    return MessageBoxSeen { TextOf(box), BoxText(box), IconOf(box), box };
}

bool VestrelSession::CloseBox(const MessageBoxSeen& box) const
{
    if (!::PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box.hwnd, IDOK))))
        return false;
    return PollUntil(kStateTimeoutMs, [&] { return !::IsWindow(box.hwnd) || !::IsWindowVisible(box.hwnd); });
}

std::optional<MessageBoxSeen> VestrelSession::AnswerBox(DWORD timeoutMs) const
{
    auto box = WaitForBox(timeoutMs);
    if (box && !CloseBox(*box))
        box->text += " [did not close on OK]";
    return box;
}

std::string VestrelSession::MessagePaneText() const
{
    HWND bar = m_mainWnd ? FindDescendant(m_mainWnd, STATUSCLASSNAMEA) : nullptr;
    RemoteBuffer remote(m_process.Get(), kTextCapacity);
    if (!bar || !remote || !Send(bar, SB_GETTEXTA, 0, remote.Param()))
        return {};
    return remote.ReadText(0, kTextCapacity);
}

HWND VestrelSession::ListView() const
{
    return m_mainWnd ? FindDescendant(m_mainWnd, WC_LISTVIEWA) : nullptr;
}

std::vector<ListColumn> VestrelSession::Columns() const
{
    std::vector<ListColumn> columns;
    HWND list = ListView();
    RemoteBuffer remote(m_process.Get(), sizeof(LVCOLUMNA) + kTextCapacity);
    if (!list || !remote)
        return columns;
    HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0).value_or(0));
    const int count = header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0).value_or(0)) : 0;
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = remote.At(sizeof column);
        column.cchTextMax = kTextCapacity;
        if (!remote.Write(0, &column, sizeof column) || !Send(list, LVM_GETCOLUMNA, i, remote.Param()).value_or(FALSE)
            || !remote.Read(0, &column, sizeof column))
            break;
        columns.push_back({ remote.ReadText(sizeof column, kTextCapacity), column.cx });
    }
    return columns;
}

std::vector<std::vector<std::string>> VestrelSession::Rows() const
{
    std::vector<std::vector<std::string>> rows;
    HWND list = ListView();
    RemoteBuffer remote(m_process.Get(), sizeof(LVITEMA) + kTextCapacity);
    if (!list || !remote)
        return rows;
    HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0).value_or(0));
    const int columns = header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0).value_or(0)) : 1;
    const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = remote.At(sizeof item);
            item.cchTextMax = kTextCapacity;
            const char nothing = '\0';
            if (!remote.Write(0, &item, sizeof item) || !remote.Write(sizeof item, &nothing, 1)
                || !Send(list, LVM_GETITEMTEXTA, row, remote.Param()))
                return rows;
            cells.push_back(remote.ReadText(sizeof item, kTextCapacity));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

bool VestrelSession::Running() const
{
    return m_process.Get() && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> VestrelSession::ExitCode() const
{
    DWORD code = 0;
    if (Running() || !m_process.Get() || !::GetExitCodeProcess(m_process.Get(), &code))
        return std::nullopt;
    return code;
}

bool VestrelSession::WaitForExit(DWORD timeoutMs) const
{
    return m_process.Get() && ::WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool VestrelSession::Close(DWORD timeoutMs)
{
    if (!Running())
        return true;
    if (m_mainWnd && ::PostMessageA(m_mainWnd, WM_CLOSE, 0, 0) && WaitForExit(timeoutMs))
        return true;
    ::TerminateProcess(m_process.Get(), 1);
    WaitForExit(kExitTimeoutMs);
    return false;
}
