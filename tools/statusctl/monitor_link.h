// Reaching the running monitor the way the spooler-side language monitor
// does: through its relay window, by posted messages only.
#pragma once

#include <string>
#include <vector>

// The relay window exists, so a monitor runs.
bool IsMonitorRunning();
// Posts WM_STATUSCODE (wParam 0, lParam the code) for each code, in order.
// False when no monitor runs or a post fails.
bool PostStatusCodes(const std::vector<int>& codes, std::string* error);
bool PostQuitRequest(std::string* error);
// Broadcasts the registered stop message; it needs no running monitor. When
// a monitor or printwatch runs, waits until their processes have ended
// (false after 10 seconds).
bool BroadcastStop(std::string* error);

struct MonitorView {
    std::string caption;
    std::string statusText;
    bool visible = false;
    int left = 0, top = 0, width = 0, height = 0;  // the dialog on the screen
};
// What the monitor's dialog shows now. False when no monitor runs.
bool ReadMonitorView(MonitorView* view, std::string* error);

extern const char kNoMonitorError[];
