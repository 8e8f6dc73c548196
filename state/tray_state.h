// What the monitor knows of its tray icon between messages.
#pragma once

#include <windows.h>

// The balloons shown so far, for the rules that keep alerts from flooding the
// user.
struct BalloonHistory {
    bool any = false;      // a balloon has been shown
    DWORD shownAt = 0;     // the last one's tick count
    int messageCode = 0;   // and message code
    bool calmSince = true; // a state without an alert came after it
};

// The tray icon as the shell holds it, so that it can be added again when the
// shell restarts: whether the monitor wants it shown, its image and its tip;
// and the balloons it showed.
struct TrayRecord {
    bool wanted = false;
    // The dialog is going or gone: no change reaches the shell any more.
    bool closed = false;
    HICON icon = nullptr;
    char tip[64] = {};  // as much of a tip as the shell shows
    BalloonHistory balloons;
};

// What the state that a code left means for alerts.
struct AlertState {
    int severity = 0;       // of the state's entry; 0 for a state without an alert
    int messageCode = 0;
    char text[256] = {};    // the message text
    // Decided when the shell is told of the state: whether it is announced,
    // and with the error sign (else the warning sign).
    bool announce = false;
    bool error = false;
};

// A change of the tray icon that a status code asked for.
struct TrayChange {
    enum Kind { kRemove, kShow, kSetTip };
    Kind kind = kRemove;
    HICON icon = nullptr;  // kShow
    char tip[64] = {};     // kSetTip
};

// Changes of the tray icon that wait, in order, while further status codes
// wait to be handled. Changes that a later one makes redundant are dropped,
// so at most four wait: a removal, a tip, an icon and a tip. Of the alert
// states only the last one counts.
struct PendingTrayChanges {
    TrayChange changes[4];
    int count = 0;
    bool alertWaiting = false;
    AlertState alert;
    DWORD since = 0;  // tick count of the code whose handling queued the oldest
};
