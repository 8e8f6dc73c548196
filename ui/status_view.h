// Showing a status code in the dialog and the tray.
#pragma once

#include <windows.h>

#include "state/monitor_state.h"
#include "status/status_code.h"

// Handles one WM_STATUSCODE: resolves the code against the configuration and
// shows what it changed. The severity icons' changes wait while further codes
// wait in the queue, up to a quarter of a second; the last code of a burst
// makes them.
void HandleStatusCode(HWND dialog, MonitorState& state, int statusCode);

// Shows an outcome in the order of a code's handling: the switch-off (tray
// icon removed, dialog hidden), the caption, the severity icons, then the
// message text in the status area and as the tray tip. The changes of the
// icons and the tray are queued in the state's waiting changes.
void ShowStatusOutcome(HWND dialog, MonitorState& state, const StatusOutcome& outcome);
