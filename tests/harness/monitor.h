// The real monitor (statusmon.exe beside the running executable), started
// and driven from this process as the spooler side and a user would, and
// seen as a user sees it: caption, status area, severity icon, tray icon and
// tip, visibility.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// Directory of the running executable, with a trailing backslash.
std::string ExecutableDirectory();

// What an icon shows, told by its colours on the screen: the error icons are
// mostly red, the warning icons have a yellow sign, a normal one neither.
enum class Severity { kNone, kNormal, kWarning, kError };

// A balloon of the notification area: its window (null when none shows) and
// text. (Wine's tooltips do not tell their title.)
struct Balloon {
    HWND window = nullptr;
    std::string text;
};

class Monitor {
public:
    // Starts statusmon.exe and waits until its dialog has been initialised.
    // Ready() tells whether it came up; a second monitor ends at once.
    Monitor();
    // Ends the monitor if it still runs: WM_STATUSQUIT, then by force.
    ~Monitor();
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    bool Ready() const { return dialog_ != nullptr; }
    HWND Dialog() const { return dialog_; }

    // Posts WM_STATUSCODE (wParam 1) or WM_STATUSQUIT to the relay window.
    void Post(int code) const;
    // Posts the codes as one burst: the monitor's thread is held while they
    // are posted, so that all of them wait in its queue together. False when
    // the thread could not be held.
    bool PostBurst(const std::vector<int>& codes) const;
    // Posts a code to the dialog, as the relay window passes codes on, and
    // then a message of the same number to the monitor's thread itself, as
    // any process may post one, both while the monitor's thread is held.
    bool PostCodeAndThreadMessage(int code) const;
    // Posts a code of another severity than the tray icon shows, while the
    // shell restarts: the shell takes the monitor's first call for the code
    // (the tray icon's new image) and loses the icon right after it, so that
    // it refuses the calls that follow (the tip, a balloon). Waits until the
    // monitor has made them. False when the monitor could not be caught at
    // its first call; the code was then handled as usual.
    bool PostAsTheShellRestarts(int code) const;
    void PostQuit() const;
    void PostToDialog(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Waits until everything posted so far, and whatever that posted in
    // turn, has been handled.
    void Sync() const;

    std::string StatusText() const;
    std::string Caption() const;
    bool Visible() const;
    // Whether the dialog is visible within the time: for what reaches the
    // monitor through the shell in the shell's own time, such as a click on
    // its icon, which Sync does not wait for.
    bool VisibleWithin(DWORD timeoutMs) const;
    // The severity icon beside the status area as it shows on the screen:
    // kNone when the place shows only the dialog's face colour.
    Severity DialogSeverity() const;
    // Whether the shell holds the monitor's tray icon, its tip and its icon.
    bool HasTrayIcon() const;
    std::string TrayTip() const;
    Severity TraySeverity() const;
    // A real left click on the monitor's icon in the notification area.
    void ClickTrayIcon() const;
    // The balloon on the monitor's tray icon, once one shows within the
    // time; the shell shows a balloon about two seconds after it was asked.
    Balloon WaitForBalloon(DWORD timeoutMs) const;

    DWORD ProcessId() const { return process_.dwProcessId; }
    bool Running() const;
    // The exit code once the process has ended; STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD timeoutMs = 10000) const;

    // Its thread, the one of its windows (see ThreadHeld).
    HANDLE MainThread() const { return process_.hThread; }

private:
    PROCESS_INFORMATION process_ = {};
    HWND relay_ = nullptr;
    HWND dialog_ = nullptr;
};

// Holds Ctrl down for the desktop (SendInput) while it lives. A small window
// of this process takes the foreground meanwhile, so that the key goes to it
// and not into the monitor's queue behind its posted messages; the monitor
// has handled what its queue held when the key went down.
class CtrlKeyHeld {
public:
    explicit CtrlKeyHeld(const Monitor& monitor);
    ~CtrlKeyHeld();
    CtrlKeyHeld(const CtrlKeyHeld&) = delete;
    CtrlKeyHeld& operator=(const CtrlKeyHeld&) = delete;

private:
    HWND window_ = nullptr;
};

// Ends every monitor still running in this Wine session, so that a test
// starts alone.
void EndStrayMonitors();
// Takes the monitor's tray icon away behind its back, as a shell restart
// does, and broadcasts the shell's restart message to the dialog.
bool RemoveTrayIconOf(HWND dialog);
void SendTaskbarCreated(HWND dialog);
// Sends the registered stop message to the dialog, as a stopping component
// does; it is handled as soon as the monitor looks at its messages.
void SendStopMessage(HWND dialog);

}  // namespace harness
