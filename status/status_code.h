// What one status code means: from the registry and the status profile to
// what the dialog and the tray are to show. Reads the configuration afresh
// and updates the monitor state; the window code shows the outcome.
#pragma once

#include "config/status_profile.h"
#include "state/monitor_state.h"

// Severities of a status entry; any other value shows as normal.
constexpr int kSeverityError = 1;
constexpr int kSeverityWarning = 2;

// Values of "Alert" in the driver's status profile: which severities the
// shell's balloon announces. Any other value, as a missing one, announces none.
constexpr int kAlertErrors = 1;
constexpr int kAlertErrorsAndWarnings = 2;

// Whether a state of this severity is announced under that "Alert" value.
bool AlertsFor(int alertSetting, int severity);
// Whether the profile set's "Alert", read afresh, announces a state of this
// severity. Read only for an error or a warning, where it can tell.
bool IsAnnounced(const ProfileSet& profile, int severity);

// What a handled code changes, in the order in which it is to be shown. Each
// part is set only when the handling got that far.
struct StatusOutcome {
    // The driver's bidirectional switch is off: the tray icon goes and the
    // dialog hides.
    bool switchedOff = false;

    // The language changed: the dialog's new caption.
    bool captionChanged = false;
    char caption[kProfileTextSize] = {};

    // A status entry was found: its severity, for the dialog's icon and,
    // unless switched off, the tray icon.
    bool entryFound = false;
    int severity = 0;
    int messageCode = 0;

    // Its message text was found: the text (also the tray tip), and what the
    // status area shows, appended in scroll mode.
    bool textFound = false;
    char text[kProfileTextSize] = {};
    bool diagnostic = false;  // test mode: the status area shows line instead
    char line[512] = {};
    bool append = false;
};

// Codes from here on are dropped when they repeat the last message code.
constexpr int kFirstRepeatCheckedCode = 10000;

// Handles statusCode for the monitor state: the repeat test, the driver's
// configuration from the monitor data key, the driver settings, the caption,
// the scroll mode, the status entry and its message text. Returns false, with
// nothing to show, when the repeat test drops the code.
bool ResolveStatusCode(MonitorState& state, int statusCode, StatusOutcome& outcome);
