#include "config/driver_settings.h"

#include <windows.h>

#include "config/file_path.h"
#include "config/reg_key.h"
#include "protocol/config_names.h"
#include "text/field_list.h"
#include "text/text.h"

namespace {

// The printer's driver data key. Its fixed text takes 66 characters, so
// driver names of up to 189 characters fit; a longer one forms no path and
// finds nothing.
bool FormatDriverDataPath(char (&path)[256], const char* driverName) {
    return FormatText(path, sizeof path, kDriverDataKeyFormat, kPrintersKeyPath, driverName);
}

DriverSettings ReadWin95Settings(const char* driverClass) {
    DriverSettings settings;

    // The driver class has at most four characters, so both names fit.
    char iniFile[260];
    (void)FormatText(iniFile, sizeof iniFile, kDriverIniFileFormat, driverClass);
    // Off unless the driver INI file turns it on. A class such as "COM1" or
    // "NUL" makes a device name ("COM1.INI" is the port): not opened, as it
    // could block, and so off, as for a missing file.
    settings.bidi = IsPlainFilePath(iniFile)
                        ? static_cast<int>(
                              GetPrivateProfileIntA(kDriverIniSection, kUseBidiKey, 0, iniFile))
                        : 0;

    char key[80];
    (void)FormatText(key, sizeof key, kLanguageKeyFormat, driverClass);
    char value[80];
    if (GetPrivateProfileStringA(kLanguageSection, key, "", value, sizeof value, kWinIniFile) > 0) {
        // The third field, every comma starting a new one: "A,,7" gives 7.
        FieldList fields;
        fields.Split(value, ',', FieldList::kNoLimit);
        settings.language = fields.FieldInt(2);
    }
    return settings;
}

// Both values from the printer's driver data key, opened once. A value that
// is missing, or whose name does not fit, leaves its setting at 1.
DriverSettings ReadNtSettings(const char* driverName, const char* driverClass, KeptKey& driverKey) {
    DriverSettings settings;
    char name[256];
    if (!FormatDriverDataPath(name, driverName)) return settings;
    RegKey key(driverKey, HKEY_LOCAL_MACHINE, name, KEY_READ);
    if (FormatText(name, sizeof name, kBidiModeValueFormat, driverName)) {
        const char* value = key.QueryString(name);
        if (value[0] != '\0') settings.bidi = ParseDecimal(value);
    }
    // The driver class has at most four characters, so the name fits.
    (void)FormatText(name, sizeof name, kLanguageValueFormat, driverClass);
    settings.language = ParseNtLanguage(key.QueryString(name));
    return settings;
}

}  // namespace

DriverSettings ReadDriverSettings(PlatformFamily platform, const ProfileSet& profile, KeptKey& driverKey) {
    if (platform == PlatformFamily::kWin95) return ReadWin95Settings(profile.driverClass);
    if (platform == PlatformFamily::kWinNt) {
        return ReadNtSettings(profile.driverName, profile.driverClass, driverKey);
    }
    return DriverSettings();
}
