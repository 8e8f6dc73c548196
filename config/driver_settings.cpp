#include "config/driver_settings.h"

#include <windows.h>

#include "app/monitor_state.h"
#include "config/reg_key.h"
#include "config/status_profile.h"
#include "support/field_list.h"
#include "support/text.h"

namespace {

// The printer's driver data key. Its fixed text takes 66 characters, so
// driver names of up to 189 characters fit; a longer one forms no path and
// finds nothing.
bool FormatDriverDataPath(char (&path)[256]) {
    return FormatText(path, sizeof path,
                      "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\%s\\PrinterDriverData",
                      g_monitor.driverName);
}

DriverSettings ReadWin95Settings() {
    DriverSettings settings;
    const char* driverClass = g_monitor.driverClass;

    // The driver class has at most four characters, so both names fit.
    char iniFile[260];
    (void)FormatText(iniFile, sizeof iniFile, "%s.INI", driverClass);
    // Off unless the driver INI file turns it on. A class such as "COM1" or
    // "NUL" makes a device name ("COM1.INI" is the port): not opened, as it
    // could block, and read as a file without the key.
    if (IsPlainFilePath(iniFile)) {
        settings.bidi = static_cast<int>(GetPrivateProfileIntA("Settings", "UseBidi", 0, iniFile));
    }

    char key[80];
    (void)FormatText(key, sizeof key, "%sW.DRV", driverClass);
    char value[80];
    if (GetPrivateProfileStringA("DRVLIBINTL", key, "", value, sizeof value, "WIN.INI") > 0) {
        // The third field, every comma starting a new one: "A,,7" gives 7.
        FieldList fields;
        fields.Split(value, ',', FieldList::kNoLimit);
        settings.language = fields.FieldInt(2);
    }
    return settings;
}

}  // namespace

int ReadNtBidiMode() {
    char name[256];
    if (!FormatDriverDataPath(name)) return 1;
    RegKey key(HKEY_LOCAL_MACHINE, name);
    if (!FormatText(name, sizeof name, "%s=BidiMode", g_monitor.driverName)) return 1;
    const char* value = key.QueryString(name);
    return value[0] == '\0' ? 1 : ParseDecimal(value);
}

int ReadNtLanguage() {
    char name[256];
    if (!FormatDriverDataPath(name)) return 1;
    RegKey key(HKEY_LOCAL_MACHINE, name);
    (void)FormatText(name, sizeof name, "DrvlibIntl=%sU.DLL", g_monitor.driverClass);
    return ParseNtLanguage(key.QueryString(name));
}

DriverSettings ReadDriverSettings() {
    DriverSettings settings;
    if (g_monitor.win95Family) {
        settings = ReadWin95Settings();
    } else if (g_monitor.winNtFamily) {
        settings.bidi = ReadNtBidiMode();
        settings.language = ReadNtLanguage();
    }
    return settings;
}
