#include "e2e/fixture.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

constexpr const char* kScratchRoot = "SOFTWARE\\StatusMonTest";
constexpr const char* kMonitorKey = "SOFTWARE\\Kor\\Bidi Monitor";
constexpr const char* kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

void SetString(const std::string& path, const std::string& name, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &key, nullptr))
        << path;
    const LONG result = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, result) << path << " " << name;
}

// Deletes a key with everything under it; a missing key is fine.
void DeleteTree(const std::string& path) {
    (void)RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

// Deletes a key only when nothing is left in it (RegDeleteKey refuses keys
// with subkeys; values are checked here).
void DeleteIfEmpty(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0;
    DWORD values = 0;
    const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                         nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result == ERROR_SUCCESS && subkeys == 0 && values == 0) {
        (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    }
}

std::string MakeTestDirectory(const std::string& scratchName) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string directory = std::string(temp) + "statusmon-e2e-" + scratchName + "-" +
                            std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
}

void DeleteDirectory(const std::string& directory) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileA((directory + entry.cFileName).c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(directory.c_str());
}

}  // namespace

void DeleteMonitorKey() {
    DeleteTree(kMonitorKey);
    DeleteIfEmpty("SOFTWARE\\Kor");
}

MonitorSetup::MonitorSetup(const std::string& scratchName, const std::string& driverName)
    : scratchPath_(std::string(kScratchRoot) + "\\" + scratchName),
      driverName_(driverName),
      directory_(MakeTestDirectory(scratchName)) {
    DeleteAll();
    SetString(kMonitorKey, "Monitor", scratchPath_);
    SetData("Driver", driverName_);
    SetData("DriverClass", driverClass_);
}

MonitorSetup::~MonitorSetup() {
    DeleteAll();
    DeleteDirectory(directory_);
}

void MonitorSetup::DeleteAll() const {
    DeleteTree(scratchPath_);
    DeleteIfEmpty(kScratchRoot);
    DeleteMonitorKey();
    const std::string printer = kPrintersKey + driverName_;
    DeleteTree(printer + "\\PrinterDriverData");
    DeleteIfEmpty(printer);
}

void MonitorSetup::SetData(const char* name, const std::string& value) const {
    SetString(scratchPath_ + "\\BidiData", name, value);
}

void MonitorSetup::SetDriverData(const std::string& name, const std::string& value) const {
    SetString(kPrintersKey + driverName_ + "\\PrinterDriverData", name, value);
}

void MonitorSetup::SetBidiMode(const std::string& value) const {
    SetDriverData(driverName_ + "=BidiMode", value);
}

void MonitorSetup::SetLanguage(const std::string& value) const {
    SetDriverData("DrvlibIntl=" + driverClass_ + "U.DLL", value);
}

std::string MonitorSetup::WriteIni(const std::string& fileName, const std::string& content) {
    const std::string path = directory_ + fileName;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
    if (file == INVALID_HANDLE_VALUE) return path;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(content.size(), written) << path;
    return path;
}

void MonitorSetup::UseProfiles(const std::string& profile, const std::string& defaultProfile) {
    SetData("Profile", WriteIni("status.ini", profile));
    SetData("ProfileDefault", WriteIni("default.ini", defaultProfile));
}

}  // namespace e2e
