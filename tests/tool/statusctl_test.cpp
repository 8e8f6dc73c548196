// statusctl's command line and its error paths, run as a user runs it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/monitor_process.h"
#include "tool/statusctl_runner.h"

namespace {

using tool::RunResult;
using tool::RunStatusctl;

constexpr unsigned long kFailed = 1;
constexpr unsigned long kUsage = 2;
constexpr unsigned long kNoMonitor = 3;

// An error is one line on stderr, naming the program.
void ExpectOneLineError(const RunResult& result, const std::string& expected) {
    EXPECT_EQ("statusctl: " + expected + "\n", result.err);
}

class StatusctlCommandLine : public testing::Test {
protected:
    // No monitor may run: several cases rely on "no monitor is running", and a
    // running one would receive their codes. No install by statusctl either.
    void SetUp() override {
        e2e::EndStrayMonitors();
        (void)RunStatusctl({"uninstall"});
    }
};

struct ErrorCase {
    std::vector<std::string> args;
    unsigned long exitCode;
    std::string error;
};

TEST_F(StatusctlCommandLine, RefusesBadInputWithOneLineAndAnExitCode) {
    const ErrorCase cases[] = {
        {{}, kUsage, "no command given (try statusctl --help)"},
        {{"frob"}, kUsage, "unknown command: frob (try statusctl --help)"},
        {{"post"}, kUsage, "post needs at least one status code"},
        {{"post", "12x"}, kUsage, "status code is not a 32-bit decimal number: \"12x\""},
        {{"post", "1", "x"}, kUsage, "status code is not a 32-bit decimal number: \"x\""},
        {{"post", ""}, kUsage, "status code is not a 32-bit decimal number: \"\""},
        {{"post", "-"}, kUsage, "status code is not a 32-bit decimal number: \"-\""},
        {{"post", " 5"}, kUsage, "status code is not a 32-bit decimal number: \" 5\""},
        {{"post", "5 "}, kUsage, "status code is not a 32-bit decimal number: \"5 \""},
        {{"post", "0x10"}, kUsage, "status code is not a 32-bit decimal number: \"0x10\""},
        {{"post", "2147483648"}, kUsage, "status code is not a 32-bit decimal number: \"2147483648\""},
        {{"post", "-2147483649"}, kUsage, "status code is not a 32-bit decimal number: \"-2147483649\""},
        {{"post", "4294967297"}, kUsage, "status code is not a 32-bit decimal number: \"4294967297\""},
        {{"post", "99999999999999999999999"}, kUsage,
         "status code is not a 32-bit decimal number: \"99999999999999999999999\""},
        {{"set-language"}, kUsage, "set-language needs exactly one language"},
        {{"set-language", "two"}, kUsage, "language is not a 32-bit decimal number: \"two\""},
        {{"set-bidi", "1", "2"}, kUsage, "set-bidi needs exactly one bidi"},
        {{"sleep", "-1"}, kUsage, "sleep takes 0 to 600000 milliseconds"},
        {{"quit", "now"}, kUsage, "quit takes no arguments"},
        {{"play"}, kUsage, "play needs exactly one scenario file"},
        {{"install", "--profile"}, kUsage, "option --profile needs a value"},
        {{"install", "--colour", "red"}, kUsage, "unknown option for install: --colour"},
        {{"install", "--class", "KLX40"}, kUsage, "driver class must be 1 to 4 letters or digits"},
        {{"install", "--class", "K.X"}, kUsage, "driver class must be 1 to 4 letters or digits"},
        {{"install", "--driver", "a\\b"}, kUsage,
         "driver name must be 1 to 189 characters without \\, [, ] or control characters"},
        {{"install", "--driver", std::string(190, 'd')}, kUsage,
         "driver name must be 1 to 189 characters without \\, [, ] or control characters"},
        {{"install", "--code", "1e3"}, kUsage, "code is not a 32-bit decimal number: \"1e3\""},
        {{"install", "--profile", "Z:\\no\\such\\profile.ini"}, kFailed,
         "status profile not found: Z:\\no\\such\\profile.ini"},
        {{"uninstall"}, kFailed, "nothing to uninstall: no install by statusctl found"},
        {{"set-language", "2"}, kFailed, "no driver installed by statusctl (run statusctl install first)"},
        {{"set-bidi", "0"}, kFailed, "no driver installed by statusctl (run statusctl install first)"},
        {{"play", "Z:\\no\\such.scenario"}, kFailed, "cannot open scenario file: Z:\\no\\such.scenario"},
        {{"quit"}, kNoMonitor, "no status monitor is running"},
        {{"status"}, kNoMonitor, "no status monitor is running"},
    };
    for (const ErrorCase& c : cases) {
        std::string shown;
        for (const std::string& arg : c.args) shown += "[" + arg + "]";
        SCOPED_TRACE(shown);
        const RunResult result = RunStatusctl(c.args);
        EXPECT_EQ(c.exitCode, result.exitCode);
        ExpectOneLineError(result, c.error);
        EXPECT_EQ("", result.out);
    }
}

// Codes at the edges of the 32-bit range are accepted: they get as far as
// looking for the monitor.
TEST_F(StatusctlCommandLine, AcceptsEveryThirtyTwoBitCode) {
    const char* const codes[] = {"0", "7", "+7", "-7", "007", "2147483647", "-2147483648", "10000"};
    for (const char* code : codes) {
        SCOPED_TRACE(code);
        const RunResult result = RunStatusctl({"post", code});
        EXPECT_EQ(kNoMonitor, result.exitCode);
        ExpectOneLineError(result, "no status monitor is running");
    }
}

TEST_F(StatusctlCommandLine, HelpGoesToStandardOutput) {
    for (const char* help : {"--help", "-h", "/?"}) {
        SCOPED_TRACE(help);
        const RunResult result = RunStatusctl({help});
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_EQ(0u, result.out.find("Usage: statusctl COMMAND"));
        EXPECT_NE(std::string::npos, result.out.find("post CODE..."));
        EXPECT_EQ("", result.err);
    }
}

// The whole scenario is read before anything runs: the "quit" on line 2
// would fail for want of a monitor, but the mistake on line 4 is reported.
TEST_F(StatusctlCommandLine, ScenarioMistakesAreFoundBeforeAnythingRuns) {
    tool::ScratchFolder folder;
    struct Case {
        std::string text;
        std::string error;  // after "<file>:"
    };
    const Case cases[] = {
        {"# demo\nquit\n\n1 2 x\n", "4: status code is not a 32-bit decimal number: \"x\""},
        {"quit\nslep 100\n", "2: unknown command: slep (try statusctl --help)"},
        {"quit\ninstall\n", "2: install cannot be used in a scenario"},
        {"quit\nplay other.scenario\n", "2: play cannot be used in a scenario"},
        {"quit\r\nsleep 700000\r\n", "2: sleep takes 0 to 600000 milliseconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string file = folder.Write("bad.scenario", c.text);
        const RunResult result = RunStatusctl({"play", file});
        EXPECT_EQ(kFailed, result.exitCode);
        ExpectOneLineError(result, file + ":" + c.error);
    }
}

// Comments, blank lines and CRLF line ends are skipped; the first command
// that runs is the quit, which finds no monitor.
TEST_F(StatusctlCommandLine, ScenarioRunsItsCommandsInOrder) {
    tool::ScratchFolder folder;
    const std::string file = folder.Write("good.scenario", "# comment\r\n\r\n  sleep 10 # short\r\nquit\r\n1\r\n");
    const RunResult result = RunStatusctl({"play", file});
    EXPECT_EQ(kNoMonitor, result.exitCode);
    ExpectOneLineError(result, "no status monitor is running");
}

}  // namespace
