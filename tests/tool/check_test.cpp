// statusctl check on profile snippets: which section and key each finding
// names. The checks are called directly; the command line's exit codes are
// in statusctl_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_driver.h"
#include "tools/statusctl/check/check.h"

namespace {

constexpr const char* kTexts = "[D,001]\r\nCaption=D\r\n00101=Jam\r\n";

struct Row {
    const char* name;
    std::string profile;
    std::string defaultProfile;  // empty: none given
    std::string findings;        // "file [section] key; " per finding, in order
};

std::string WithTexts(const std::string& entries) { return "[D]\r\n" + entries + kTexts; }

const Row kRows[] = {
    {"Clean", WithTexts("ScrollMsg=1\r\n00001=0x0F,1,101\r\n-0002=017,2,101\r\n"), "", ""},
    {"SeverityOutOfRangeAndDuplicateKey", WithTexts("00010=0,5,101\r\n00011=0,2,101\r\n00011=0,1,101\r\n"), "",
     "s [D] 00010; s [D] 00011; "},
    {"KeyNeverLookedUp", WithTexts("20=0,0,101\r\n0012=0,0,101\r\n"), "", "s [D] 20; s [D] 0012; "},
    {"TextAfterTheDigits", WithTexts("00021=0,2x,101 ; x\r\n"), "", "s [D] 00021; s [D] 00021; "},
    {"NotANumberOrBeyond32Bits", WithTexts("00001=0x,1,101\r\n00002=09,1,4294967396\r\n"), "",
     "s [D] 00001; s [D] 00002; s [D] 00002; s [D,001] 00100; "},
    {"MissingMessageCodeAndExtraFields", WithTexts("00001=0,1\r\n00002=0,1,101,x\r\n"), "",
     "s [D] 00001; s [D] 00002; s [D,001] 00000; "},
    {"EmptyEntryAndText",
     "[D]\r\n00021=\r\n00022=0,0,102\r\n[D,001]\r\nCaption=D\r\n00102=\r\n[Default,001]\r\n00102=J\r\n", "",
     "s [D] 00021; s [D,001] 00102; "},
    {"MessageWithoutTextAndLanguageWithoutCaption", "[D]\r\n00001=0,1,121\r\n[D,001]\r\n00101=Jam\r\n", "",
     "s [D,001] Caption; s [D,001] 00121; "},
    {"TextLongerThan255", "[D]\r\n00001=0,1,101\r\n[D,001]\r\nCaption=D\r\n00101=" + std::string(256, 'x'), "",
     "s [D,001] 00101; "},
    {"ScrollMsgAndCaptionOutOfPlace",
     WithTexts("00001=0,1,101\r\nScrollMsg=x\r\nCaption=C\r\n") + "[Default]\r\nScrollMsg=1", "",
     "s [D] ScrollMsg; s [D] Caption; s [Default] ScrollMsg; "},
    {"SectionsNeverReadAndADefaultEntryWithoutText", WithTexts("00001=0,1,101\r\n") + "[Default,1]\r\n00101=x\r\n",
     "[Default]\r\n00040=0,1,140\r\nCaption=x\r\n[Other]\r\n1=2\r\n",
     "s [Default,1] ; d [Default] Caption; d [Other] ; s [D,001] 00140; "},
    {"NoDriverSection", "[E]\r\n00001=0,1,101\r\n", "", "s [D] ; s [] ; "},
    {"AlertOfTwo", WithTexts("Alert=2\r\n00001=0,1,101\r\n"), "", ""},
    {"AlertNotAPlainNumber", WithTexts("Alert=1x\r\n00001=0,1,101\r\n"), "", "s [D] Alert; "},
    {"AlertBeyondTwoAndOutOfPlace", WithTexts("Alert=3\r\n00001=0,1,101\r\n") + "[Default]\r\nAlert=1\r\n",
     "[Default]\r\nAlert=1\r\n[Other]\r\nAlert=2\r\n",
     "s [D] Alert; s [Default] Alert; d [Default] Alert; d [Other] ; d [Other] Alert; "},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class CheckTest : public ::testing::TestWithParam<Row> {};

TEST_P(CheckTest, FindsWhatTheMonitorWouldMisread) {
    const Row& row = GetParam();
    harness::TestDriver files("Check Printer", "Check");
    CheckOptions options;
    options.profile = files.WriteFile("s", row.profile);
    if (!row.defaultProfile.empty()) options.defaultProfile = files.WriteFile("d", row.defaultProfile);
    options.driver = "D";
    CheckResult result;
    std::string error;
    ASSERT_TRUE(CheckProfiles(options, &result, &error)) << error;
    std::string findings;
    for (const Finding& finding : result.findings) {
        findings += finding.file.substr(finding.file.size() - 1) + " [" + finding.section + "] " + finding.key + "; ";
    }
    EXPECT_EQ(findings, row.findings);
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
