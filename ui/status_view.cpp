#include "ui/status_view.h"

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
    if (severity == kSeverityError) return state.errorIcon;
    if (severity == kSeverityWarning) return state.warningIcon;
    return state.normalIcon;
}

}  // namespace

void HandleStatusCode(HWND dialog, MonitorState& state, int statusCode) {
    StatusOutcome outcome;
    if (ResolveStatusCode(state, statusCode, outcome)) ShowStatusOutcome(dialog, state, outcome);
}

void ShowStatusOutcome(HWND dialog, MonitorState& state, const StatusOutcome& outcome) {
    if (outcome.switchedOff) {
        RemoveTrayIcon(dialog, state.tray);
        ShowWindow(dialog, SW_HIDE);
    }
    if (outcome.captionChanged) SetWindowTextA(dialog, outcome.caption);
    if (!outcome.entryFound) return;

    SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(DialogIconFor(outcome.severity)), 0);
    if (!outcome.switchedOff) ShowTrayIcon(dialog, state.tray, TrayIconFor(state, outcome.severity));
    if (!outcome.textFound) return;

    ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT),
                   outcome.diagnostic ? outcome.line : outcome.text, outcome.append);
    SetTrayTip(dialog, state.tray, outcome.text);
}
