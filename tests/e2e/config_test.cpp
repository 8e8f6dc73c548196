// The configuration the monitor follows while it runs: the code stored for
// its start, the monitor key, values as other software may store them, the
// driver's language, and the 95 family's INI files.
#include <string>

#include "e2e/e2e_test.h"
#include "protocol/config_names.h"

namespace {

constexpr const char* kProfile =
    "[Hall Printer]\r\n00012=0,2,101\r\n00013=0,1,102\r\n00042=0,0,142\r\n-0007=0,0,107\r\n00000=0,0,100\r\n"
    "[Default,001]\r\nCaption=Hall\r\n00100=Zero\r\n00101=Paper low\r\n00102=Cover open\r\n00107=Minus seven\r\n"
    "00142=Forty-two\r\n[Default,002]\r\nCaption=Halle\r\n00101=Papier knapp\r\n[Default,005]\r\n00101=Five\r\n";

// Also when users may only query the monitor key's values, as an
// installation may leave it.
TEST_F(EndToEndTest, StoredCodeIsTheFirstCodeShown) {
    const char* const rows[][2] = {{"00042", "Forty-two"}, {" -7x", "Minus seven"}, {"letters", "Zero"},
                                   {"", ""}, {nullptr, ""}};  // value of "Code" (null: none), text shown
    for (const auto& row : rows) {
        Driver().SetProfiles(kProfile);
        if (row[0] != nullptr) driver_->SetData(kCodeValue, row[0]);
        driver_->LimitMonitorKeyToQueryValue();
        harness::Monitor& monitor = Start();
        monitor.Sync();
        EXPECT_EQ(monitor.StatusText(), row[1]) << (row[0] ? row[0] : "no Code");
        monitor_.reset();
    }
}

TEST_F(EndToEndTest, MonitorKeyIsFollowedCodeByCode) {
    Driver().SetProfiles(kProfile);
    harness::Monitor& monitor = Start();
    {
        // Another data key named by "Monitor" after the start: the next code reads it.
        harness::TestDriver other("Other Printer", "EndToEndOther");
        other.SetProfiles("[Other Printer]\r\n00012=0,0,100\r\n[Default,001]\r\n00100=Other ready\r\n");
        Show({12});
        EXPECT_EQ(monitor.StatusText(), "Other ready");
    }
    Show({12});
    EXPECT_EQ(monitor.StatusText(), "Paper low");
    // A "Monitor" too long for the path, or none at all: the last data key stays in use.
    driver_->SetMonitor(std::string(247, 'm'));
    Show({13});
    EXPECT_EQ(monitor.StatusText(), "Cover open");
    Show({12});
    DeleteRegistryValue(kMonitorKeyPath, kMonitorValue);
    Show({13});
    EXPECT_EQ(monitor.StatusText(), "Cover open");
}

// Keys deleted and made anew while the monitor runs, as a driver's
// reinstallation does: the next code reads the new ones.
TEST_F(EndToEndTest, KeysMadeAnewWhileRunningAreReadAnew) {
    Driver().SetProfiles(kProfile);
    driver_->SetBidiMode("1");
    harness::Monitor& monitor = Start();
    Show({12});
    const auto makeAnew = [](const std::string& path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()), ERROR_SUCCESS) << path;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    };
    makeAnew(driver_->DataKeyPath());
    driver_->SetData(kDriverValue, "Hall Printer");
    driver_->SetData(kDriverClassValue, "HALL");
    driver_->SetProfiles(kProfile);
    Show({13});
    EXPECT_EQ(monitor.StatusText(), "Cover open");
    makeAnew(std::string(kPrintersKeyPath) + "\\Hall Printer\\PrinterDriverData");
    driver_->SetBidiMode("0");
    Show({12});
    EXPECT_FALSE(monitor.Visible());
}

TEST_F(EndToEndTest, LanguageAndProfileAreReadAfreshForEachCode) {
    Driver().SetProfiles(kProfile);
    driver_->SetLanguage("X,1");
    harness::Monitor& monitor = Start();
    Show({12});
    EXPECT_EQ(monitor.Caption(), "Hall");
    driver_->SetLanguage("X,2");
    Show({12});
    EXPECT_EQ(monitor.StatusText(), "Papier knapp");
    EXPECT_EQ(monitor.Caption(), "Halle");
    // A changed caption shows only with the next change of language.
    driver_->SetProfiles(std::string(kProfile) + "[Hall Printer,002]\r\nCaption=New\r\n00101=Neu\r\n");
    Show({12});
    EXPECT_EQ(monitor.StatusText(), "Neu");
    EXPECT_EQ(monitor.Caption(), "Halle");
}

// One value as other software may store it: without its terminator, of
// another type, or too long for its field (the class is cut to four
// characters, a path to 259). "ProfileDefault", long, is read before
// "Driver" and leaves its bytes in the key's buffer, which must not show.
TEST_F(EndToEndTest, ValuesAreReadAsTextCutToTheirFields) {
    for (int row = 0; row < 6; ++row) {
        harness::TestDriver& driver = Driver();
        driver.SetLanguage("X,2");
        driver.SetData(kProfileDefaultValue, driver.WriteFile(std::string(200, 'd') + ".ini", ""));
        const std::string folder = driver.WriteFile("x", "");
        const std::string profile = driver.WriteFile(std::string(260 - folder.size(), 'p'), kProfile);
        driver.SetData(kProfileValue, profile);
        const struct {
            const char* name;
            DWORD type;
            std::string bytes;
        } forms[] = {{kProfileValue, REG_SZ, profile},           {kDriverValue, REG_SZ, "Hall Printer"},
                     {kDriverValue, REG_BINARY, "Hall Printer"}, {kDriverClassValue, REG_EXPAND_SZ, "HALL"},
                     {kDriverClassValue, REG_SZ, "HALLX7Z"},     {kProfileValue, REG_SZ, profile + "qqqqqqqqqqqqq"}};
        driver.SetRawData(forms[row].name, forms[row].type, forms[row].bytes);
        harness::Monitor& monitor = Start();
        Show({12});
        EXPECT_EQ(monitor.StatusText(), "Papier knapp") << forms[row].name << " " << forms[row].bytes;
    }
}

// The 95 family keeps the switch in "<class>.INI" and the language as the
// third field of WIN.INI's "<class>W.DRV", read into 80 characters. A class
// that names a device ("NUL.INI", "COM1.INI") is never opened: off.
TEST_F(EndToEndTest, Windows95FamilyReadsTheDriverIniFiles) {
    const struct {
        const char* driverClass;
        const char* useBidi;   // null: no driver INI file
        const char* language;  // null: no WIN.INI entry
        bool on;
        const char* text;
    } rows[] = {
        {"HWA", "1", "A,B,2", true, "Papier knapp"},
        {"HWB", "1", nullptr, true, "Paper low"},
        {"HWE", "1", "A,xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx,56", true, "Five"},
        {"HWC", "0", "A,,1", false, "Paper low"},
        {"HWD", nullptr, "A,B,2", false, "Papier knapp"},
        {"NUL", nullptr, nullptr, false, "Paper low"},
        {"COM1", nullptr, nullptr, false, "Paper low"},
    };
    harness::Windows95Family family;
    for (const auto& row : rows) {
        Driver("Hall Printer", row.driverClass).SetProfiles(kProfile);
        if (row.useBidi != nullptr) driver_->SetUseBidi(row.useBidi);
        if (row.language != nullptr) driver_->SetWinIniLanguage(row.language);
        harness::Monitor& monitor = Start();
        Show({12});
        EXPECT_EQ(monitor.StatusText(), row.text) << row.driverClass;
        EXPECT_EQ(monitor.Visible(), row.on) << row.driverClass;
        EXPECT_EQ(monitor.HasTrayIcon(), row.on) << row.driverClass;
        monitor_.reset();
    }
}

}  // namespace
