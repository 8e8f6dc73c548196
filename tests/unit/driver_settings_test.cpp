#include "config/driver_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "protocol/config_names.h"
#include "state/profile_set.h"
#include "text/text.h"
#include "unit/test_support.h"

namespace {

using test_support::ScratchKey;
using test_support::TempDir;

const std::string kPrintersPath = std::string(kPrintersKeyPath) + "\\";

// The printer's driver data key of a test driver, on the NT family.
class NtDriverSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = PlatformFamily::kWinNt;
        UseDriver("StatusMonTest Printer", "SMTQ");
    }

    void UseDriver(const std::string& driver, const char* driverClass) {
        CopyBounded(profile_.driverName, driver.c_str());
        CopyBounded(profile_.driverClass, driverClass);
        printer_ = std::make_unique<ScratchKey>(kPrintersPath + driver);
    }
    bool SetData(const std::string& name, const std::string& value) {
        return printer_->SetString(name, value, "PrinterDriverData");
    }
    bool SetBidiMode(const std::string& value) {
        return SetData(std::string(profile_.driverName) + "=BidiMode", value);
    }
    bool SetLanguage(const std::string& value) {
        return SetData(std::string("DrvlibIntl=") + profile_.driverClass + "U.DLL", value);
    }

    PlatformFamily platform_ = PlatformFamily::kOther;
    ProfileSet profile_;
    std::unique_ptr<ScratchKey> printer_;
};

TEST_F(NtDriverSettingsTest, BidiModeIsTheDecimalValue) {
    struct Row {
        const char* value;  // null: no value
        int bidi;
    } rows[] = {
        {"0", 0}, {"2", 2}, {"-1", -1}, {"", 1}, {"abc", 0}, {" 7x", 7}, {nullptr, 1},
    };
    for (const Row& row : rows) {
        printer_->Remove();
        ASSERT_TRUE(SetLanguage("A,4"));  // so the key exists even without the value
        if (row.value != nullptr) {
            ASSERT_TRUE(SetBidiMode(row.value));
        }
        EXPECT_EQ(ReadNtBidiMode(profile_.driverName), row.bidi) << (row.value ? row.value : "(missing)");
        const DriverSettings settings = ReadDriverSettings(platform_, profile_);
        EXPECT_EQ(settings.bidi, row.bidi);
        EXPECT_EQ(settings.language, 4);
    }
}

TEST_F(NtDriverSettingsTest, LanguageIsTheSecondTokenOfTheClassValue) {
    struct Row {
        const char* value;
        int language;
    } rows[] = {
        {"A,3", 3}, {"A,x", 0}, {"A", 1},  {"A,,7", 7}, {"A,:7", 7},
        {"A,7:B", 7}, {",7", 1}, {"A:7", 1}, {"A,", 1},   {"", 1},
    };
    ASSERT_TRUE(SetBidiMode("5"));
    for (const Row& row : rows) {
        ASSERT_TRUE(SetLanguage(row.value));
        EXPECT_EQ(ReadNtLanguage(profile_.driverName, profile_.driverClass), row.language) << row.value;
        const DriverSettings settings = ReadDriverSettings(platform_, profile_);
        EXPECT_EQ(settings.bidi, 5);
        EXPECT_EQ(settings.language, row.language) << row.value;
    }
}

TEST_F(NtDriverSettingsTest, ValueNamesComeFromDriverNameAndClass) {
    // Values under other names leave the defaults.
    ASSERT_TRUE(SetData("BidiMode", "0"));
    ASSERT_TRUE(SetData("Other Printer=BidiMode", "0"));
    ASSERT_TRUE(SetData("DrvlibIntl=XXXXU.DLL", "A,9"));
    ASSERT_TRUE(SetData("DrvlibIntl=SMTQ.DLL", "A,9"));
    EXPECT_EQ(ReadNtBidiMode(profile_.driverName), 1);
    EXPECT_EQ(ReadNtLanguage(profile_.driverName, profile_.driverClass), 1);
}

TEST_F(NtDriverSettingsTest, MissingKeyGivesOneAndOne) {
    const DriverSettings settings = ReadDriverSettings(platform_, profile_);
    EXPECT_EQ(settings.bidi, 1);
    EXPECT_EQ(settings.language, 1);
}

// The key path holds 66 fixed characters: a driver name of 189 characters
// still fits 255, one of 190 or 200 forms no path and reads the defaults.
// The registry here refuses such long keys too; the values are written where
// it takes them, and the read must not reach past its buffers either way.
TEST_F(NtDriverSettingsTest, DriverNameTooLongForThePathGivesTheDefaults) {
    struct Row {
        std::size_t length;
        int bidi;
        int language;
    } rows[] = {{189, 0, 6}, {190, 1, 1}, {200, 1, 1}};
    for (const Row& row : rows) {
        UseDriver(std::string(row.length, 'p'), "SMTQ");
        const bool written = SetBidiMode("0") && SetLanguage("A,6");
        if (row.length <= 189) {
            ASSERT_TRUE(written);
        }
        const DriverSettings settings = ReadDriverSettings(platform_, profile_);
        EXPECT_EQ(settings.bidi, row.bidi) << row.length;
        EXPECT_EQ(settings.language, row.language) << row.length;
    }
}

TEST_F(NtDriverSettingsTest, NeitherFamilyReadsNothing) {
    ASSERT_TRUE(SetBidiMode("0"));
    ASSERT_TRUE(SetLanguage("A,6"));
    platform_ = PlatformFamily::kOther;
    const DriverSettings settings = ReadDriverSettings(platform_, profile_);
    EXPECT_EQ(settings.bidi, 1);
    EXPECT_EQ(settings.language, 1);
}

std::string WindowsDirectory() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, sizeof directory);
    return directory;
}

// The driver INI file and the WIN.INI entry of a test driver class, in the
// Windows directory, on the 95 family. Each test uses a class of its own, so
// no file is read again under a name that an earlier test used.
class Win95DriverSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = PlatformFamily::kWin95;
    }
    void TearDown() override {
        for (const std::string& driverClass : classes_) {
            WritePrivateProfileStringA("DRVLIBINTL", (driverClass + "W.DRV").c_str(), nullptr,
                                       "WIN.INI");
            DeleteFileA((WindowsDirectory() + "\\" + driverClass + ".INI").c_str());
        }
    }

    void UseClass(const char* driverClass) {
        CopyBounded(profile_.driverClass, driverClass);
        classes_.push_back(driverClass);
        // Nothing of an earlier run may be left.
        WritePrivateProfileStringA("DRVLIBINTL", (classes_.back() + "W.DRV").c_str(), nullptr,
                                   "WIN.INI");
        DeleteFileA((WindowsDirectory() + "\\" + driverClass + ".INI").c_str());
    }
    void WriteDriverIni(const std::string& content) {
        ASSERT_TRUE(TempDir::WriteWholeFile(
            WindowsDirectory() + "\\" + profile_.driverClass + ".INI", content));
    }
    void SetWinIniLanguage(const std::string& value) {
        ASSERT_TRUE(WritePrivateProfileStringA(
            "DRVLIBINTL", (std::string(profile_.driverClass) + "W.DRV").c_str(), value.c_str(),
            "WIN.INI"));
    }

    PlatformFamily platform_ = PlatformFamily::kOther;
    ProfileSet profile_;
    std::vector<std::string> classes_;
};

TEST_F(Win95DriverSettingsTest, UseBidiComesFromTheDriverIniFile) {
    UseClass("SM1");
    WriteDriverIni("[Settings]\r\nUseBidi=3\r\n");
    EXPECT_EQ(ReadDriverSettings(platform_, profile_).bidi, 3);

    UseClass("SM2");
    WriteDriverIni("[Settings]\r\nUseBidi=0\r\n");
    EXPECT_EQ(ReadDriverSettings(platform_, profile_).bidi, 0);

    UseClass("SM3");
    WriteDriverIni("[Other]\r\nUseBidi=1\r\n");
    EXPECT_EQ(ReadDriverSettings(platform_, profile_).bidi, 0);
}

TEST_F(Win95DriverSettingsTest, NoDriverIniFileSwitchesBidiOff) {
    UseClass("SM4");
    SetWinIniLanguage("A,B,9");
    const DriverSettings settings = ReadDriverSettings(platform_, profile_);
    EXPECT_EQ(settings.bidi, 0);
    EXPECT_EQ(settings.language, 9);
}

TEST_F(Win95DriverSettingsTest, LanguageIsTheThirdWinIniField) {
    // Field 2 of a 100-character value starts at character 78: only its
    // first digit is within the 79 characters that are split.
    const std::string cutValue = "A," + std::string(75, 'B') + ",56" + std::string(20, 'x');
    ASSERT_EQ(cutValue.size(), 100u);
    ASSERT_EQ(cutValue.substr(78, 2), "56");

    struct Row {
        const char* driverClass;
        std::string value;  // "-" for no entry
        int language;
    } rows[] = {
        {"SM5", "A,B,7", 7}, {"SM6", "A,,7", 7}, {"SM7", ",7", 0},      {"SM8", "A,B", 0},
        {"SM9", "-", 1},     {"SMA", cutValue, 5}, {"SMB", "A,B,-3,4", -3}, {"SMC", " , , 12 ", 12},
        {"SME", "", 1},
    };
    for (const Row& row : rows) {
        UseClass(row.driverClass);
        WriteDriverIni("[Settings]\r\nUseBidi=1\r\n");
        if (row.value != "-") SetWinIniLanguage(row.value);
        const DriverSettings settings = ReadDriverSettings(platform_, profile_);
        EXPECT_EQ(settings.bidi, 1) << row.driverClass;
        EXPECT_EQ(settings.language, row.language) << row.driverClass << " " << row.value;
    }
}

TEST_F(Win95DriverSettingsTest, NeitherFamilyReadsNothing) {
    UseClass("SMD");
    WriteDriverIni("[Settings]\r\nUseBidi=0\r\n");
    SetWinIniLanguage("A,B,7");
    platform_ = PlatformFamily::kOther;
    const DriverSettings settings = ReadDriverSettings(platform_, profile_);
    EXPECT_EQ(settings.bidi, 1);
    EXPECT_EQ(settings.language, 1);
}

}  // namespace
