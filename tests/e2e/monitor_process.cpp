#include "e2e/monitor_process.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "protocol/messages.h"
#include "ui/resource.h"

namespace e2e {

namespace {

constexpr DWORD kPollIntervalMs = 10;
constexpr DWORD kSyncTimeoutMs = 5000;
constexpr DWORD kQuitTimeoutMs = 5000;

// Polls condition until it holds or timeoutMs have passed; true if it held.
template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(kPollIntervalMs);
    }
}

bool HasClass(HWND window, const char* className) {
    char name[64] = {};
    if (GetClassNameA(window, name, sizeof name) == 0) return false;
    return lstrcmpA(name, className) == 0;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && HasClass(window, search->className)) {
        search->found.push_back(window);
    }
    return TRUE;
}

// The top-level windows of one class that belong to a process.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    if (window == nullptr) return std::string();
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSyncTimeoutMs,
                             &length)) {
        return std::string();
    }
    std::vector<char> text(static_cast<size_t>(length) + 2, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSyncTimeoutMs, &copied);
    return std::string(text.data());
}

// Ends one monitor process: first the way its own protocol allows, so that
// it removes its tray icon, then by force.
void EndProcess(HANDLE process, HWND relay) {
    if (relay != nullptr) PostMessageA(relay, WM_STATUSQUIT, 0, 0);
    if (WaitForSingleObject(process, kQuitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, kQuitTimeoutMs);
    }
}

}  // namespace

std::string ExecutableDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory(path, length);
    const size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : directory.substr(0, slash + 1);
}

MonitorProcess::MonitorProcess(const std::string& arguments) {
    std::string commandLine = "\"" + ExecutableDirectory() + "statusmon.exe\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_)) {
        processId_ = process_.dwProcessId;
    } else {
        process_ = PROCESS_INFORMATION{};
    }
}

MonitorProcess::~MonitorProcess() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
            EndProcess(process_.hProcess, relay_);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool MonitorProcess::WaitUntilReady(DWORD timeoutMs) {
    if (process_.hProcess == nullptr) return false;
    return PollUntil(
        [this] {
            const std::vector<HWND> relays = TopLevelWindowsOf(processId_, kRelayWindowName);
            const std::vector<HWND> dialogs = TopLevelWindowsOf(processId_, "#32770");
            if (relays.empty() || dialogs.empty()) return false;
            relay_ = relays.front();
            dialog_ = dialogs.front();
            // The dialog is found before its initialisation has ended; the
            // status area's text limit is the initialisation's mark.
            HWND area = GetDlgItem(dialog_, IDC_STATUSTEXT);
            DWORD_PTR limit = 0;
            return area != nullptr &&
                   SendMessageTimeoutA(area, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 1000,
                                       &limit) != 0 &&
                   limit >= 0x7FFFFFFE;
        },
        timeoutMs);
}

void MonitorProcess::PostStatusCode(int code) const {
    PostMessageA(relay_, WM_STATUSCODE, 1, static_cast<LPARAM>(code));
}

void MonitorProcess::PostQuit() const { PostMessageA(relay_, WM_STATUSQUIT, 0, 0); }

std::string MonitorProcess::StatusText() const {
    return WindowText(GetDlgItem(dialog_, IDC_STATUSTEXT));
}

std::string MonitorProcess::Caption() const { return WindowText(dialog_); }

// The text shows while the code's handling still runs: the changes of the
// tray icon come at its end. Sync waits for that too.
bool MonitorProcess::WaitForStatusText(const std::string& text, DWORD timeoutMs) const {
    const bool shown = PollUntil([&] { return StatusText() == text; }, timeoutMs);
    Sync();
    return shown;
}

bool MonitorProcess::WaitForCaption(const std::string& text, DWORD timeoutMs) const {
    const bool shown = PollUntil([&] { return Caption() == text; }, timeoutMs);
    Sync();
    return shown;
}

// A sent message would be handled before anything posted, so Sync posts a
// marker instead and waits until its effect shows. The marker is the status
// area's read-only switch: posted off, then on again, each awaited in turn.
// Two rounds, because the monitor itself posts again what it receives: the
// relay window forwards codes to the dialog, and a logo click posts a code.
// Whatever was queued before the first round has been handled when it ends;
// whatever that posted in turn has been handled when the second ends. The
// area is read-only again afterwards, as the monitor keeps it.
void MonitorProcess::Sync() const {
    HWND area = GetDlgItem(dialog_, IDC_STATUSTEXT);
    if (area == nullptr) return;
    const auto isReadOnly = [area] { return (GetWindowLongA(area, GWL_STYLE) & ES_READONLY) != 0; };
    PostMessageA(area, EM_SETREADONLY, FALSE, 0);
    PollUntil([&] { return !isReadOnly(); }, kSyncTimeoutMs);
    PostMessageA(area, EM_SETREADONLY, TRUE, 0);
    PollUntil(isReadOnly, kSyncTimeoutMs);
}

bool MonitorProcess::IsVisible() const { return IsWindowVisible(dialog_) != FALSE; }

bool MonitorProcess::IsIconic() const { return ::IsIconic(dialog_) != FALSE; }

bool MonitorProcess::HasSeverityIcon() const { return SeverityIcon() != nullptr; }

HICON MonitorProcess::SeverityIcon() const {
    DWORD_PTR icon = 0;
    SendMessageTimeoutA(GetDlgItem(dialog_, IDC_STATUSICON), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG,
                        kSyncTimeoutMs, &icon);
    return reinterpret_cast<HICON>(icon);
}

namespace {

BOOL CALLBACK CollectTrayIcons(HWND window, LPARAM icons) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "__winex11_tray_icon") == 0) {
        reinterpret_cast<std::vector<HWND>*>(icons)->push_back(window);
    }
    return TRUE;
}

// The icons of Wine's notification area: child windows of its tray window.
std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    if (tray != nullptr) EnumChildWindows(tray, CollectTrayIcons, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

struct TipQuery {
    HWND icon = nullptr;
    HANDLE process = nullptr;
    BYTE* remote = nullptr;  // a tool record and then the text, in the tray's process
    std::string tip;
    bool found = false;
};

// Asks one tooltip window of the tray for the icon's tool text. The tool
// record and the text buffer live in the tray's own process, where the
// tooltip reads and writes them.
BOOL CALLBACK AskTooltip(HWND window, LPARAM query) {
    TipQuery& q = *reinterpret_cast<TipQuery*>(query);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "tooltips_class32") != 0) return TRUE;
    WCHAR text[128] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = q.icon;
    tool.uId = reinterpret_cast<UINT_PTR>(q.icon);
    tool.lpszText = reinterpret_cast<LPWSTR>(q.remote + sizeof tool);
    if (!WriteProcessMemory(q.process, q.remote, &tool, sizeof tool, nullptr) ||
        !WriteProcessMemory(q.process, q.remote + sizeof tool, text, sizeof text, nullptr)) {
        return TRUE;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(q.remote),
                             SMTO_ABORTIFHUNG, kSyncTimeoutMs, &result) ||
        !ReadProcessMemory(q.process, q.remote + sizeof tool, text, sizeof text, nullptr)) {
        return TRUE;
    }
    text[ARRAYSIZE(text) - 1] = L'\0';
    if (text[0] == L'\0') return TRUE;  // not this tooltip's tool
    char tip[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, tip, sizeof tip, nullptr, nullptr);
    q.tip = tip;
    q.found = true;
    return FALSE;
}

// The tool text of one tray icon, or "" when no tooltip knows it.
std::string TipOfTrayIcon(HWND icon) {
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(icon, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return "";
    TipQuery query;
    query.icon = icon;
    query.process = process;
    query.remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + 128 * sizeof(WCHAR), MEM_COMMIT, PAGE_READWRITE));
    if (query.remote != nullptr) {
        EnumThreadWindows(thread, AskTooltip, reinterpret_cast<LPARAM>(&query));
        VirtualFreeEx(process, query.remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return query.tip;
}

}  // namespace

// The shell does not say which icon window is whose; the tests run one
// monitor at a time and nothing else puts an icon there, so the monitor's is
// the only one.
std::string MonitorProcess::TrayTip() const {
    if (!HasTrayIcon()) return "<no tray icon>";
    const std::vector<HWND> icons = TrayIconWindows();
    if (icons.size() != 1) return "<" + std::to_string(icons.size()) + " tray icons>";
    return TipOfTrayIcon(icons[0]);
}

// A change that changes nothing (no flags) succeeds exactly when the shell
// holds an icon with this window and id; it leaves the icon and tip alone.
bool MonitorProcess::HasTrayIcon() const {
    NOTIFYICONDATAA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = dialog_;
    record.uID = ID_TRAYICON;
    record.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

DWORD MonitorProcess::WaitForExit(DWORD timeoutMs) {
    if (process_.hProcess == nullptr) return STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool MonitorProcess::IsRunning() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void MonitorProcess::PostToDialog(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageA(dialog_, message, wParam, lParam);
}

int MonitorProcess::CountRelayWindows() {
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, kRelayWindowName, kRelayWindowName);
         window != nullptr;
         window = FindWindowExA(nullptr, window, kRelayWindowName, kRelayWindowName)) {
        ++count;
    }
    return count;
}

CtrlKeyHeld::CtrlKeyHeld() {
    // One pixel in the screen's lower right corner, clear of the dialog.
    const int x = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int y = GetSystemMetrics(SM_CYSCREEN) - 1;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, 1, 1,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window_);
    PollUntil([this] { return GetForegroundWindow() == window_; }, 2000);
    Send(0);
}

CtrlKeyHeld::~CtrlKeyHeld() {
    Send(KEYEVENTF_KEYUP);
    DestroyWindow(window_);
}

void CtrlKeyHeld::Send(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    // The key's message arriving here shows that the input went to this
    // process's window, not into the monitor's queue, and that the desktop's
    // key state has it. Taking it out keeps this queue from filling up.
    const UINT wanted = flags == 0 ? WM_KEYDOWN : WM_KEYUP;
    PollUntil(
        [wanted] {
            MSG message;
            while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
                if (message.message == wanted && message.wParam == VK_CONTROL) return true;
            }
            return false;
        },
        2000);
}

void EndStrayMonitors() {
    // Bounded: a monitor that cannot be ended must not hang the tests.
    for (int attempt = 0; attempt < 10; ++attempt) {
        HWND relay = FindWindowA(kRelayWindowName, kRelayWindowName);
        if (relay == nullptr) return;
        DWORD processId = 0;
        GetWindowThreadProcessId(relay, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        if (process == nullptr) {
            PostMessageA(relay, WM_STATUSQUIT, 0, 0);
            PollUntil([relay] { return !IsWindow(relay); }, kQuitTimeoutMs);
            continue;
        }
        EndProcess(process, relay);
        CloseHandle(process);
    }
}

}  // namespace e2e
