#include "harness/test_driver.h"

#include <sddl.h>

#include "protocol/config_names.h"

namespace harness {

namespace {

constexpr const char* kScratchRoot = "SOFTWARE\\StatusMonTest\\";
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\statusmon.exe";

// Gives the monitor key the permissions (DACL) of security. Returns the
// permissions it had, or nothing when they could not be changed.
std::string ReplaceMonitorKeySecurity(PSECURITY_DESCRIPTOR security) {
    HKEY key = nullptr;
    const REGSAM access = READ_CONTROL | WRITE_DAC;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMonitorKeyPath, 0, access, &key) != ERROR_SUCCESS) return "";
    std::string old(4096, '\0');  // far more than a key's permissions take
    DWORD size = static_cast<DWORD>(old.size());
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, &old[0], &size) != ERROR_SUCCESS ||
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security) != ERROR_SUCCESS) {
        old.clear();
    }
    RegCloseKey(key);
    return old;
}

}  // namespace

TestDriver::TestDriver(const std::string& name, const std::string& scratch, const std::string& driverClass)
    : name_(name), driverClass_(driverClass) {
    const std::string monitorTarget = kScratchRoot + scratch;
    dataKey_ = Formatted(kMonitorDataKeyFormat, monitorTarget);
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "statusmon-" + scratch + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);

    Check(changes_.CreateKeyPath(kMonitorKeyPath, &error_));
    SetMonitor(monitorTarget);
    Check(changes_.CreateKeyPath(dataKey_, &error_));
    SetData(kDriverValue, name_);
    SetData(kDriverClassValue, driverClass_);
}

TestDriver::~TestDriver() {
    if (!monitorKeySecurity_.empty()) (void)ReplaceMonitorKeySecurity(&monitorKeySecurity_[0]);
    std::string notes;
    (void)UndoChanges(changes_.Log(), &notes);
    RemoveDirectoryA(folder_.c_str());
}

void TestDriver::Check(bool written) {
    if (!written) errors_ += error_ + "\n";
}

void TestDriver::SetData(const char* name, const std::string& text) {
    Check(changes_.SetRegistryText(dataKey_, name, text, &error_));
}

void TestDriver::SetRawData(const char* name, DWORD type, const std::string& bytes) {
    Check(changes_.SetRegistryValue(dataKey_, name, type, bytes, &error_));
}

void TestDriver::SetBidiMode(const std::string& text) {
    const std::string key = Formatted(kDriverDataKeyFormat, kPrintersKeyPath, name_);
    Check(changes_.CreateKeyPath(key, &error_) &&
              changes_.SetRegistryText(key, Formatted(kBidiModeValueFormat, name_), text, &error_));
}

void TestDriver::SetLanguage(const std::string& text) {
    const std::string key = Formatted(kDriverDataKeyFormat, kPrintersKeyPath, name_);
    Check(changes_.CreateKeyPath(key, &error_) &&
              changes_.SetRegistryText(key, Formatted(kLanguageValueFormat, driverClass_), text, &error_));
}

void TestDriver::SetUseBidi(const std::string& text) {
    Check(changes_.SetIniText(Formatted(kDriverIniFileFormat, driverClass_), kDriverIniSection, kUseBidiKey, text,
                              &error_));
}

void TestDriver::SetWinIniLanguage(const std::string& text) {
    Check(changes_.SetIniText(kWinIniFile, kLanguageSection, Formatted(kLanguageKeyFormat, driverClass_), text,
                              &error_));
}

void TestDriver::SetProfiles(const std::string& profile, const std::string& defaultProfile) {
    SetData(kProfileValue, WriteFile("status.ini", profile));
    SetData(kProfileDefaultValue, WriteFile("default.ini", defaultProfile));
}

std::string TestDriver::WriteFile(const std::string& name, const std::string& content) {
    Check(changes_.WriteWholeFile(folder_ + name, content, &error_));
    return folder_ + name;
}

void TestDriver::SetMonitor(const std::string& path) {
    Check(changes_.SetRegistryText(kMonitorKeyPath, kMonitorValue, path, &error_));
}

void TestDriver::LimitMonitorKeyToQueryValue() {
    // Everyone ("WD") may query values (0x1) and read and change the
    // permissions (0x20000, 0x40000), so that the old ones can be put back.
    const char* const kLimited = "D:(A;;0x60001;;;WD)";
    PSECURITY_DESCRIPTOR limited = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(kLimited, SDDL_REVISION_1, &limited, nullptr)) {
        monitorKeySecurity_ = ReplaceMonitorKeySecurity(limited);
        LocalFree(limited);
    }
    error_ = "limiting the monitor key to Query Value failed";
    Check(!monitorKeySecurity_.empty());
}

Windows95Family::Windows95Family() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win95"), 6);
        RegCloseKey(key);
    }
}

Windows95Family::~Windows95Family() { RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }

}  // namespace harness
