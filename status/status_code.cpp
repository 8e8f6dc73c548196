#include "status/status_code.h"

#include <windows.h>

#include <cstdio>

#include "config/driver_settings.h"
#include "config/reg_key.h"
#include "protocol/config_names.h"
#include "text/field_list.h"
#include "text/text.h"

namespace {

// Copies the values the handling needs into the profile set, each cut to its
// field; the key reuses its buffer, so each is copied before the next read.
void CopyMonitorData(RegKey& key, ProfileSet& profile) {
    CopyBounded(profile.profilePath, key.QueryString(kProfileValue));
    CopyBounded(profile.defaultProfilePath, key.QueryString(kProfileDefaultValue));
    CopyBounded(profile.driverName, key.QueryString(kDriverValue));
    CopyBounded(profile.driverClass, key.QueryString(kDriverClassValue));
}

// Test mode's line: the status code, field 0 in automatic base, severity,
// message code, the "Display" value and the message text. Cut at 511, after
// a whole character.
void FormatDiagnosticLine(char (&line)[512], int statusCode, const FieldList& fields,
                          int severity, int messageCode, RegKey& key, const char* text) {
    char display[260];
    CopyBounded(display, key.QueryString(kDisplayValue));
    // Room for any line: four numbers of up to 11 characters, the display
    // text and a message text of up to 255, and the blanks and quotes.
    char whole[4 * 11 + 259 + 255 + 16];
    (void)std::snprintf(whole, sizeof whole, "%05d %2d %d %05d \"%s\" \"%s\"", statusCode,
                        ParseAutoBase(fields.Field(0)), severity, messageCode, display, text);
    CopyBounded(line, whole);
}

}  // namespace

bool AlertsFor(int alertSetting, int severity) {
    if (severity == kSeverityError) return alertSetting == kAlertErrors || alertSetting == kAlertErrorsAndWarnings;
    if (severity == kSeverityWarning) return alertSetting == kAlertErrorsAndWarnings;
    return false;
}

bool IsAnnounced(const ProfileSet& profile, int severity) {
    // Only an error or a warning can be announced: for others the profile is
    // not read at all.
    if (severity != kSeverityError && severity != kSeverityWarning) return false;
    return AlertsFor(ReadAlertSetting(profile), severity);
}

bool ResolveStatusCode(MonitorState& state, int statusCode, StatusOutcome& outcome) {
    if (statusCode >= kFirstRepeatCheckedCode && statusCode == state.lastMessageCode) return false;
    state.lastMessageCode = statusCode;

    ProfileSet& profile = state.profile;
    RegKey key(state.dataKey, HKEY_LOCAL_MACHINE, state.monitorDataKeyPath, KEY_READ);
    CopyMonitorData(key, profile);

    const DriverSettings settings = ReadDriverSettings(state.platform, profile, state.driverKey);
    outcome.switchedOff = settings.bidi == 0;
    if (profile.profilePath[0] == '\0' || profile.driverName[0] == '\0') return true;

    if (settings.language != profile.language) {
        profile.language = settings.language;
        outcome.captionChanged = true;
        LookupCaption(profile, kCaptionKey, outcome.caption);
    }
    state.scrollMode = ReadScrollMode(profile);

    char text[kProfileTextSize];
    if (!LookupProfileString(profile, FormatCodeKey(statusCode).text, text, sizeof text, false)) {
        return true;
    }
    FieldList fields;
    fields.Split(text, ',', FieldList::kNoLimit);
    outcome.entryFound = true;
    outcome.severity = fields.FieldInt(1);

    const int messageCode = fields.FieldInt(2);
    outcome.messageCode = messageCode;
    state.lastMessageCode = messageCode;
    // The fields stay valid: the list holds its own copy of the entry.
    if (!LookupProfileString(profile, FormatCodeKey(messageCode).text, text, sizeof text, true)) {
        return true;
    }
    outcome.textFound = true;
    CopyBounded(outcome.text, text);
    outcome.append = state.scrollMode != 0;
    outcome.diagnostic = state.testMode;
    if (state.testMode) {
        FormatDiagnosticLine(outcome.line, statusCode, fields, outcome.severity, messageCode, key,
                             text);
    }
    return true;
}
