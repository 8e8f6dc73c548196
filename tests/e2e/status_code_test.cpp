// Status codes posted to the running monitor, as the spooler side posts them,
// and what a user then sees. Each row is a configuration, the codes posted
// and what shows afterwards.
#include <string>
#include <vector>

#include "e2e/e2e_test.h"
#include "protocol/config_names.h"

namespace {

using harness::Severity;
constexpr Severity X = Severity::kNone, N = Severity::kNormal, W = Severity::kWarning, E = Severity::kError;

std::string StatusProfile(bool scroll) {
    return std::string("[Hall Printer]\r\nScrollMsg=") + (scroll ? "1" : "0") +
           "\r\n00012=0x0C,2,101\r\n00013=7,1,102\r\n00014=5\r\n00015=\r\n00016=0,1,999\r\n"
           "04711=0,0,4711\r\n10000=0,0,10000\r\n12345=0,0,12345\r\n20000=0,0,30000\r\n30000=0,0,101\r\n"
           "[Default]\r\n00000=0,0,100\r\n00015=0,2,103\r\n"
           "[Hall Printer,001]\r\nCaption=Hall Printer Status\r\n00101=Paper low\r\n00102=Cover open\r\n"
           "04711=Line 4711\r\n10000=Line 10000\r\n12345=Line 12345\r\n30000=Line 30000\r\n"
           "[Default,001]\r\n00000=Zero\r\n00100=Ready\r\n00103=Toner low\r\n"
           "[Default,002]\r\n00100=Bereit\r\n";
}

constexpr const char* kDefaultProfile = "[Default]\r\n00040=64,1,140\r\n00041=0,2,100\r\n00042=0,0,102\r\n";
// The caption of language 1 and of a language without one; language 1's value.
constexpr const char *C = "Hall Printer Status", *NC = "\"Caption\" not found!", *L1 = "X,1";

struct Row {
    const char* name;
    bool scroll;
    const char* bidiMode;  // "<driver>=BidiMode"; null: none
    const char* language;  // "DrvlibIntl=HALLU.DLL"
    std::vector<int> codes;
    const char* text;      // the status area afterwards
    const char* caption;
    Severity severity;     // the dialog's severity icon
    Severity tray;         // kNone: no tray icon
    const char* tip;
    const char* driver = nullptr;  // the data key's "Driver"; null: the driver's name
};

const Row kRows[] = {
    {"DriverEntryAndText", false, nullptr, L1, {12}, "Paper low", C, W, W, "Paper low"},
    {"DefaultSectionAndDefaultTexts", false, nullptr, L1, {12, 0}, "Ready", C, X, N, "Ready"},
    {"DefaultProfileEntry", false, nullptr, L1, {41}, "Ready", C, W, W, "Ready"},
    {"DefaultProfileEntryWithText", false, nullptr, L1, {42}, "Cover open", C, X, N, "Cover open"},
    {"EntryWithoutTextKeepsTheOldText", false, nullptr, L1, {12, 40}, "Paper low", C, E, E, "Paper low"},
    {"MessageWithoutTextKeepsTheOldText", false, nullptr, L1, {13, 16}, "Cover open", C, E, E, "Cover open"},
    {"OneFieldEntryIsNormalWithMessageZero", false, nullptr, L1, {13, 14}, "Zero", C, X, N, "Zero"},
    {"EmptyValueFallsThroughToDefault", false, nullptr, L1, {15}, "Toner low", C, W, W, "Toner low"},
    {"CodeWithoutEntryChangesNothing", false, nullptr, L1, {12, 99}, "Paper low", C, W, W, "Paper low"},
    {"OtherLanguageWithoutCaption", false, nullptr, "X,2", {0}, "Bereit", NC, X, N, "Bereit"},
    {"NoLanguageValueIsLanguageOne", false, nullptr, nullptr, {0}, "Ready", C, X, N, "Ready"},
    {"SwitchOffHidesButTheAreaFollows", false, "0", L1, {12}, "Paper low", C, X, X, nullptr},
    {"NegativeSwitchIsOn", false, "-1", L1, {12}, "Paper low", C, W, W, "Paper low"},
    {"EmptySwitchIsOn", false, "", L1, {13}, "Cover open", C, E, E, "Cover open"},
    {"ScrollModeAppendsLines", true, nullptr, L1, {12, 13}, "Paper low\r\nCover open\r\n", C, E, E, "Cover open"},
    // In scroll mode each handled code adds a line: the lines count the codes that passed the repeat test.
    {"RepeatedHighCodeIsDropped", true, nullptr, L1, {12345, 12345}, "Line 12345\r\n", C, X, N, "Line 12345"},
    {"RepeatTestStartsAt10000", true, nullptr, L1, {10000, 10000}, "Line 10000\r\n", C, X, N, "Line 10000"},
    {"LowCodesAlwaysPass", true, nullptr, L1, {4711, 4711}, "Line 4711\r\nLine 4711\r\n", C, X, N, "Line 4711"},
    {"RepeatTestUsesTheMessageCode", true, nullptr, L1, {20000, 30000, 20000}, "Line 30000\r\nLine 30000\r\n", C, X, N,
     "Line 30000"},
    // Without a driver name nothing is looked up, not even the default
    // profile's entry: the dialog stays as it started.
    {"EmptyDriverChangesNothing", false, nullptr, L1, {41}, "", "Status Monitor", X, N, "Printer Status", ""},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class StatusCodeTest : public EndToEndTest, public ::testing::WithParamInterface<Row> {};

TEST_P(StatusCodeTest, ShowsWhatTheProfileSays) {
    const Row& row = GetParam();
    harness::TestDriver& driver = Driver();
    driver.SetProfiles(StatusProfile(row.scroll), kDefaultProfile);
    if (row.bidiMode != nullptr) driver.SetBidiMode(row.bidiMode);
    if (row.language != nullptr) driver.SetLanguage(row.language);
    if (row.driver != nullptr) driver.SetData(kDriverValue, row.driver);
    harness::Monitor& monitor = Start();
    Show(row.codes);

    EXPECT_EQ(monitor.StatusText(), row.text);
    EXPECT_EQ(monitor.Caption(), row.caption);
    EXPECT_EQ(monitor.Visible(), row.tray != Severity::kNone);
    if (monitor.Visible()) {
        EXPECT_EQ(monitor.DialogSeverity(), row.severity);
    }
    EXPECT_EQ(monitor.TraySeverity(), row.tray);
    EXPECT_EQ(monitor.TrayTip(), row.tip != nullptr ? row.tip : "<no tray icon>");
}

INSTANTIATE_TEST_SUITE_P(Rows, StatusCodeTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
