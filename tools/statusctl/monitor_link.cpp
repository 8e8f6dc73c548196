#include "tools/statusctl/monitor_link.h"

#include <windows.h>

#include "peers/peer_windows.h"
#include "protocol/messages.h"
#include "ui/resource.h"

const char kNoMonitorError[] = "no status monitor is running";

namespace {

// How long a read of the dialog waits for the monitor to answer.
constexpr DWORD kReplyTimeoutMs = 2000;
// How long "stop" waits for a running monitor and printwatch to end.
constexpr DWORD kStopTimeoutMs = 10000;

BOOL CALLBACK PickDialog(HWND window, LPARAM found) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The status dialog belongs to the relay window's thread; it has no name of
// its own to be found by.
HWND FindStatusDialog(HWND relay) {
    HWND dialog = nullptr;
    const DWORD thread = GetWindowThreadProcessId(relay, nullptr);
    EnumThreadWindows(thread, PickDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

// GetWindowTextA does not ask another process for a control's text;
// WM_GETTEXT does. A hung monitor must not hang the tool, hence the timeout.
std::string WindowText(HWND window) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (window == nullptr ||
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            kReplyTimeoutMs, &copied) == 0) {
        return std::string();
    }
    text[sizeof text - 1] = '\0';
    return text;
}

bool PostToRelay(UINT message, LPARAM lParam, std::string* error) {
    const HWND relay = FindRelayWindow();
    if (relay == nullptr) {
        *error = kNoMonitorError;
        return false;
    }
    if (!PostMessageA(relay, message, 0, lParam)) {
        *error = "cannot post to the status monitor (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool IsMonitorRunning() { return FindRelayWindow() != nullptr; }

bool PostStatusCodes(const std::vector<int>& codes, std::string* error) {
    for (int code : codes) {
        if (!PostToRelay(WM_STATUSCODE, static_cast<LPARAM>(code), error)) return false;
    }
    return true;
}

bool PostQuitRequest(std::string* error) { return PostToRelay(WM_STATUSQUIT, 0, error); }

bool BroadcastStop(std::string* error) {
    // The processes of a running monitor and printwatch, taken before the
    // broadcast, so that their end can be awaited: the installer removes the
    // program files next.
    HANDLE processes[2] = {};
    DWORD count = 0;
    for (const HWND window : {FindRelayWindow(), FindPrintWatchWindow()}) {
        if (const HANDLE process = OpenWindowProcess(window)) processes[count++] = process;
    }
    const UINT stop = RegisterWindowMessageA(kStopMessageName);
    bool ok = stop != 0 && PostMessageA(HWND_BROADCAST, stop, 0, 0);
    if (!ok) {
        *error = "cannot broadcast the stop message (error " + std::to_string(GetLastError()) + ")";
    } else if (count != 0 && WaitForMultipleObjects(count, processes, TRUE, kStopTimeoutMs) != WAIT_OBJECT_0) {
        *error = "the status monitor or printwatch did not end within 10 seconds";
        ok = false;
    }
    for (DWORD i = 0; i < count; ++i) CloseHandle(processes[i]);
    return ok;
}

bool ReadMonitorView(MonitorView* view, std::string* error) {
    const HWND relay = FindRelayWindow();
    const HWND dialog = relay == nullptr ? nullptr : FindStatusDialog(relay);
    if (dialog == nullptr) {
        *error = kNoMonitorError;
        return false;
    }
    view->caption = WindowText(dialog);
    view->statusText = WindowText(GetDlgItem(dialog, IDC_STATUSTEXT));
    view->visible = IsWindowVisible(dialog) != FALSE;
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    view->left = rect.left;
    view->top = rect.top;
    view->width = rect.right - rect.left;
    view->height = rect.bottom - rect.top;
    return true;
}
