#include "config/status_profile.h"

#include <windows.h>

#include "config/file_path.h"
#include "protocol/config_names.h"
#include "text/text.h"

namespace {

// One attempt of a chain. An empty file name, or a section name that did not
// fit its buffer (empty as well), finds nothing without touching the disk; so
// does a file name that names a device or a network share, which could block.
bool ReadProfileValue(const char* section, const char* key, char* out, std::size_t size,
                      const char* file) {
    if (section[0] == '\0' || !IsPlainFilePath(file)) return false;
    return GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(size), file) > 0;
}

bool LookupPlain(const ProfileSet& profile, const char* key, char* out, std::size_t size) {
    return ReadProfileValue(profile.driverName, key, out, size, profile.profilePath) ||
           ReadProfileValue(kDefaultSection, key, out, size, profile.profilePath) ||
           ReadProfileValue(kDefaultSection, key, out, size, profile.defaultProfilePath);
}

bool LookupLocalized(const ProfileSet& profile, const char* key, char* out, std::size_t size) {
    char section[256];
    // A driver name too long for its language section counts as not found.
    (void)FormatText(section, sizeof section, kDriverLanguageSectionFormat, profile.driverName,
                     profile.language);
    if (ReadProfileValue(section, key, out, size, profile.profilePath)) return true;
    (void)FormatText(section, sizeof section, kDefaultLanguageSectionFormat, profile.language);
    return ReadProfileValue(section, key, out, size, profile.profilePath);
}

// A number of the driver section of the status profile; 0 when it is missing.
// A status profile that names a device or a share is not opened (it could
// block): 0, as for a profile that lacks the key.
int ReadDriverSectionInt(const ProfileSet& profile, const char* key) {
    if (!IsPlainFilePath(profile.profilePath)) return 0;
    return static_cast<int>(GetPrivateProfileIntA(profile.driverName, key, 0, profile.profilePath));
}

}  // namespace

bool LookupProfileString(const ProfileSet& profile, const char* key, char* out, std::size_t size,
                         bool localized) {
    if (size == 0) return false;
    const bool found = localized ? LookupLocalized(profile, key, out, size)
                                 : LookupPlain(profile, key, out, size);
    if (!found) out[0] = '\0';
    return found;
}

void LookupCaption(const ProfileSet& profile, const char* key, char (&caption)[kProfileTextSize]) {
    if (!LookupProfileString(profile, key, caption, sizeof caption, true)) {
        (void)FormatText(caption, sizeof caption, "\"%s\" not found!", key);
    }
}

int ReadScrollMode(const ProfileSet& profile) { return ReadDriverSectionInt(profile, kScrollMsgKey); }

int ReadAlertSetting(const ProfileSet& profile) { return ReadDriverSectionInt(profile, kAlertKey); }
