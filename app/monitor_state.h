// The process-wide state of the monitor: one instance, used on the one thread.
#pragma once

#include <windows.h>

struct MonitorState {
    HINSTANCE instance = nullptr;
    HWND dialog = nullptr;

    bool startRequest = false;  // "/S" was given
    bool win95Family = false;   // at most one of the two platform flags is set
    bool winNtFamily = false;

    // Loaded once by the dialog from the program's resources; never freed.
    HICON normalIcon = nullptr;
    HICON warningIcon = nullptr;
    HICON errorIcon = nullptr;

    HBITMAP logo = nullptr;  // replaced on every colour-scheme change
    UINT stopMessage = 0;    // 0 until registered: then nothing counts as stop
    UINT taskbarCreatedMessage = 0;  // the shell's restart broadcast; 0 until registered

    // The tray icon as the monitor last set it, to add it again when the
    // shell restarts: whether it should be there, its image and its tip.
    bool trayIconWanted = false;
    HICON trayIcon = nullptr;
    char trayTip[64] = {};  // as much of a tip as the shell shows

    char monitorDataKeyPath[256] = {};
    char profilePath[260] = {};
    char defaultProfilePath[260] = {};
    char driverName[256] = {};
    char driverClass[5] = {};

    int currentLanguage = -1;  // -1, so the first code always sets the caption
    int lastMessageCode = 0;
    int scrollMode = 0;
    bool testMode = false;
};

// The one instance. Tests reset it by assigning a fresh MonitorState.
extern MonitorState g_monitor;
