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
// shell that has restarted with an empty notification area. Then shows the
// balloon that the state the shell was last told of is owed, if the rules
// below still let it come at tick count now.
void RestoreTrayIcon(HWND dialog, TrayRecord& record, DWORD now);

// The same three changes, kept to be made later by ApplyTrayChanges. A change
// that makes earlier ones redundant replaces them, so that applying the rest
// leaves the shell as making every change in turn would.
void QueueRemoveTrayIcon(PendingTrayChanges& pending);
void QueueShowTrayIcon(PendingTrayChanges& pending, HICON icon);
void QueueSetTrayTip(PendingTrayChanges& pending, const char* text);
// Notes what the state a code left means for alerts; of the states noted
// before the changes are made, the last one counts.
void QueueAlertState(PendingTrayChanges& pending, const AlertState& state);
// Makes the waiting changes in order and forgets them; then tells the shell
// of the last alert state at tick count now: a balloon still on show that
// announced another state is taken down, and the new state gets its balloon
// if the rules below let it. The balloon's title is the dialog's caption.
void ApplyTrayChanges(HWND dialog, TrayRecord& record, PendingTrayChanges& pending, DWORD now);

// The rules that keep alerts from flooding the user: a state with an alert
// may have a balloon unless the last balloon the shell took had the same
// message code and no state without an alert came since, or that balloon is
// less than kBalloonInterval old and was not a warning's that this error
// rises from.
constexpr DWORD kBalloonInterval = 30000;
bool BalloonAllowed(const BalloonHistory& history, const AlertState& state, DWORD now);
// Notes in history a balloon that the shell took for state at tick count now.
void NoteBalloon(BalloonHistory& history, const AlertState& state, DWORD now);
// Notes in history that a state without an alert came.
void NoteCalm(BalloonHistory& history);

// Whether changes or an alert state wait.
bool TrayChangesWaiting(const PendingTrayChanges& pending);
// While status codes keep coming, the shell still learns the state this
// often (milliseconds).
constexpr DWORD kTrayChangesMaxWait = 250;
// Whether changes wait that are kTrayChangesMaxWait old or older at tick
// count now.
bool TrayChangesOverdue(const PendingTrayChanges& pending, DWORD now);
