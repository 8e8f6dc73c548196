#include "tools/statusctl/driver_setup.h"

#include <windows.h>

#include "ipp/status_table.h"
#include "protocol/config_names.h"
#include "tools/machine/system_changes.h"

const std::string kOwnKeyPath = std::string(kMonitorKeyPath) + "\\Sample";
const std::string kNetworkKeyPath = std::string(kMonitorKeyPath) + "\\Network";
const char kNetworkDriver[] = "Network Printer";
const char kNetworkDriverClass[] = "IPP";

namespace {

const char kLogValue[] = "InstallLog";
// The monitor shows at most this much of the test mode's text.
constexpr std::size_t kMaxDisplay = 259;

std::string DataKeyPath(const std::string& ownKey) { return Formatted(kMonitorDataKeyFormat, ownKey); }

// The own key that holds an install's log; empty when there is no install.
std::string InstalledOwnKey() {
    std::string text;
    for (const std::string* key : {&kOwnKeyPath, &kNetworkKeyPath}) {
        if (ReadRegistryText(*key, kLogValue, &text)) return *key;
    }
    return std::string();
}

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

// NT family: the printer's driver data. The network printer's values say
// only what the monitor assumes without them, unless another language is
// asked for: a printer's key that the spooler does not know is left out.
bool WriteNtSettings(const InstallOptions& options, SystemChanges* changes, std::string* error) {
    const std::string& driver = options.driver;
    const std::string& driverClass = options.driverClass;
    const std::string language = NtLanguageText(driverClass, options.language);
    if (options.network) {
        return options.language == 1 ||
               (changes->CreateKeyPath(DriverDataPath(driver), error) &&
                changes->SetRegistryText(DriverDataPath(driver), LanguageValueName(driverClass), language, error));
    }
    return changes->CreateKeyPath(DriverDataPath(driver), error) &&
           changes->SetRegistryText(DriverDataPath(driver), BidiValueName(driver), std::to_string(options.bidi),
                                    error) &&
           changes->SetRegistryText(DriverDataPath(driver), LanguageValueName(driverClass), language, error);
}

// printwatch's address and interval, in the printer's own key.
bool WriteWatchSettings(const InstallOptions& options, const std::string& ownKey, SystemChanges* changes,
                        std::string* error) {
    return !options.network || (changes->SetRegistryText(ownKey, kPrinterUriValue, options.printerUri, error) &&
                                changes->SetRegistryText(ownKey, kPollIntervalValue, options.interval, error));
}

bool WriteEverything(const InstallOptions& options, const std::string& ownKey, const std::string& profile,
                     const std::string& defaultProfile, SystemChanges* changes, std::string* error) {
    const std::string& driver = options.driver;
    const std::string& driverClass = options.driverClass;
    const std::string dataKey = DataKeyPath(ownKey);
    const std::string bidi = std::to_string(options.bidi);
    return changes->CreateKeyPath(dataKey, error) &&
           changes->SetRegistryText(kMonitorKeyPath, kMonitorValue, ownKey, error) &&
           changes->SetRegistryText(dataKey, kCodeValue, options.code, error) &&
           changes->SetRegistryText(dataKey, kProfileValue, profile, error) &&
           changes->SetRegistryText(dataKey, kProfileDefaultValue, defaultProfile, error) &&
           changes->SetRegistryText(dataKey, kDriverValue, driver, error) &&
           changes->SetRegistryText(dataKey, kDriverClassValue, driverClass, error) &&
           changes->SetRegistryText(dataKey, kDisplayValue, options.display, error) &&
           WriteWatchSettings(options, ownKey, changes, error) && WriteNtSettings(options, changes, error) &&
           changes->SetIniText(DriverIniFile(driverClass), kDriverIniSection, kUseBidiKey, bidi, error) &&
           changes->SetIniText(kWinIniFile, kLanguageSection, WinIniKey(driverClass),
                               WinIniText(driverClass, options.language), error) &&
           (options.alert.empty() || WriteAlert(profile, driver, options.alert, changes, error));
}

bool ReadInstalledDriver(std::string* ownKey, std::string* driver, std::string* driverClass,
                         std::string* error) {
    *ownKey = InstalledOwnKey();
    if (ownKey->empty() || !ReadRegistryText(DataKeyPath(*ownKey), kDriverValue, driver) ||
        !ReadRegistryText(DataKeyPath(*ownKey), kDriverClassValue, driverClass) || driver->empty() ||
        driverClass->empty()) {
        *error = "no driver installed by statusctl (run statusctl install first)";
        return false;
    }
    return true;
}

// A setting under the spooler's "Printers" key: changed where the install
// wrote it. Where it did not, it is written and added to the install's log,
// so that uninstall removes it too; unless it would only say what the
// monitor assumes without it (isDefault).
bool SetPrinterSetting(const std::string& ownKey, const std::string& driver, const std::string& name,
                       const std::string& text, bool isDefault, std::string* error) {
    const std::string path = DriverDataPath(driver);
    std::string old;
    if (ReadRegistryText(path, name, &old)) return UpdateRegistryText(path, name, text, error);
    if (isDefault) return true;
    std::string logText;
    InstallLog log;
    if (!ReadRegistryText(ownKey, kLogValue, &logText) || !InstallLog::FromText(logText, &log)) {
        *error = "the install log in HKLM\\" + ownKey + " is damaged";
        return false;
    }
    SystemChanges changes(log);
    const bool done = changes.CreateKeyPath(path, error) && changes.SetRegistryText(path, name, text, error);
    // What was written is in the log even when a later step failed.
    return UpdateRegistryText(ownKey, kLogValue, changes.Log().ToText(), error) && done;
}

}  // namespace

bool IsDriverInstalled() { return !InstalledOwnKey().empty(); }

void SetNetworkPrinter(InstallOptions* options, const std::string& folder) {
    options->driver = kNetworkDriver;
    options->driverClass = kNetworkDriverClass;
    options->bidi = 1;
    options->code = std::to_string(StateCode(WatchState::kWaiting).code);
    options->profile = folder + "\\profile.ini";
    options->defaultProfile = folder + "\\default.ini";
    options->display = options->printerUri.substr(0, kMaxDisplay);
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
    const std::string ownKey = options.network ? kNetworkKeyPath : kOwnKeyPath;
    SystemChanges changes;
    bool done = WriteEverything(options, ownKey, profile, defaultProfile, &changes, error);
    // The log goes into our own key, which the first step made sure exists.
    done = done && changes.SetRegistryText(ownKey, kLogValue, changes.Log().ToText(), error);
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
    const std::string ownKey = InstalledOwnKey();
    std::string text;
    if (ownKey.empty() || !ReadRegistryText(ownKey, kLogValue, &text)) {
        *error = "nothing to uninstall: no install by statusctl found";
        return false;
    }
    InstallLog log;
    if (!InstallLog::FromText(text, &log)) {
        *error = "the install log in HKLM\\" + ownKey + " is damaged; nothing was removed";
        return false;
    }
    // The log value is not in the log itself; it goes first so that the keys
    // it lives in can be empty when their turn comes.
    if (!DeleteRegistryValue(ownKey, kLogValue)) {
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
    std::string ownKey;
    std::string driver;
    std::string driverClass;
    return ReadInstalledDriver(&ownKey, &driver, &driverClass, error) &&
           SetPrinterSetting(ownKey, driver, LanguageValueName(driverClass), NtLanguageText(driverClass, language),
                             language == 1, error) &&
           UpdateIniText(kWinIniFile, kLanguageSection, WinIniKey(driverClass),
                         WinIniText(driverClass, language), error);
}

bool SetDriverBidi(int bidi, std::string* error) {
    std::string ownKey;
    std::string driver;
    std::string driverClass;
    const std::string text = std::to_string(bidi);
    return ReadInstalledDriver(&ownKey, &driver, &driverClass, error) &&
           SetPrinterSetting(ownKey, driver, BidiValueName(driver), text, bidi == 1, error) &&
           UpdateIniText(DriverIniFile(driverClass), kDriverIniSection, kUseBidiKey, text, error);
}
