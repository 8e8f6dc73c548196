// The monitor's own tray icon: the tray operations for the status dialog's
// icon, each noting in a TrayRecord what the shell now holds, so that a
// restarted shell gets the icon back as it was.
#pragma once

#include <windows.h>

#include "state/monitor_state.h"

// Tip of a tray icon that has just been added.
constexpr const char* kFirstTrayTip = "Printer Status";

// Changes the icon's image, or adds the icon with the first tip when the
// shell has none to change.
void ShowTrayIcon(HWND dialog, TrayRecord& record, HICON icon);
// Sets the tip to text (cut to what the shell shows).
void SetTrayTip(HWND dialog, TrayRecord& record, const char* text);
// Removes the icon; a restarted shell does not get it back.
void RemoveTrayIcon(HWND dialog, TrayRecord& record);
// Adds the icon again as the record holds it, unless it was removed: for a
// shell that has restarted with an empty notification area.
void RestoreTrayIcon(HWND dialog, const TrayRecord& record);
