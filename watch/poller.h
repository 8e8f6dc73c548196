// The polls, on a worker thread of their own: each asks the printer, turns
// what came into a status code and posts it to printwatch's window, then
// waits the interval. A poll may block for the time limits; the program's
// end never waits for the thread, so it never waits for a poll.
#pragma once

#include <windows.h>

#include "ipp/printer_uri.h"
#include "watch/winhttp_api.h"

// Posted to printwatch's window after every poll; wParam is the code.
constexpr UINT WM_WATCHCODE = WM_APP + 1;

struct PollerSetup {
    HWND window = nullptr;
    // An address from the command line; without one, the stored address
    // and interval are read afresh before every poll.
    bool fixedUri = false;
    PrinterUri uri;  // the command line's, or the one stored at the start
    int interval = 0;  // from the command line; 0: the stored one, or the default
};

// Starts the thread. It runs until the window is gone or the process ends;
// what it holds is never freed, since it may be in use to the very end.
bool StartPoller(const WinHttpApi& api, const PollerSetup& setup);
