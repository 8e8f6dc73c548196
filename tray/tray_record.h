// The monitor's own tray icon: the tray operations for the status dialog's
// icon, each noting in a TrayRecord what the shell now holds, so that a
// restarted shell gets the icon back as it was.
#pragma once

#include <windows.h>

#include "state/tray_state.h"

// Tip of a tray icon that has just been added.
constexpr const char* kFirstTrayTip = "Printer Status";

// Changes the icon's image, or adds the icon with the first tip when the
// shell has none to change.
void ShowTrayIcon(HWND dialog, TrayRecord& record, HICON icon);
// Sets the tip to text (cut to what the shell shows).
void SetTrayTip(HWND dialog, TrayRecord& record, const char* text);
// Removes the icon; a restarted shell does not get it back.
void RemoveTrayIcon(HWND dialog, TrayRecord& record);
// Removes the icon for good as the dialog goes: the waiting changes go with
// it, and no later change, nor one that the shell's call under way was about
// to make, reaches the shell.
void CloseTrayIcon(HWND dialog, TrayRecord& record, PendingTrayChanges& pending);
// Adds the icon again as the record holds it, unless it was removed: for a
// shell that has restarted with an empty notification area.
void RestoreTrayIcon(HWND dialog, const TrayRecord& record);

// The same three changes, kept to be made later by ApplyTrayChanges. A change
// that makes earlier ones redundant replaces them, so that applying the rest
// leaves the shell as making every change in turn would.
void QueueRemoveTrayIcon(PendingTrayChanges& pending);
void QueueShowTrayIcon(PendingTrayChanges& pending, HICON icon);
void QueueSetTrayTip(PendingTrayChanges& pending, const char* text);
// Makes the waiting changes in order and forgets them.
void ApplyTrayChanges(HWND dialog, TrayRecord& record, PendingTrayChanges& pending);

// While status codes keep coming, the shell still learns the state this
// often (milliseconds).
constexpr DWORD kTrayChangesMaxWait = 250;
// Whether changes wait that are kTrayChangesMaxWait old or older at tick
// count now.
bool TrayChangesOverdue(const PendingTrayChanges& pending, DWORD now);
