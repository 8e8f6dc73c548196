// Hostile configuration against the running monitor: every registry value it
// reads, of every type and of sizes up to 1 MiB (strings without terminators
// among them); INI files of garbage, directories, devices and missing drives
// where the profiles should be; names too long for their buffers. After each
// hostile set-up has been handled, a normal configuration is put back and a
// normal code must show: the monitor neither crashed, hung, nor lost its way.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "e2e/monitor_test.h"
#include "ui/resource.h"

namespace e2e {
namespace {

constexpr const char* kDriver = "Hall Printer";
constexpr const char* kMonitorKey = "SOFTWARE\\Kor\\Bidi Monitor";
constexpr const char* kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
constexpr const char* kDisplay = "Disp";
constexpr const char* kLanguage = "X,1";
constexpr const char* kBidiOn = "1";

// Check codes 1 to kCheckCodes have entries in the driver section, message
// codes 1000 higher and texts "Check <code>" in the driver's language section.
constexpr int kCheckCodes = 900;

std::string StatusProfile() {
    std::string entries = "[Hall Printer]\r\nScrollMsg=0\r\n";
    std::string texts = "[Hall Printer,001]\r\nCaption=Hall Printer Status\r\n";
    char line[64];
    for (int code = 1; code <= kCheckCodes; ++code) {
        std::snprintf(line, sizeof line, "%05d=0,0,%05d\r\n", code, code + 1000);
        entries += line;
        std::snprintf(line, sizeof line, "%05d=Check %d\r\n", code + 1000, code);
        texts += line;
    }
    return entries + "[Default]\r\n00000=0,0,100\r\n" + texts +
           "[Default,001]\r\n00100=Ready\r\n";
}

constexpr const char* kDefaultProfile = "[Default]\r\n00040=64,1,140\r\n";

struct TypeName {
    DWORD type;
    const char* name;
};
constexpr TypeName kTypes[] = {{REG_SZ, "REG_SZ"},       {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
                               {REG_MULTI_SZ, "REG_MULTI_SZ"}, {REG_DWORD, "REG_DWORD"},
                               {REG_BINARY, "REG_BINARY"}, {REG_QWORD, "REG_QWORD"},
                               {REG_NONE, "REG_NONE"}};
constexpr DWORD kSizes[] = {0, 1, 255, 256, 4096, 1024 * 1024};

// Exactly size bytes, never with a terminator at the end. Digits, commas,
// format directives, separators and a double-byte lead byte without its
// second byte; the non-string types get embedded zero bytes as well.
std::string HostileBytes(DWORD type, DWORD size) {
    static const char kPattern[] = "9,%s%n\\..\\\x81" "A:%x,,";
    const bool textType = type == REG_SZ || type == REG_EXPAND_SZ;
    std::string bytes(size, '\0');
    for (DWORD i = 0; i < size; ++i) {
        const bool zero = !textType && i % 97 == 96;
        bytes[i] = zero ? '\0' : kPattern[i % (sizeof kPattern - 1)];
    }
    return bytes;
}

// Writes a value of HKLM with exactly these bytes and this type.
::testing::AssertionResult SetRaw(const std::string& path, const std::string& name, DWORD type,
                                  const std::string& bytes) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        return ::testing::AssertionFailure() << "cannot create " << path << ": " << result;
    }
    result = RegSetValueExA(key, name.c_str(), 0, type,
                            reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        return ::testing::AssertionFailure() << "cannot set " << path << " " << name << ": "
                                             << result;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SetText(const std::string& path, const std::string& name,
                                   const std::string& text) {
    return SetRaw(path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::string ReadText(const std::string& path, const char* name) {
    char value[512] = {};
    DWORD size = sizeof value - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::string();
    }
    (void)RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return value;
}

// Where a value the monitor reads lives, and its normal content.
struct ValueSite {
    std::string path;
    std::string name;
    std::string normal;
};

class HostileConfigTest : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        setup_ = std::make_unique<MonitorSetup>("Hostile", kDriver);
        setup_->UseProfiles(StatusProfile(), kDefaultProfile);
        setup_->SetLanguage(kLanguage);
        setup_->SetBidiMode(kBidiOn);
        setup_->SetData("Display", kDisplay);
        // The fixture names the data key's parent in the monitor key.
        monitorValue_ = ReadText(kMonitorKey, "Monitor");
        ASSERT_FALSE(monitorValue_.empty());
        dataKey_ = monitorValue_ + "\\BidiData";
        profilePath_ = ReadText(dataKey_, "Profile");
        defaultProfilePath_ = ReadText(dataKey_, "ProfileDefault");
        ASSERT_FALSE(profilePath_.empty());
        driverData_ = std::string(kPrintersKey) + kDriver + "\\PrinterDriverData";
    }

    // Every value the monitor reads, with its normal content.
    ValueSite Site(const std::string& name) const {
        if (name == "Monitor") return {kMonitorKey, name, monitorValue_};
        if (name == "BidiMode") return {driverData_, std::string(kDriver) + "=BidiMode", kBidiOn};
        if (name == "Language") {
            return {driverData_, "DrvlibIntl=" + setup_->DriverClass() + "U.DLL", kLanguage};
        }
        if (name == "Profile") return {dataKey_, name, profilePath_};
        if (name == "ProfileDefault") return {dataKey_, name, defaultProfilePath_};
        if (name == "Driver") return {dataKey_, name, kDriver};
        if (name == "DriverClass") return {dataKey_, name, setup_->DriverClass()};
        if (name == "Display") return {dataKey_, name, kDisplay};
        return {dataKey_, name, ""};  // "Code": posted at start only
    }

    // The next check code, never the one shown last.
    int NextCheckCode() {
        checkCode_ = checkCode_ % kCheckCodes + 1;
        return checkCode_;
    }

    // What the status area shows for a check code; in test mode the raw
    // fields, the "Display" value and the text.
    std::string CheckText(int code) const {
        char text[128];
        if (testMode_) {
            std::snprintf(text, sizeof text, "%05d  0 0 %05d \"%s\" \"Check %d\"", code,
                          code + 1000, kDisplay, code);
        } else {
            std::snprintf(text, sizeof text, "Check %d", code);
        }
        return text;
    }

    // Posts a code while a hostile set-up is in place and waits until the
    // monitor has handled it, so that the set-up is what it read.
    void HandleUnderHostileSetUp() {
        monitor_->PostStatusCode(NextCheckCode());
        monitor_->Sync();
    }

    // A normal code, posted now, must show, and the monitor must still run.
    ::testing::AssertionResult ShowsNormalCode() {
        if (!monitor_->IsRunning()) return ::testing::AssertionFailure() << "the monitor ended";
        const int code = NextCheckCode();
        monitor_->PostStatusCode(code);
        const std::string expected = CheckText(code);
        if (!monitor_->WaitForStatusText(expected)) {
            return ::testing::AssertionFailure()
                   << "\"" << expected << "\" not shown; the area holds \""
                   << monitor_->StatusText().substr(0, 200) << "\""
                   << (monitor_->IsRunning() ? "" : "; the monitor ended");
        }
        return ::testing::AssertionSuccess();
    }

    // Writes the hostile bytes, lets the monitor handle a code under them,
    // puts the normal value back and expects a normal code to show. False
    // when the monitor no longer answers, so a caller can stop early.
    bool RunHostileValue(const ValueSite& site, DWORD type, const std::string& bytes,
                         const std::string& label) {
        EXPECT_TRUE(SetRaw(site.path, site.name, type, bytes)) << label;
        HandleUnderHostileSetUp();
        EXPECT_TRUE(SetText(site.path, site.name, site.normal)) << label;
        const ::testing::AssertionResult shown = ShowsNormalCode();
        EXPECT_TRUE(shown) << label;
        return static_cast<bool>(shown);
    }

    void TurnTestModeOn() {
        HWND logo = GetDlgItem(monitor_->Dialog(), IDC_LOGO);
        {
            CtrlKeyHeld ctrl;
            monitor_->PostToDialog(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_DBLCLK),
                                   reinterpret_cast<LPARAM>(logo));
            monitor_->Sync();
        }
        ASSERT_TRUE(monitor_->WaitForStatusText("Testfunction enabled")) << monitor_->StatusText();
        testMode_ = true;
    }

    std::string monitorValue_;
    std::string dataKey_;
    std::string driverData_;
    std::string profilePath_;
    std::string defaultProfilePath_;
    int checkCode_ = 0;
    bool testMode_ = false;
};

// The values read with every code: each type at each size, in one monitor.
class HostileValueTest : public HostileConfigTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileValueTest, EveryTypeAndSizeLeavesTheMonitorWorking) {
    const ValueSite site = Site(GetParam());
    Start();
    // "Display" is read only for test mode's line.
    if (site.name == "Display") TurnTestModeOn();
    ASSERT_TRUE(ShowsNormalCode());
    for (const TypeName& type : kTypes) {
        for (const DWORD size : kSizes) {
            const std::string label = site.name + " " + type.name + " of " + std::to_string(size) +
                                      " bytes";
            if (!RunHostileValue(site, type.type, HostileBytes(type.type, size), label)) return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ReadWithEachCode, HostileValueTest,
                         ::testing::Values("Monitor", "Profile", "ProfileDefault", "Driver",
                                           "DriverClass", "Display", "BidiMode", "Language"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

// "Code" is read once, when the dialog starts: a monitor for each value.
TEST_F(HostileConfigTest, StoredCodeOfEveryTypeAndSizeLeavesTheMonitorWorking) {
    for (const TypeName& type : kTypes) {
        for (const DWORD size : kSizes) {
            const std::string label = std::string("Code ") + type.name + " of " +
                                      std::to_string(size) + " bytes";
            ASSERT_TRUE(SetRaw(dataKey_, "Code", type.type, HostileBytes(type.type, size)))
                << label;
            Start();
            monitor_->Sync();
            ASSERT_TRUE(ShowsNormalCode()) << label;
            monitor_.reset();
        }
    }
}

// Status profile and default profile paths that name something other than a
// readable INI file. A device or a share is not opened at all, so none of
// them can hold the monitor up.
TEST_F(HostileConfigTest, ProfilesThatAreNoIniFilesLeaveTheMonitorWorking) {
    // Garbage: random bytes with brackets, equals signs and line ends among
    // them, and a section header that never closes.
    std::string garbage;
    unsigned int seed = 12345;
    for (int i = 0; i < 256 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>((seed >> 16) & 0xFF);
    }
    const std::string directory = profilePath_.substr(0, profilePath_.find_last_of('\\') + 1);
    const std::string folder = directory + "folder.ini";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);

    const std::vector<std::string> paths = {
        setup_->WriteIni("garbage.ini", garbage),
        setup_->WriteIni("open.ini", "[Hall Printer\r\n00001=" + std::string(70000, 'x')),
        setup_->WriteIni("empty.ini", ""),
        folder,
        "NUL",
        "CON",
        "CONOUT$",
        "COM1",
        "LPT1",
        "\\\\.\\NUL",
        "\\\\?\\C:\\nothing.ini",
        directory + "aux.ini",
        directory + "Com1 .ini",
        "\\\\unreachable.invalid\\share\\profile.ini",
        "//unreachable.invalid/share/profile.ini",
        "Q:\\nothing\\profile.ini",
    };
    Start();
    for (const char* name : {"Profile", "ProfileDefault"}) {
        const ValueSite site = Site(name);
        for (const std::string& path : paths) {
            const std::string label = site.name + " \"" + path + "\"";
            const DWORD start = GetTickCount();
            if (!RunHostileValue(site, REG_SZ, std::string(path.c_str(), path.size() + 1),
                                 label)) {
                break;
            }
            EXPECT_LT(GetTickCount() - start, 3000u) << label << " held the monitor up";
        }
    }
    monitor_.reset();
    RemoveDirectoryA(folder.c_str());
}

// Names longer than the buffers they are copied into, and a language value
// without a token: each is cut or refused so that lookups still work.
TEST_F(HostileConfigTest, OversizedNamesAreCutOrRefused) {
    MonitorProcess& monitor = Start();
    ASSERT_TRUE(ShowsNormalCode());

    // A "Monitor" value of 300 characters forms no data key path: the path
    // from the last value that fitted stays in use.
    ASSERT_TRUE(SetText(kMonitorKey, "Monitor", std::string(300, 'M')));
    EXPECT_TRUE(ShowsNormalCode()) << "Monitor of 300 characters";
    ASSERT_TRUE(SetText(kMonitorKey, "Monitor", monitorValue_));

    // Eighty commas: no language number, so language 1.
    setup_->SetLanguage(std::string(80, ','));
    EXPECT_TRUE(ShowsNormalCode()) << "language of 80 commas";
    setup_->SetLanguage(kLanguage);

    // A driver class of 7 characters is cut to its 4: still "HALL", whose
    // language value is found.
    setup_->SetData("DriverClass", setup_->DriverClass() + "XYZ");
    EXPECT_TRUE(ShowsNormalCode()) << "driver class of 7 characters";
    setup_->SetData("DriverClass", setup_->DriverClass());

    // A driver name of 300 characters: its own sections cannot be named, the
    // "Default" sections still serve.
    setup_->SetData("Driver", std::string(300, 'D'));
    monitor.PostStatusCode(0);
    EXPECT_TRUE(monitor.WaitForStatusText("Ready")) << monitor.StatusText().substr(0, 200);
    setup_->SetData("Driver", kDriver);
    EXPECT_TRUE(ShowsNormalCode()) << "after a driver name of 300 characters";
    EXPECT_TRUE(monitor.IsRunning());
}

}  // namespace
}  // namespace e2e
