// Showing a status code in the dialog and the tray.
#pragma once

#include <windows.h>

#include "state/monitor_state.h"
#include "status/status_code.h"

// Handles one WM_STATUSCODE: resolves the code against the configuration and
// shows what it changed. The replaced text, the severity icons and the tray
// wait while further codes wait in the queue, up to a quarter of a second;
// the last code of a burst shows them. Appended lines show at once.
void HandleStatusCode(HWND dialog, MonitorState& state, int statusCode);

// Replaces the status area's text with the one that waits, if one does:
// before anything else writes into the area.
void ShowWaitingStatusText(HWND dialog, MonitorState& state);

// Shows an outcome in the order of a code's handling: the switch-off (tray
// icon removed, dialog hidden), the caption, the severity icons, then the
// message text in the status area and as the tray tip. An appended line goes
// into the area at once; a replacing text, the icons and the tray's changes
// wait in the state.
void ShowStatusOutcome(HWND dialog, MonitorState& state, const StatusOutcome& outcome);
