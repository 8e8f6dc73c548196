// The monitor's process from start to end.
#pragma once

#include <windows.h>

// Starts the monitor unless one runs already, and runs its message loop until
// the status dialog ends it. Returns the exit code: 0, or 1 when the dialog
// could not be created or fetching a message failed (the dialog, and with it
// the tray icon, is destroyed first).
int RunMonitor(HINSTANCE instance, const char* arguments);
