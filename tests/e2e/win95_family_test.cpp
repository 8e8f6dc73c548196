// The monitor on the Windows 95 family, where the driver keeps its settings
// in INI files of the Windows folder. Wine reports that family to a program
// whose version is set to Windows 95 in Wine's own per-program settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "e2e/monitor_test.h"
#include "protocol/config_names.h"

namespace e2e {
namespace {

constexpr const char* kDriver = "Family Printer";
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\statusmon.exe";

// Makes Wine report the Windows 95 family to statusmon.exe while it lives.
class ReportWindows95 {
public:
    ReportWindows95() {
        HKEY key = nullptr;
        const char version[] = "win95";
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) == ERROR_SUCCESS) {
            set_ = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                  sizeof version) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    ~ReportWindows95() { (void)RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }
    ReportWindows95(const ReportWindows95&) = delete;
    ReportWindows95& operator=(const ReportWindows95&) = delete;
    bool IsSet() const { return set_; }

private:
    bool set_ = false;
};

std::string WindowsDirectory() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, sizeof directory);
    return directory;
}

class Win95FamilyTest : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        ASSERT_TRUE(family_.IsSet());
        setup_ = std::make_unique<MonitorSetup>("Win95Family", kDriver);
        setup_->UseProfiles("[Family Printer]\r\n00005=0,2,500\r\n"
                            "[Default,001]\r\nCaption=Family\r\n00500=Toner low\r\n",
                            "");
    }
    void TearDown() override {
        MonitorTest::TearDown();
        if (!iniFile_.empty()) DeleteFileA(iniFile_.c_str());
    }

    // The class's driver INI file in the Windows folder, with UseBidi=1.
    void WriteDriverIni(const std::string& driverClass) {
        iniFile_ = WindowsDirectory() + "\\" + driverClass + ".INI";
        ASSERT_TRUE(WritePrivateProfileStringA(kDriverIniSection, kUseBidiKey, "1", iniFile_.c_str()));
    }

    ReportWindows95 family_;
    std::string iniFile_;
};

TEST_F(Win95FamilyTest, DriverIniFileSwitchesTheMonitorOn) {
    setup_->SetData(kDriverClassValue, "FAMQ");
    WriteDriverIni("FAMQ");
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(5);
    ASSERT_TRUE(monitor.WaitForStatusText("Toner low"));
    EXPECT_TRUE(monitor.IsVisible());
    EXPECT_TRUE(monitor.HasTrayIcon());
}

// "NUL.INI" and "COM1.INI" name devices, which are never opened: the switch
// is off, as for a class without a driver INI file.
TEST_F(Win95FamilyTest, ClassNamingADeviceSwitchesTheMonitorOff) {
    for (const char* driverClass : {"NUL", "COM1", "FAMX"}) {
        setup_->SetData(kDriverClassValue, driverClass);
        MonitorProcess& monitor = Start();
        monitor.PostStatusCode(5);
        ASSERT_TRUE(monitor.WaitForStatusText("Toner low")) << driverClass;
        EXPECT_TRUE(monitor.IsHidden()) << driverClass;
        EXPECT_FALSE(monitor.HasTrayIcon()) << driverClass;
        monitor_.reset();
    }
}

}  // namespace
}  // namespace e2e
