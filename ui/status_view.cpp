#include "ui/status_view.h"

#include "protocol/messages.h"
#include "text/text.h"
#include "tray/tray_record.h"
#include "ui/resource.h"
#include "ui/status_text.h"

namespace {

// The system's own icons for the dialog; none for a normal status.
HICON DialogIconFor(const MonitorState& state, int severity) {
    if (severity == kSeverityError) return state.errorSign;
    if (severity == kSeverityWarning) return state.warningSign;
    return nullptr;
}

// Setting the icon repaints its control at once, so only a change is set.
void SetDialogIcon(HWND dialog, HICON icon) {
    const LRESULT shown = SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_GETICON, 0, 0);
    if (reinterpret_cast<HICON>(shown) == icon) return;
    SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

HICON TrayIconFor(const MonitorState& state, int severity) {
    if (severity == kSeverityError) return state.errorTrayIcon;
    if (severity == kSeverityWarning) return state.warningTrayIcon;
    return state.normalTrayIcon;
}

// A state with its text: one that may be announced, unless the tray does not
// show it.
AlertState AlertStateOf(const StatusOutcome& outcome) {
    AlertState state;
    state.severity = outcome.switchedOff ? 0 : outcome.severity;
    state.messageCode = outcome.messageCode;
    CopyBounded(state.text, outcome.text);
    return state;
}

// Of the states within a burst only the one the shell is told of can be
// announced: its "Alert" is read then, for the last code's driver.
void DecideAlert(const MonitorState& state, AlertState& alert) {
    alert.announce = IsAnnounced(state.profile, alert.severity);
    alert.error = alert.severity == kSeverityError;
}

// Whether a status code waits in the thread's queue for the window. The look
// may also find messages for the window's children, so the first one found
// must be the window's own. Nothing is taken out of the queue.
bool StatusCodeWaitingFor(HWND window) {
    MSG message;
    return window != nullptr &&
           PeekMessageA(&message, window, WM_STATUSCODE, WM_STATUSCODE, PM_NOREMOVE) != FALSE &&
           message.hwnd == window;
}

// Whether another status code waits, for the dialog or still for the relay
// window. Only these count: the same number posted to the thread itself, or
// to any other window, is not a status code, and no change waits for it.
bool StatusCodeWaiting(HWND dialog, const MonitorState& state) {
    return StatusCodeWaitingFor(dialog) || StatusCodeWaitingFor(state.relayWindow);
}

bool ChangesWaiting(const MonitorState& state) {
    return state.dialogIconWaiting || state.statusTextWaiting || TrayChangesWaiting(state.trayChanges);
}

// Shows the state that the codes handled so far left: the dialog's text and
// icon, then the tray's changes and the balloon they may bring.
void ApplyWaitingChanges(HWND dialog, MonitorState& state, DWORD now) {
    ShowWaitingStatusText(dialog, state);
    if (state.dialogIconWaiting) {
        state.dialogIconWaiting = false;
        SetDialogIcon(dialog, state.waitingDialogIcon);
    }
    PendingTrayChanges& pending = state.trayChanges;
    if (pending.alertWaiting) DecideAlert(state, pending.alert);
    ApplyTrayChanges(dialog, state.tray, pending, now);
}

}  // namespace

void ShowWaitingStatusText(HWND dialog, MonitorState& state) {
    if (!state.statusTextWaiting) return;
    state.statusTextWaiting = false;
    ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT), state.waitingStatusText, false);
}

void HandleStatusCode(HWND dialog, MonitorState& state, int statusCode) {
    const DWORD now = GetTickCount();
    // What this code queues is the oldest change when none waits yet.
    if (!ChangesWaiting(state)) state.trayChanges.since = now;
    StatusOutcome outcome;
    if (ResolveStatusCode(state, statusCode, outcome)) ShowStatusOutcome(dialog, state, outcome);
    // Each change of the tray icon waits for the shell's process. Within a
    // burst of codes only the last state is ever seen, so the shell is told
    // when no further code waits, and while codes keep coming at least every
    // kTrayChangesMaxWait milliseconds. Looking into the queue handles the
    // messages sent to the dialog meanwhile: a stop message among them drops
    // the changes with the dialog.
    if (!ChangesWaiting(state)) return;
    if (TrayChangesOverdue(state.trayChanges, now) || !StatusCodeWaiting(dialog, state)) {
        ApplyWaitingChanges(dialog, state, now);
    }
}

void ShowStatusOutcome(HWND dialog, MonitorState& state, const StatusOutcome& outcome) {
    PendingTrayChanges& pending = state.trayChanges;
    // A state without an alert: switched off, or an entry without its text.
    // A code without an entry leaves the state as it was.
    const AlertState calm;
    if (outcome.switchedOff) {
        QueueRemoveTrayIcon(pending);
        QueueAlertState(pending, calm);
        if (IsWindowVisible(dialog)) ShowWindow(dialog, SW_HIDE);
    }
    if (outcome.captionChanged) SetWindowTextA(dialog, outcome.caption);
    if (!outcome.entryFound) return;

    state.dialogIconWaiting = true;
    state.waitingDialogIcon = DialogIconFor(state, outcome.severity);
    if (!outcome.switchedOff) QueueShowTrayIcon(pending, TrayIconFor(state, outcome.severity));
    if (!outcome.textFound) {
        QueueAlertState(pending, calm);
        return;
    }

    const char* shown = outcome.diagnostic ? outcome.line : outcome.text;
    if (outcome.append) {
        // The history keeps every code's line, after the text before it.
        ShowWaitingStatusText(dialog, state);
        ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT), shown, true);
    } else {
        state.statusTextWaiting = true;
        CopyBounded(state.waitingStatusText, shown);
    }
    QueueSetTrayTip(pending, outcome.text);
    QueueAlertState(pending, AlertStateOf(outcome));
}
