// The process-wide state of the monitor: one instance, used on the one thread.
#pragma once

#include <windows.h>

#include "state/kept_key.h"
#include "state/profile_set.h"
#include "state/tray_state.h"

struct MonitorState {
    HINSTANCE instance = nullptr;
    HWND dialog = nullptr;
    // The window that other programs post status codes to; null when it
    // could not be created.
    HWND relayWindow = nullptr;

    bool startRequest = false;  // "/S" was given
    PlatformFamily platform = PlatformFamily::kOther;

    // Loaded once by the dialog from the program's resources; never freed.
    HICON normalIcon = nullptr;
    HICON warningIcon = nullptr;
    HICON errorIcon = nullptr;
    // The system's stop sign and exclamation mark, for the dialog's severity
    // icon; loaded once with the others.
    HICON errorSign = nullptr;
    HICON warningSign = nullptr;
    // The same icons at the shell's small-icon size, for the tray. The
    // dialog loads them and destroys them when it is destroyed.
    HICON normalTrayIcon = nullptr;
    HICON warningTrayIcon = nullptr;
    HICON errorTrayIcon = nullptr;

    HBITMAP logo = nullptr;  // replaced on every colour-scheme change
    UINT stopMessage = 0;    // 0 until registered: then nothing counts as stop
    UINT taskbarCreatedMessage = 0;  // the shell's restart broadcast; 0 until registered
    TrayRecord tray;
    PendingTrayChanges trayChanges;  // wait while further status codes do
    // The dialog's severity icon waits with them, and so does a text that
    // replaces the status area's: within a burst only the last one would
    // stay, and the dialog is painted only once no message waits.
    bool dialogIconWaiting = false;
    HICON waitingDialogIcon = nullptr;
    bool statusTextWaiting = false;
    char waitingStatusText[512] = {};

    // The last monitor data key path that could be formed. It starts as a
    // path that opens no key, so that nothing is read before "Monitor" is.
    char monitorDataKeyPath[256] = "\\BidiData";
    ProfileSet profile;  // refreshed from the monitor data key for each code

    // The registry keys each code reads, kept open between codes: the
    // monitor key, the monitor data key and the printer's driver data key.
    KeptKey monitorKey;
    KeptKey dataKey;
    KeptKey driverKey;

    int lastMessageCode = 0;
    int scrollMode = 0;
    bool testMode = false;
};

// The one instance, used by the windows' own code (start-up, the relay window
// and the dialog); everything below them gets what it needs as a parameter.
// Tests reset it by assigning a fresh MonitorState.
extern MonitorState g_monitor;
