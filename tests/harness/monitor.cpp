#include "harness/monitor.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "protocol/messages.h"
#include "ui/resource.h"

namespace harness {

namespace {

constexpr DWORD kTimeoutMs = 5000;

template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs = kTimeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(10);
    }
    return true;
}

// The next top-level window after the given one (null: the first) of the
// class that belongs to the process.
HWND WindowOf(DWORD processId, const char* className, HWND window = nullptr) {
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

// WM_GETTEXT, unlike GetWindowText, asks another process's control for its
// text. A hung monitor must not hang the tests, hence the timeout.
std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length)) return "";
    std::vector<char> text(length + 2, '\0');
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &length);
    return text.data();
}

void EndProcess(HANDLE process, HWND relay) {
    if (relay != nullptr) PostMessageA(relay, WM_STATUSQUIT, 0, 0);
    if (WaitForSingleObject(process, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, kTimeoutMs);
    }
}

// The severity a screen area shows, by its red and yellow pixels; kNone where
// it shows nothing but the background colour, or is hidden.
Severity SeverityOnScreen(HWND window, COLORREF background = CLR_INVALID) {
    RECT rect;
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect)) return Severity::kNone;
    HDC screen = GetDC(nullptr);
    int red = 0, yellow = 0, other = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            const bool reddish = GetRValue(pixel) > 160 && GetBValue(pixel) < 100;
            red += reddish && GetGValue(pixel) < 100;
            yellow += reddish && GetGValue(pixel) > 160;
            other += pixel != background;
        }
    }
    ReleaseDC(nullptr, screen);
    if (other == 0) return Severity::kNone;
    const int enough = (rect.right - rect.left) * (rect.bottom - rect.top) / 32;  // a sign, not a stray pixel
    if (red > enough && red > yellow) return Severity::kError;
    return yellow > enough ? Severity::kWarning : Severity::kNormal;
}

// The icons of Wine's notification area are child windows of its tray
// window. The shell does not say which is whose; the tests run one monitor
// at a time and nothing else puts an icon there, so it is the only one.
HWND MonitorTrayIconWindow() {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    HWND icon = tray != nullptr ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
    return icon != nullptr && FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr) == nullptr ? icon : nullptr;
}

bool IsBalloon(HWND tooltip) { return (GetWindowLongA(tooltip, GWL_STYLE) & TTS_BALLOON) != 0; }

// A tooltip's text for the tray icon's tool: the tool record and the text
// buffer are put into the tray's own process, where the tooltip reads and
// writes them. A tooltip that does not know the tool leaves the text empty.
std::string TooltipText(HWND tooltip, HWND icon) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tooltip, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    WCHAR text[256] = L"";
    TTTOOLINFOW tool = {sizeof tool, TTF_IDISHWND, icon, reinterpret_cast<UINT_PTR>(icon), {}, nullptr, nullptr, 0,
                        nullptr};
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof tool + sizeof text, MEM_COMMIT,
                                                     PAGE_READWRITE));
    if (remote != nullptr) {
        tool.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof tool);
        DWORD_PTR result = 0;
        WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        WriteProcessMemory(process, remote + sizeof tool, text, sizeof text, nullptr);
        SendMessageTimeoutW(tooltip, TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, kTimeoutMs, &result);
        ReadProcessMemory(process, remote + sizeof tool, text, sizeof text - sizeof(WCHAR), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    if (process != nullptr) CloseHandle(process);
    char ansi[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// The tip of a tray icon, from the tray's tooltip that is not a balloon.
std::string TipOfTrayIcon(HWND icon) {
    DWORD processId = 0;
    GetWindowThreadProcessId(icon, &processId);
    std::string tip;
    for (HWND tooltip = nullptr; tip.empty() && (tooltip = WindowOf(processId, "tooltips_class32", tooltip));) {
        if (!IsBalloon(tooltip)) tip = TooltipText(tooltip, icon);
    }
    return tip;
}

// The balloon that the tray shows for the icon, if one is visible.
Balloon BalloonOfTrayIcon(HWND icon) {
    DWORD processId = 0;
    GetWindowThreadProcessId(icon, &processId);
    Balloon balloon;
    for (HWND tooltip = nullptr; (tooltip = WindowOf(processId, "tooltips_class32", tooltip));) {
        if (!IsBalloon(tooltip) || !IsWindowVisible(tooltip)) continue;
        balloon.window = tooltip;
        balloon.text = TooltipText(tooltip, icon);
        break;
    }
    return balloon;
}

// A change (or a deletion) that changes nothing else.
bool NotifyShell(DWORD message, HWND dialog) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = dialog;
    record.uID = ID_TRAYICON;
    return Shell_NotifyIconA(message, &record) != FALSE;
}

// Presses or releases Ctrl and waits until the key message came to this
// thread, taking the key messages out of its queue.
void SendCtrl(DWORD flags, UINT expected) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    PollUntil([expected] {
        MSG message;
        bool seen = false;
        while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            seen = seen || (message.message == expected && message.wParam == VK_CONTROL);
        }
        return seen;
    }, 2000);
}

void Click(int x, int y) {
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace

std::string ExecutableDirectory() {
    char path[MAX_PATH] = "";
    std::string directory(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

Monitor::Monitor() {
    std::string commandLine = "\"" + ExecutableDirectory() + "statusmon.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = {};
        return;
    }
    // The dialog exists before its initialisation ends; the status area's
    // lifted text limit marks the end.
    PollUntil(
        [this] {
            if (!Running()) return true;  // a second monitor ends at once
            relay_ = WindowOf(process_.dwProcessId, kRelayWindowName);
            HWND dialog = WindowOf(process_.dwProcessId, "#32770");
            DWORD_PTR limit = 0;
            if (relay_ == nullptr || dialog == nullptr ||
                !SendMessageTimeoutA(GetDlgItem(dialog, IDC_STATUSTEXT), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG,
                                     1000, &limit) ||
                limit < 0x7FFFFFFE) {
                return false;
            }
            dialog_ = dialog;
            return true;
        },
        10000);
}

Monitor::~Monitor() {
    if (process_.hProcess == nullptr) return;
    if (Running()) EndProcess(process_.hProcess, relay_);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void Monitor::Post(int code) const { PostMessageA(relay_, WM_STATUSCODE, 1, static_cast<LPARAM>(code)); }

bool Monitor::PostBurst(const std::vector<int>& codes) const {
    const bool held = SuspendThread(process_.hThread) != static_cast<DWORD>(-1);
    for (int code : codes) Post(code);
    return ResumeThread(process_.hThread) != static_cast<DWORD>(-1) && held;
}

// The notification area's thread is held, so the monitor's first call to it
// waits; the monitor's own thread is held in that call, the notification
// area answers it alone (the tray icon's image changes), and the icon is
// taken away before the monitor goes on.
bool Monitor::PostAsTheShellRestarts(int code) const {
    HWND shell = FindWindowA("Shell_TrayWnd", nullptr);
    const DWORD shellThreadId = shell != nullptr ? GetWindowThreadProcessId(shell, nullptr) : 0;
    HANDLE shellThread = shellThreadId != 0 ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, shellThreadId) : nullptr;
    if (shellThread == nullptr) return false;
    const Severity before = TraySeverity();
    // A thread that waits for the shell still answers messages sent to it.
    const auto dialogIcon = [this] {
        DWORD_PTR shown = 0;
        SendMessageTimeoutA(GetDlgItem(dialog_, IDC_STATUSICON), STM_GETICON, 0, 0, SMTO_NORMAL, kTimeoutMs, &shown);
        return shown;
    };
    const DWORD_PTR iconBefore = dialogIcon();
    SuspendThread(shellThread);
    Post(code);
    // The dialog's icon is set just before the tray is told: once it has
    // changed, the monitor's thread is on its way to the shell, a few window
    // calls of its own away, or waits for it already.
    const bool iconChanged = PollUntil([&] { return dialogIcon() != iconBefore; });
    Sleep(200);
    SuspendThread(process_.hThread);
    ResumeThread(shellThread);
    CloseHandle(shellThread);
    const bool caught = iconChanged && PollUntil([&] { return TraySeverity() != before; }, 2000);
    if (caught) RemoveTrayIconOf(dialog_);
    ResumeThread(process_.hThread);
    Sync();
    return caught;
}

bool Monitor::PostCodeAndThreadMessage(int code) const {
    const bool held = SuspendThread(process_.hThread) != static_cast<DWORD>(-1);
    PostToDialog(WM_STATUSCODE, 1, code);
    const bool posted = PostThreadMessageA(process_.dwThreadId, WM_STATUSCODE, 1, code) != FALSE;
    return ResumeThread(process_.hThread) != static_cast<DWORD>(-1) && held && posted;
}

void Monitor::PostQuit() const { PostMessageA(relay_, WM_STATUSQUIT, 0, 0); }

void Monitor::PostToDialog(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageA(dialog_, message, wParam, lParam);
}

// A sent message would overtake everything posted, so markers are posted
// instead: the status area's read-only switch, off and then on, each awaited.
// Two rounds, since the monitor posts again what it receives (the relay
// forwards codes, a logo click posts one): the first round waits for what was
// queued, the second for what that posted.
void Monitor::Sync() const {
    HWND area = GetDlgItem(dialog_, IDC_STATUSTEXT);
    const auto readOnly = [area] { return (GetWindowLongA(area, GWL_STYLE) & ES_READONLY) != 0; };
    PostMessageA(area, EM_SETREADONLY, FALSE, 0);
    PollUntil([&] { return !readOnly(); }, 30000);
    PostMessageA(area, EM_SETREADONLY, TRUE, 0);
    PollUntil(readOnly, 30000);
}

std::string Monitor::StatusText() const { return WindowText(GetDlgItem(dialog_, IDC_STATUSTEXT)); }

std::string Monitor::Caption() const { return WindowText(dialog_); }

bool Monitor::Visible() const { return IsWindowVisible(dialog_) != FALSE; }

bool Monitor::VisibleWithin(DWORD timeoutMs) const {
    return PollUntil([this] { return Visible(); }, timeoutMs);
}

// Read from the screen, as a user sees it: without an icon the control shows
// the dialog's face colour alone.
Severity Monitor::DialogSeverity() const {
    HWND control = GetDlgItem(dialog_, IDC_STATUSICON);
    DWORD_PTR icon = 0;
    SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &icon);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The control paints once the monitor's queue has run empty.
    Severity shown = Severity::kNone;
    PollUntil([&] {
        shown = SeverityOnScreen(control, face);
        return icon == 0 ? shown == Severity::kNone : shown != Severity::kNormal && shown != Severity::kNone;
    }, 1000);
    return shown;
}

// A change that changes nothing succeeds exactly when the shell holds an icon
// of this window and id.
bool Monitor::HasTrayIcon() const { return NotifyShell(NIM_MODIFY, dialog_); }

std::string Monitor::TrayTip() const {
    if (!HasTrayIcon()) return "<no tray icon>";
    HWND icon = MonitorTrayIconWindow();
    return icon != nullptr ? TipOfTrayIcon(icon) : "<not the only tray icon>";
}

// Wine draws the notification area in a window of its own, which the dialog
// may cover: moved to the right, on top, its icon shows.
HWND UncoveredTrayIconWindow() {
    HWND icon = MonitorTrayIconWindow();
    RECT rect;
    if (icon == nullptr || !GetWindowRect(GetParent(icon), &rect)) return nullptr;
    SetWindowPos(GetParent(icon), HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left) - 20,
                 GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return icon;
}

Balloon Monitor::WaitForBalloon(DWORD timeoutMs) const {
    Balloon balloon;
    PollUntil([&] {
        HWND icon = HasTrayIcon() ? MonitorTrayIconWindow() : nullptr;
        if (icon != nullptr) balloon = BalloonOfTrayIcon(icon);
        return balloon.window != nullptr;
    }, timeoutMs);
    return balloon;
}

void Monitor::ClickTrayIcon() const {
    HWND icon = HasTrayIcon() ? UncoveredTrayIconWindow() : nullptr;
    RECT rect;
    if (icon == nullptr || !GetWindowRect(icon, &rect)) return;
    Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

Severity Monitor::TraySeverity() const {
    HWND icon = HasTrayIcon() ? UncoveredTrayIconWindow() : nullptr;
    if (icon == nullptr) return Severity::kNone;
    Severity shown = Severity::kNone;
    PollUntil([&] { return (shown = SeverityOnScreen(icon)) != Severity::kNormal; }, 500);
    return shown;
}

bool Monitor::Running() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Monitor::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

CtrlKeyHeld::CtrlKeyHeld(const Monitor& monitor) {
    // A dialog that has just come up is still being activated; were that to
    // finish later, its activation would read the keys' state anew from the
    // X server, which knows nothing of keys sent here.
    PollUntil([&monitor] { return GetForegroundWindow() == monitor.Dialog(); }, 1000);
    const int x = GetSystemMetrics(SM_CXSCREEN) - 2, y = GetSystemMetrics(SM_CYSCREEN) - 2;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, 2, 2,
                              nullptr, nullptr, nullptr, nullptr);
    // A click on it makes it the foreground window for sure.
    for (int attempt = 0; attempt < 5 && GetForegroundWindow() != window_; ++attempt) {
        SetForegroundWindow(window_);
        Click(x, y);
        PollUntil([this] { return GetForegroundWindow() == window_; }, 500);
    }
    // Whatever input the monitor's thread still had is handled meanwhile, so
    // that its key state follows the desktop's; that Ctrl is still down then
    // shows that no late activation took it back.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SendCtrl(0, WM_KEYDOWN);
        monitor.Sync();
        if (GetAsyncKeyState(VK_CONTROL) < 0) break;
    }
}

CtrlKeyHeld::~CtrlKeyHeld() {
    SendCtrl(KEYEVENTF_KEYUP, WM_KEYUP);
    DestroyWindow(window_);
}

void EndStrayMonitors() {
    for (HWND relay; (relay = FindWindowA(kRelayWindowName, kRelayWindowName)) != nullptr;) {
        DWORD processId = 0;
        GetWindowThreadProcessId(relay, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        if (process == nullptr) return;
        EndProcess(process, relay);
        CloseHandle(process);
    }
}

bool RemoveTrayIconOf(HWND dialog) { return NotifyShell(NIM_DELETE, dialog); }

void SendTaskbarCreated(HWND dialog) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, RegisterWindowMessageA(kTaskbarCreatedMessageName), 0, 0, SMTO_NORMAL, kTimeoutMs,
                        &result);
}

void SendStopMessage(HWND dialog) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, RegisterWindowMessageA(kStopMessageName), 0, 0, SMTO_NORMAL, kTimeoutMs, &result);
}

}  // namespace harness
