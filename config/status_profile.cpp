#include "config/status_profile.h"

#include "app/monitor_state.h"
#include "support/text.h"

namespace {

// One attempt of a chain. An empty file name, or a section name that did not
// fit its buffer (empty as well), finds nothing without touching the disk.
bool ReadProfileValue(const char* section, const char* key, char* out, std::size_t size,
                      const char* file) {
    if (section[0] == '\0' || file[0] == '\0') return false;
    return GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(size), file) > 0;
}

bool LookupPlain(const char* key, char* out, std::size_t size) {
    const MonitorState& state = g_monitor;
    return ReadProfileValue(state.driverName, key, out, size, state.profilePath) ||
           ReadProfileValue("Default", key, out, size, state.profilePath) ||
           ReadProfileValue("Default", key, out, size, state.defaultProfilePath);
}

bool LookupLocalized(const char* key, char* out, std::size_t size) {
    const MonitorState& state = g_monitor;
    char section[256];
    // A driver name too long for its language section counts as not found.
    (void)FormatText(section, sizeof section, "%s,%03d", state.driverName, state.currentLanguage);
    if (ReadProfileValue(section, key, out, size, state.profilePath)) return true;
    (void)FormatText(section, sizeof section, "Default,%03d", state.currentLanguage);
    return ReadProfileValue(section, key, out, size, state.profilePath);
}

}  // namespace

bool LookupProfileString(const char* key, char* out, std::size_t size, bool localized) {
    if (size == 0) return false;
    const bool found = localized ? LookupLocalized(key, out, size) : LookupPlain(key, out, size);
    if (!found) out[0] = '\0';
    return found;
}

void SetCaptionFromProfile(HWND window, const char* key) {
    char caption[kProfileTextSize];
    if (!LookupProfileString(key, caption, sizeof caption, true)) {
        (void)FormatText(caption, sizeof caption, "\"%s\" not found!", key);
    }
    SetWindowTextA(window, caption);
}
