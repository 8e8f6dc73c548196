#include "ui/status_view.h"

#include "protocol/messages.h"
#include "tray/tray_record.h"
#include "ui/resource.h"
#include "ui/status_text.h"

namespace {

// The system's own icons for the dialog; none for a normal status.
HICON DialogIconFor(int severity) {
    if (severity == kSeverityError) return LoadIconA(nullptr, MAKEINTRESOURCEA(32513));    // IDI_HAND
    if (severity == kSeverityWarning) return LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_EXCLAMATION
    return nullptr;
}

HICON TrayIconFor(const MonitorState& state, int severity) {
    if (severity == kSeverityError) return state.errorTrayIcon;
    if (severity == kSeverityWarning) return state.warningTrayIcon;
    return state.normalTrayIcon;
}

// Whether another status code waits in the thread's queue, for the dialog
// or still for the relay window. Nothing is taken out of the queue.
bool StatusCodeWaiting() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_STATUSCODE, WM_STATUSCODE, PM_NOREMOVE) != FALSE;
}

}  // namespace

void HandleStatusCode(HWND dialog, MonitorState& state, int statusCode) {
    StatusOutcome outcome;
    if (ResolveStatusCode(state, statusCode, outcome)) ShowStatusOutcome(dialog, state, outcome);
    // Each change of the tray icon waits for the shell's process. Within a
    // burst of codes only the last state is ever seen, so the shell is told
    // once, when no further code waits.
    if (!StatusCodeWaiting()) ApplyTrayChanges(dialog, state.tray, state.trayChanges);
}

void ShowStatusOutcome(HWND dialog, MonitorState& state, const StatusOutcome& outcome) {
    if (outcome.switchedOff) {
        QueueRemoveTrayIcon(state.trayChanges);
        ShowWindow(dialog, SW_HIDE);
    }
    if (outcome.captionChanged) SetWindowTextA(dialog, outcome.caption);
    if (!outcome.entryFound) return;

    SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(DialogIconFor(outcome.severity)), 0);
    if (!outcome.switchedOff) QueueShowTrayIcon(state.trayChanges, TrayIconFor(state, outcome.severity));
    if (!outcome.textFound) return;

    ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT),
                   outcome.diagnostic ? outcome.line : outcome.text, outcome.append);
    QueueSetTrayTip(state.trayChanges, outcome.text);
}
