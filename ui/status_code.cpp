#include "ui/status_code.h"

#include <cstdio>

#include "app/messages.h"
#include "app/monitor_state.h"
#include "config/driver_settings.h"
#include "config/reg_key.h"
#include "config/status_profile.h"
#include "support/field_list.h"
#include "support/text.h"
#include "tray/tray_icon.h"
#include "ui/resource.h"
#include "ui/status_text.h"

namespace {

// Codes from here on are dropped when they repeat the last message code.
constexpr int kFirstRepeatCheckedCode = 10000;

enum Severity { kError = 1, kWarning = 2 };

// The system's own icons for the dialog; none for a normal status.
HICON DialogIconFor(int severity) {
    if (severity == kError) return LoadIconA(nullptr, MAKEINTRESOURCEA(32513));       // IDI_HAND
    if (severity == kWarning) return LoadIconA(nullptr, MAKEINTRESOURCEA(32515));     // IDI_EXCLAMATION
    return nullptr;
}

HICON TrayIconFor(int severity) {
    if (severity == kError) return g_monitor.errorIcon;
    if (severity == kWarning) return g_monitor.warningIcon;
    return g_monitor.normalIcon;
}

// Copies the values the handling needs into the monitor state, each cut to
// its field; the key reuses its buffer, so each is copied before the next read.
void CopyMonitorData(RegKey& key) {
    CopyBounded(g_monitor.profilePath, key.QueryString("Profile"));
    CopyBounded(g_monitor.defaultProfilePath, key.QueryString("ProfileDefault"));
    CopyBounded(g_monitor.driverName, key.QueryString("Driver"));
    CopyBounded(g_monitor.driverClass, key.QueryString("DriverClass"));
}

// Test mode's line: the status code, field 0 in automatic base, severity,
// message code, the "Display" value and the message text. Cut at 511.
void FormatDiagnosticLine(char (&line)[512], int statusCode, const FieldList& fields,
                          int severity, int messageCode, RegKey& key, const char* text) {
    char display[260];
    CopyBounded(display, key.QueryString("Display"));
    (void)std::snprintf(line, sizeof line, "%05d %2d %d %05d \"%s\" \"%s\"", statusCode,
                        ParseAutoBase(fields.Field(0)), severity, messageCode, display, text);
}

}  // namespace

void HandleStatusCode(HWND dialog, int statusCode) {
    MonitorState& state = g_monitor;
    if (statusCode >= kFirstRepeatCheckedCode && statusCode == state.lastMessageCode) return;
    state.lastMessageCode = statusCode;

    RegKey key(HKEY_LOCAL_MACHINE, state.monitorDataKeyPath);
    CopyMonitorData(key);

    const DriverSettings settings = ReadDriverSettings();
    if (settings.bidi == 0) {
        state.trayIconWanted = false;
        TrayIconDelete(dialog, ID_TRAYICON);
        ShowWindow(dialog, SW_HIDE);
    }
    if (state.profilePath[0] == '\0' || state.driverName[0] == '\0') return;

    if (settings.language != state.currentLanguage) {
        state.currentLanguage = settings.language;
        SetCaptionFromProfile(dialog, "Caption");
    }
    // A status profile that names a device or a share is not opened (it could
    // block): no scroll mode, as for a profile that lacks the key.
    state.scrollMode = IsPlainFilePath(state.profilePath)
                           ? static_cast<int>(GetPrivateProfileIntA(state.driverName, "ScrollMsg",
                                                                    0, state.profilePath))
                           : 0;

    char text[kProfileTextSize];
    if (!LookupProfileString(FormatCodeKey(statusCode).text, text, sizeof text, false)) return;
    FieldList fields;
    fields.Split(text, ',', FieldList::kNoLimit);

    const int severity = fields.FieldInt(1);
    SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(DialogIconFor(severity)), 0);
    if (settings.bidi != 0) {
        state.trayIconWanted = true;
        state.trayIcon = TrayIconFor(severity);
        TrayIconUpdate(dialog, ID_TRAYICON, WM_TRAYNOTIFY, state.trayIcon, kFirstTrayTip);
    }

    const int messageCode = fields.FieldInt(2);
    state.lastMessageCode = messageCode;
    // The fields stay valid: the list holds its own copy of the entry.
    if (!LookupProfileString(FormatCodeKey(messageCode).text, text, sizeof text, true)) return;

    HWND area = GetDlgItem(dialog, IDC_STATUSTEXT);
    const bool append = state.scrollMode != 0;
    if (state.testMode) {
        char line[512];
        FormatDiagnosticLine(line, statusCode, fields, severity, messageCode, key, text);
        ShowStatusText(area, line, append);
    } else {
        ShowStatusText(area, text, append);
    }
    CopyBounded(state.trayTip, text);
    TrayIconSetTip(dialog, ID_TRAYICON, text);
}
