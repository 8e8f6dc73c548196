// Delivering printwatch's status code to the monitor's relay window as a
// language monitor does: a code is posted only when it differs from the last
// one posted, and a relay window that is new (a monitor started or
// restarted since) gets the current code when it is first seen, so that no
// monitor stays on the first code it stored.
#pragma once

#include <windows.h>

class RelayPoster {
public:
    // The code of the latest poll.
    void SetCode(int code);
    // Looks for the relay window and posts the current code when it is due.
    // Called after each poll and twice a second.
    void Deliver();

private:
    bool haveCode_ = false;  // none before the first poll has ended
    int code_ = 0;
    // The relay window the last code went to, with its process: a window
    // handle alone may come back for another window.
    HWND relay_ = nullptr;
    DWORD relayProcess_ = 0;
    int postedCode_ = 0;
};
