#include "tools/statusctl/driver_setup.h"

#include <windows.h>

#include "protocol/config_names.h"
#include "tools/machine/system_changes.h"

const std::string kOwnKeyPath = std::string(kMonitorKeyPath) + "\\Sample";

namespace {

const std::string kDataKeyPath = Formatted(kMonitorDataKeyFormat, kOwnKeyPath);
const char kLogValue[] = "InstallLog";

std::string DriverDataPath(const std::string& driver) {
    return Formatted(kDriverDataKeyFormat, kPrintersKeyPath, driver);
}
std::string BidiValueName(const std::string& driver) { return Formatted(kBidiModeValueFormat, driver); }
std::string LanguageValueName(const std::string& driverClass) {
    return Formatted(kLanguageValueFormat, driverClass);
}
// NT family: a first token, then the language number.
std::string NtLanguageText(const std::string& driverClass, int language) {
    return driverClass + "," + std::to_string(language);
}
std::string DriverIniFile(const std::string& driverClass) {
    return Formatted(kDriverIniFileFormat, driverClass);
}
std::string WinIniKey(const std::string& driverClass) { return Formatted(kLanguageKeyFormat, driverClass); }
// 95 family: the language number is the third field.
std::string WinIniText(const std::string& driverClass, int language) {
    return driverClass + "U.DLL," + driverClass + ".HLP," + std::to_string(language);
}

bool FullExistingPath(const std::string& path, const char* what, std::string* full, std::string* error) {
    char buffer[MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) {
        *error = std::string(what) + " path is too long: " + path;
        return false;
    }
    const DWORD attributes = GetFileAttributesA(buffer);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        *error = std::string(what) + " not found: " + buffer;
        return false;
    }
    *full = buffer;
    return true;
}

// "Alert" in the driver's section of the status profile. The profile
// functions may write the whole file anew for one entry (under Wine it comes
// back without its blank lines and with CR LF line ends), so the file's
// bytes are recorded first, and uninstall puts them back exactly.
bool WriteAlert(const std::string& profile, const std::string& driver, const std::string& alert,
                SystemChanges* changes, std::string* error) {
    return changes->RecordWholeFile(profile, error) && UpdateIniText(profile, driver, kAlertKey, alert, error);
}

bool WriteEverything(const InstallOptions& options, const std::string& profile,
                     const std::string& defaultProfile, SystemChanges* changes, std::string* error) {
    const std::string& driver = options.driver;
    const std::string& driverClass = options.driverClass;
    const std::string bidi = std::to_string(options.bidi);
    return changes->CreateKeyPath(kDataKeyPath, error) &&
           changes->SetRegistryText(kMonitorKeyPath, kMonitorValue, kOwnKeyPath, error) &&
           changes->SetRegistryText(kDataKeyPath, kCodeValue, options.code, error) &&
           changes->SetRegistryText(kDataKeyPath, kProfileValue, profile, error) &&
           changes->SetRegistryText(kDataKeyPath, kProfileDefaultValue, defaultProfile, error) &&
           changes->SetRegistryText(kDataKeyPath, kDriverValue, driver, error) &&
           changes->SetRegistryText(kDataKeyPath, kDriverClassValue, driverClass, error) &&
           changes->SetRegistryText(kDataKeyPath, kDisplayValue, options.display, error) &&
           changes->CreateKeyPath(DriverDataPath(driver), error) &&
           changes->SetRegistryText(DriverDataPath(driver), BidiValueName(driver), bidi, error) &&
           changes->SetRegistryText(DriverDataPath(driver), LanguageValueName(driverClass),
                                    NtLanguageText(driverClass, options.language), error) &&
           changes->SetIniText(DriverIniFile(driverClass), kDriverIniSection, kUseBidiKey, bidi, error) &&
           changes->SetIniText(kWinIniFile, kLanguageSection, WinIniKey(driverClass),
                               WinIniText(driverClass, options.language), error) &&
           (options.alert.empty() || WriteAlert(profile, driver, options.alert, changes, error));
}

bool ReadInstalledDriver(std::string* driver, std::string* driverClass, std::string* error) {
    if (!IsDriverInstalled() || !ReadRegistryText(kDataKeyPath, kDriverValue, driver) ||
        !ReadRegistryText(kDataKeyPath, kDriverClassValue, driverClass) || driver->empty() ||
        driverClass->empty()) {
        *error = "no driver installed by statusctl (run statusctl install first)";
        return false;
    }
    return true;
}

}  // namespace

bool IsDriverInstalled() {
    std::string text;
    return ReadRegistryText(kOwnKeyPath, kLogValue, &text);
}

bool InstallDriver(const InstallOptions& options, std::string* error) {
    std::string profile;
    std::string defaultProfile;
    if (!FullExistingPath(options.profile, "status profile", &profile, error) ||
        !FullExistingPath(options.defaultProfile, "default profile", &defaultProfile, error)) {
        return false;
    }
    if (IsDriverInstalled()) {
        std::string notes;
        if (!UninstallDriver(error, &notes)) return false;
    }
    SystemChanges changes;
    bool done = WriteEverything(options, profile, defaultProfile, &changes, error);
    // The log goes into our own key, which the first step made sure exists.
    done = done && changes.SetRegistryText(kOwnKeyPath, kLogValue, changes.Log().ToText(), error);
    if (!done) {
        // Leave nothing half done behind. The log value, if it was written,
        // is the last change and is undone with the rest.
        std::string notes;
        (void)UndoChanges(changes.Log(), &notes);
        return false;
    }
    return true;
}

bool UninstallDriver(std::string* error, std::string* notes) {
    std::string text;
    if (!ReadRegistryText(kOwnKeyPath, kLogValue, &text)) {
        *error = "nothing to uninstall: no install by statusctl found";
        return false;
    }
    InstallLog log;
    if (!InstallLog::FromText(text, &log)) {
        *error = "the install log in HKLM\\" + kOwnKeyPath + " is damaged; nothing was removed";
        return false;
    }
    // The log value is not in the log itself; it goes first so that the keys
    // it lives in can be empty when their turn comes.
    if (!DeleteRegistryValue(kOwnKeyPath, kLogValue)) {
        *error = "cannot remove the install log";
        return false;
    }
    const int failures = UndoChanges(log, notes);
    if (failures != 0) {
        *error = std::to_string(failures) + " change(s) could not be undone";
        return false;
    }
    return true;
}

bool SetDriverLanguage(int language, std::string* error) {
    std::string driver;
    std::string driverClass;
    return ReadInstalledDriver(&driver, &driverClass, error) &&
           UpdateRegistryText(DriverDataPath(driver), LanguageValueName(driverClass),
                              NtLanguageText(driverClass, language), error) &&
           UpdateIniText(kWinIniFile, kLanguageSection, WinIniKey(driverClass),
                         WinIniText(driverClass, language), error);
}

bool SetDriverBidi(int bidi, std::string* error) {
    std::string driver;
    std::string driverClass;
    const std::string text = std::to_string(bidi);
    return ReadInstalledDriver(&driver, &driverClass, error) &&
           UpdateRegistryText(DriverDataPath(driver), BidiValueName(driver), text, error) &&
           UpdateIniText(DriverIniFile(driverClass), kDriverIniSection, kUseBidiKey, text, error);
}
