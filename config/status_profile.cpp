#include "config/status_profile.h"

#include "app/monitor_state.h"
#include "support/text.h"

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

// The last part of a path: after the drive and the last separator. Stepped
// with CharNextA, since a double-byte character's second byte may be '\\'.
const char* LastPathPart(const char* path) {
    const char* part = path;
    if (path[0] != '\0' && path[1] == ':') part = path + 2;
    for (const char* p = part; *p != '\0'; p = CharNextA(p)) {
        if (IsSlash(*p)) part = p + 1;
    }
    return part;
}

// The system treats these names as devices in every directory, whatever
// extension follows ("nul.ini") and with blanks or a colon after them.
bool IsDeviceName(const char* part) {
    static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1",   "COM2",
                                           "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
                                           "COM9", "LPT1", "LPT2", "LPT3", "LPT4",   "LPT5",
                                           "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$",
                                           "CLOCK$"};
    char name[8];
    std::size_t length = 0;
    while (part[length] != '\0' && part[length] != '.' && part[length] != ':') {
        if (length == sizeof name - 1) return false;  // longer than any device name
        name[length] = part[length];
        ++length;
    }
    while (length > 0 && name[length - 1] == ' ') --length;
    name[length] = '\0';
    for (const char* device : kDevices) {
        if (lstrcmpiA(name, device) == 0) return true;
    }
    return false;
}

// One attempt of a chain. An empty file name, or a section name that did not
// fit its buffer (empty as well), finds nothing without touching the disk; so
// does a file name that names a device or a network share, which could block.
bool ReadProfileValue(const char* section, const char* key, char* out, std::size_t size,
                      const char* file) {
    if (section[0] == '\0' || !IsPlainFilePath(file)) return false;
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

bool IsPlainFilePath(const char* path) {
    if (path[0] == '\0') return false;
    if (IsSlash(path[0]) && IsSlash(path[1])) return false;
    return !IsDeviceName(LastPathPart(path));
}

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
