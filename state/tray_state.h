// What the monitor knows of its tray icon between messages.
#pragma once

#include <windows.h>

// The tray icon as the shell holds it, so that it can be added again when the
// shell restarts: whether the monitor wants it shown, its image and its tip.
struct TrayRecord {
    bool wanted = false;
    // The dialog is going or gone: no change reaches the shell any more.
    bool closed = false;
    HICON icon = nullptr;
    char tip[64] = {};  // as much of a tip as the shell shows
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
// so at most four wait: a removal, a tip, an icon and a tip.
struct PendingTrayChanges {
    TrayChange changes[4];
    int count = 0;
    DWORD since = 0;  // tick count of the code whose handling queued the oldest
};
