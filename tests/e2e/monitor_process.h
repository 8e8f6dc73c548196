// Starts the real monitor (statusmon.exe beside the test executable) and
// drives it from this process, as the spooler side and a user would.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Directory of the running test executable, with a trailing backslash.
std::string ExecutableDirectory();

class MonitorProcess {
public:
    // Starts "statusmon.exe <arguments>" (empty: no arguments). Does not wait.
    explicit MonitorProcess(const std::string& arguments = "");
    // Ends the monitor if it still runs (WM_STATUSQUIT, then termination).
    ~MonitorProcess();
    MonitorProcess(const MonitorProcess&) = delete;
    MonitorProcess& operator=(const MonitorProcess&) = delete;

    // Waits until the relay window and the status dialog of this process
    // exist. False on timeout.
    bool WaitUntilReady(DWORD timeoutMs = 10000);

    HWND Dialog() const { return dialog_; }
    HWND Relay() const { return relay_; }
    DWORD ProcessId() const { return processId_; }

    // Posts WM_STATUSCODE (wParam 1) or WM_STATUSQUIT to the relay window.
    void PostStatusCode(int code) const;
    void PostQuit() const;

    // Texts read across processes with WM_GETTEXT.
    std::string StatusText() const;
    std::string Caption() const;
    // Polls until the status area holds exactly text. False on timeout.
    bool WaitForStatusText(const std::string& text, DWORD timeoutMs = 5000) const;
    // Polls until the caption is exactly text. False on timeout.
    bool WaitForCaption(const std::string& text, DWORD timeoutMs = 5000) const;
    // Waits until everything posted to the monitor before (codes through the
    // relay window included) and whatever that posted in turn has been
    // handled. Posts markers rather than sending: see the implementation.
    void Sync() const;

    bool IsVisible() const;
    bool IsHidden() const { return !IsVisible(); }
    bool IsIconic() const;
    bool HasSeverityIcon() const;  // the severity icon control holds an icon
    // Whether the shell holds the monitor's tray icon (a modify succeeds).
    bool HasTrayIcon() const;
    // The tip that the shell holds for the monitor's tray icon, read from
    // the notification area's own tooltip; "<no tray icon>" without one.
    std::string TrayTip() const;

    // Waits for the process to end; its exit code, or STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD timeoutMs = 10000);

    bool IsRunning() const;
    // The icon in the severity icon control: a handle of the monitor's process.
    HICON SeverityIcon() const;
    void PostToDialog(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Relay windows on the desktop, whichever process they belong to.
    static int CountRelayWindows();

private:
    PROCESS_INFORMATION process_ = {};
    DWORD processId_ = 0;
    HWND dialog_ = nullptr;
    HWND relay_ = nullptr;
};

// Holds the Ctrl key down (through SendInput, so that other programs' key
// state sees it) for the life of the object. A small window of this process
// takes the foreground meanwhile: keyboard input then queues here, and the
// monitor, having none of its own pending, reads the desktop's key state.
// Were the monitor in the foreground, the key-down would wait in its queue
// behind every posted message and Ctrl would not yet count as down.
class CtrlKeyHeld {
public:
    CtrlKeyHeld();
    ~CtrlKeyHeld();
    CtrlKeyHeld(const CtrlKeyHeld&) = delete;
    CtrlKeyHeld& operator=(const CtrlKeyHeld&) = delete;

private:
    static void Send(DWORD flags);
    HWND window_ = nullptr;
};

// Ends every monitor still running in this Wine session (left over from a
// failed test), so each test starts alone.
void EndStrayMonitors();

}  // namespace e2e
