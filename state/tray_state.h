// What the monitor knows of its tray icon between messages.
#pragma once

#include <windows.h>

// The balloons the shell took so far, for the rules that keep alerts from
// flooding the user.
struct BalloonHistory {
    bool any = false;      // the shell has taken a balloon
    DWORD shownAt = 0;     // the last one's tick count
    int messageCode = 0;   // message code
    bool error = false;    // and sign: an error's, else a warning's
    bool calmSince = true; // a state without an alert came after it
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

// The tray icon as the shell holds it, so that it can be added again when the
// shell restarts: whether the monitor wants it shown, its image and its tip;
// and what the shell was told of alerts.
struct TrayRecord {
    bool wanted = false;
    // The dialog is going or gone: no change reaches the shell any more.
    bool closed = false;
    HICON icon = nullptr;
    char tip[64] = {};  // as much of a tip as the shell shows
    BalloonHistory balloons;
    // The state the shell was last told of. It is owed a balloon when the
    // rules let one come but the shell did not take it (a shell that is not
    // up, or is restarting); a balloon that the shell took for it may still
    // be on show, until another state comes.
    AlertState alert;
    bool balloonOwed = false;
    bool balloonOnShow = false;
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
