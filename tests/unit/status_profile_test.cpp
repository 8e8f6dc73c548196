#include "config/status_profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/file_path.h"
#include "state/profile_set.h"
#include "text/text.h"
#include "unit/test_support.h"

namespace {

using test_support::TempDir;
using test_support::TestWindow;
using test_support::WindowText;

// A status profile and a default profile on disk, with the monitor state
// pointing at them.
class StatusProfileTest : public ::testing::Test {
protected:
    void UseProfiles(const std::string& profile, const std::string& defaultProfile,
                     const char* driver, int language) {
        CopyBounded(profile_.profilePath, dir_.Write("status.ini", profile).c_str());
        CopyBounded(profile_.defaultProfilePath, dir_.Write("default.ini", defaultProfile).c_str());
        CopyBounded(profile_.driverName, driver);
        profile_.language = language;
    }

    // The lookup's result, with "!" standing for not found.
    std::string Lookup(const char* key, bool localized) const {
        char out[kProfileTextSize];
        CopyBounded(out, "stale text");
        const bool found = LookupProfileString(profile_, key, out, sizeof out, localized);
        if (!found) {
            EXPECT_STREQ(out, "") << key << ": not found leaves an empty text";
            return "!";
        }
        return out;
    }

    // The window's caption as the dialog sets it from the profile.
    void SetCaptionFromProfile(HWND window, const char* key) const {
        char caption[kProfileTextSize];
        LookupCaption(profile_, key, caption);
        SetWindowTextA(window, caption);
    }

    ProfileSet profile_;
    TempDir dir_;
};

const char kWorkedProfile[] =
    "[Hall Printer]\r\n"
    "ScrollMsg=1\r\n"
    "00012=0x0C,2,101\r\n"
    "[Default]\r\n"
    "00000=0,0,100\r\n"
    "[Hall Printer,001]\r\n"
    "Caption=Hall caption 1\r\n"
    "00101=Message 101 in language 1\r\n"
    "[Default,001]\r\n"
    "00100=Message 100 in language 1\r\n"
    "[Default,002]\r\n"
    "00100=Message 100 in language 2\r\n";

const char kWorkedDefaultProfile[] =
    "[Default]\r\n"
    "00040=64,1,140\r\n";

TEST_F(StatusProfileTest, WorkedExampleFollowsTheChains) {
    UseProfiles(kWorkedProfile, kWorkedDefaultProfile, "Hall Printer", 1);
    struct Row {
        const char* key;
        bool localized;
        const char* expected;  // "!" when not found
    } rows[] = {
        {"00012", false, "0x0C,2,101"},  // driver section
        {"00000", false, "0,0,100"},     // Default of the status profile
        {"00040", false, "64,1,140"},    // Default of the default profile
        {"ScrollMsg", false, "1"},
        {"00101", true, "Message 101 in language 1"},  // driver language section
        {"00100", true, "Message 100 in language 1"},  // Default,001, not Default,002
        {"00140", true, "!"},        // texts never come from the default profile
        {"Caption", true, "Hall caption 1"},
        {"00101", false, "!"},       // language sections are not plain sections
        {"00012", true, "!"},        // nor the other way round
        {"00041", false, "!"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Lookup(row.key, row.localized), row.expected)
            << row.key << (row.localized ? " localized" : " plain");
    }
}

TEST_F(StatusProfileTest, OtherLanguageFindsOnlyItsOwnSections) {
    UseProfiles(kWorkedProfile, kWorkedDefaultProfile, "Hall Printer", 2);
    EXPECT_EQ(Lookup("00100", true), "Message 100 in language 2");
    EXPECT_EQ(Lookup("00101", true), "!");
    EXPECT_EQ(Lookup("Caption", true), "!");
    EXPECT_EQ(Lookup("00012", false), "0x0C,2,101");  // plain mode has no language
}

TEST_F(StatusProfileTest, EmptyValueDoesNotHideALaterOne) {
    UseProfiles(
        "[Hall Printer]\r\n00013=\r\n00014=\r\n"
        "[Default]\r\n00013=0,1,5\r\n00014=\r\n"
        "[Hall Printer,001]\r\n00200=\r\n"
        "[Default,001]\r\n00200=Text from Default\r\n",
        "[Default]\r\n00014=0,2,6\r\n", "Hall Printer", 1);
    EXPECT_EQ(Lookup("00013", false), "0,1,5");
    EXPECT_EQ(Lookup("00014", false), "0,2,6");
    EXPECT_EQ(Lookup("00200", true), "Text from Default");
}

TEST_F(StatusProfileTest, LongValueIsCutTo255Characters) {
    const std::string longValue = std::string(250, 'a') + std::string(50, 'b');
    UseProfiles("[Hall Printer]\r\n00001=" + longValue + "\r\n", "", "Hall Printer", 1);

    // The guard bytes past the size handed in must stay as they are.
    char out[kProfileTextSize + 16];
    std::memset(out, 'q', sizeof out);
    ASSERT_TRUE(LookupProfileString(profile_, "00001", out, kProfileTextSize, false));
    EXPECT_EQ(std::string(out), longValue.substr(0, 255));
    for (std::size_t i = kProfileTextSize; i < sizeof out; ++i) EXPECT_EQ(out[i], 'q') << i;
}

TEST_F(StatusProfileTest, LanguageNumberFormsTheSectionSuffix) {
    const char profile[] =
        "[Hall Printer,000]\r\nA=driver 000\r\n"
        "[Default,000]\r\nB=default 000\r\n"
        "[Hall Printer,1234]\r\nA=driver 1234\r\n"
        "[Default,1234]\r\nB=default 1234\r\n"
        "[Hall Printer,-01]\r\nA=driver -01\r\n"
        "[Hall Printer,007]\r\nA=driver 007\r\n"
        "[Hall Printer,7]\r\nA=driver 7\r\n";
    struct Row {
        int language;
        const char* a;
        const char* b;
    } rows[] = {
        {0, "driver 000", "default 000"},
        {1234, "driver 1234", "default 1234"},
        {-1, "driver -01", "!"},
        {7, "driver 007", "!"},
        {1, "!", "!"},
    };
    UseProfiles(profile, "", "Hall Printer", 0);
    for (const Row& row : rows) {
        profile_.language = row.language;
        EXPECT_EQ(Lookup("A", true), row.a) << row.language;
        EXPECT_EQ(Lookup("B", true), row.b) << row.language;
    }
}

// A driver name of 251 characters still forms "<name>,001" in 255; a longer
// one does not, and its language section counts as not found. A name cut to
// fit would instead name the plain driver section, which holds a decoy.
TEST_F(StatusProfileTest, DriverNameTooLongForItsLanguageSectionFindsNothingThere) {
    for (std::size_t length : {251u, 252u, 255u}) {
        const std::string driver(length, 'd');
        UseProfiles("[" + driver + "]\r\n00101=decoy\r\n00001=plain\r\n" +
                        "[" + driver + ",001]\r\n00101=localized\r\n" +
                        "[Default,001]\r\n00102=default text\r\n",
                    "", driver.c_str(), 1);
        ASSERT_EQ(std::strlen(profile_.driverName), length);
        EXPECT_EQ(Lookup("00101", true), length <= 251 ? "localized" : "!") << length;
        EXPECT_EQ(Lookup("00102", true), "default text") << length;
        EXPECT_EQ(Lookup("00001", false), "plain") << length;
    }
}

TEST_F(StatusProfileTest, MissingFilesFindNothing) {
    CopyBounded(profile_.driverName, "Hall Printer");
    profile_.language = 1;
    EXPECT_EQ(Lookup("00012", false), "!");  // both paths empty
    EXPECT_EQ(Lookup("Caption", true), "!");

    const std::string missing = dir_.Write("placeholder.ini", "") + ".missing";
    CopyBounded(profile_.profilePath, missing.c_str());
    CopyBounded(profile_.defaultProfilePath, missing.c_str());
    EXPECT_EQ(Lookup("00012", false), "!");
    EXPECT_EQ(Lookup("Caption", true), "!");
}

TEST_F(StatusProfileTest, SizeZeroWritesNothing) {
    UseProfiles(kWorkedProfile, kWorkedDefaultProfile, "Hall Printer", 1);
    char out[4] = {'q', 'q', 'q', 'q'};
    EXPECT_FALSE(LookupProfileString(profile_, "00012", out, 0, false));
    EXPECT_EQ(out[0], 'q');
}

TEST_F(StatusProfileTest, CaptionComesFromTheLanguageSectionsOrSaysNotFound) {
    TestWindow window;
    ASSERT_NE(window.Handle(), nullptr);

    UseProfiles(kWorkedProfile, kWorkedDefaultProfile, "Hall Printer", 1);
    SetCaptionFromProfile(window.Handle(), "Caption");
    EXPECT_EQ(WindowText(window.Handle()), "Hall caption 1");

    profile_.language = 2;
    SetCaptionFromProfile(window.Handle(), "Caption");
    EXPECT_EQ(WindowText(window.Handle()), "\"Caption\" not found!");

    // A caption in the driver section without language does not count.
    UseProfiles("[Hall Printer]\r\nCaption=plain caption\r\n"
                "[Default,003]\r\nCaption=default caption 3\r\n",
                "", "Hall Printer", 3);
    SetCaptionFromProfile(window.Handle(), "Caption");
    EXPECT_EQ(WindowText(window.Handle()), "default caption 3");
    profile_.language = 4;
    SetCaptionFromProfile(window.Handle(), "Caption");
    EXPECT_EQ(WindowText(window.Handle()), "\"Caption\" not found!");
}

// Paths handed to the profile functions: devices and shares could block the
// monitor's only thread, so they are never opened.
TEST(IsPlainFilePath, RefusesDevicesAndSharesAndNothingElse) {
    struct Row {
        const char* path;
        bool plain;
    } rows[] = {
        {"C:\\drivers\\profile.ini", true},
        {"profile.ini", true},
        {"C:\\p\\console.ini", true},
        {"NULL.ini", true},
        {"C:\\p\\COM10.ini", true},
        {"", false},
        {"NUL", false},
        {"nul.ini", false},
        {"CON:", false},
        {"C:NUL", false},
        {"C:\\x\\Com1 .ini", false},
        {"D:/x/lpt9.txt", false},
        {"C:\\x\\conout$", false},
        {"\\\\host\\share\\profile.ini", false},
        {"//host/share/profile.ini", false},
        {"\\\\.\\NUL", false},
        {"\\\\?\\C:\\profile.ini", false},
    };
    for (const Row& row : rows) EXPECT_EQ(IsPlainFilePath(row.path), row.plain) << row.path;
}

}  // namespace
