// "statusctl check": each kind of mistake in a small profile is found and
// named by file, section and key; profiles that read as meant check clean.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool/statusctl_runner.h"

namespace {

using tool::RunResult;
using tool::RunStatusctl;
using tool::ScratchFolder;

constexpr unsigned long kClean = 0;
constexpr unsigned long kFindings = 1;
constexpr unsigned long kUsage = 2;

const char kDriver[] = "Hall Printer";

// A profile pair without mistakes, for driver "Hall Printer" and language 1.
// Each case below changes one line of it.
const char kCleanProfile[] =
    "; status profile\r\n"
    "[Hall Printer]\r\n"
    "ScrollMsg=1\r\n"
    "00001=0x01,2,101\r\n"
    "[Default]\r\n"
    "00000=0,0,100\r\n"
    "[Hall Printer,001]\r\n"
    "Caption=Hall Printer Status\r\n"
    "00101=Paper low\r\n"
    "[Default,001]\r\n"
    "Caption=Printer Status\r\n"
    "00100=No status information\r\n"
    "00190=Printer busy\r\n";

const char kCleanDefault[] =
    "[Default]\r\n"
    "00090=0x5A,1,190\r\n";

// Replaces the one line that starts with `line` (or, when `line` is empty,
// appends) in text.
std::string Change(std::string text, const std::string& line, const std::string& replacement) {
    if (line.empty()) return text + replacement + "\r\n";
    const std::size_t start = text.find(line);
    EXPECT_NE(std::string::npos, start) << line;
    if (start == std::string::npos) return text;
    const std::size_t end = text.find("\r\n", start);
    return text.replace(start, end - start, replacement);
}

struct Edit {
    std::string line;         // the line of the clean file to replace; "" appends
    std::string replacement;  // "" removes the line's text
};

struct MistakeCase {
    const char* name;
    Edit profile;             // to the status profile
    Edit defaultProfile;      // to the default profile
    std::vector<std::string> extraArgs;
    bool inDefaultProfile;    // the finding names the default profile
    std::string section;
    std::string key;          // "" for a finding about a whole section
    std::string explanation;  // part of the finding's text
};

const Edit kNoEdit = {"", ""};

bool IsNoEdit(const Edit& edit) { return edit.line.empty() && edit.replacement.empty(); }

std::string Apply(const char* text, const Edit& edit) {
    return IsNoEdit(edit) ? std::string(text) : Change(text, edit.line, edit.replacement);
}

struct ProfilePair {
    std::string profile;
    std::string defaultProfile;
};

ProfilePair WriteProfiles(ScratchFolder& folder, const std::string& stem, const std::string& profile,
                          const std::string& defaultProfile) {
    return {folder.Write(stem + "-profile.ini", profile), folder.Write(stem + "-default.ini", defaultProfile)};
}

RunResult Check(const ProfilePair& files, const std::vector<std::string>& extraArgs = {},
                const char* driver = kDriver) {
    std::vector<std::string> args = {"check", files.profile, "--default", files.defaultProfile, "--driver", driver};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return RunStatusctl(args);
}

// The finding's line: "FILE [SECTION] KEY: ..." holding the explanation.
bool HasFinding(const std::string& out, const std::string& file, const std::string& section,
                const std::string& key, const std::string& explanation) {
    const std::string start = file + " [" + section + "]" + (key.empty() ? "" : " " + key) + ": ";
    std::size_t at = 0;
    while ((at = out.find(start, at)) != std::string::npos) {
        const std::size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end - at);
        if ((at == 0 || out[at - 1] == '\n') && line.find(explanation) != std::string::npos) return true;
        at = end;
    }
    return false;
}

std::string LastLine(const std::string& out) {
    const std::size_t end = out.size() > 0 && out.back() == '\n' ? out.size() - 1 : out.size();
    const std::size_t start = out.rfind('\n', end > 0 ? end - 1 : 0);
    return out.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

TEST(StatusctlCheck, FindsEachKindOfMistake) {
    const std::string longText(300, 't');
    const MistakeCase cases[] = {
        // Entries that read differently from how they look.
        {"severity out of range", {"00001=", "00001=0x01,5,101"}, kNoEdit, {}, false, kDriver, "00001",
         "severity '5' is neither 1 (error) nor 2 (warning): shows as normal"},
        {"severity without digits", {"00001=", "00001=0x01,x,101"}, kNoEdit, {}, false, kDriver, "00001",
         "severity (field 1) 'x' is not a number: reads as 0"},
        {"severity empty", {"00001=", "00001=0x01,,101"}, kNoEdit, {}, false, kDriver, "00001",
         "severity (field 1) is empty: reads as 0"},
        {"severity with trailing text", {"00001=", "00001=0x01,2x,101"}, kNoEdit, {}, false, kDriver, "00001",
         "severity (field 1) '2x' reads as 2: 'x' after the digits is ignored"},
        {"number not a number", {"00001=", "00001=abc,2,101"}, kNoEdit, {}, false, kDriver, "00001",
         "number (field 0) 'abc' is not a number"},
        {"number 0x without digits", {"00001=", "00001=0x,2,101"}, kNoEdit, {}, false, kDriver, "00001",
         "number (field 0) '0x' reads as 0: 'x' after the digits is ignored"},
        {"number with trailing text", {"00001=", "00001=12abc,2,101"}, kNoEdit, {}, false, kDriver, "00001",
         "number (field 0) '12abc' reads as 12"},
        {"number read as octal", {"00001=", "00001=09,2,101"}, kNoEdit, {}, false, kDriver, "00001",
         "a leading 0 makes it octal"},
        {"message code missing", {"00001=", "00001=0x01,2"}, kNoEdit, {}, false, kDriver, "00001",
         "no message code (field 2): reads as 0"},
        {"message code in hexadecimal", {"00001=", "00001=0x01,2,0x65"}, kNoEdit, {}, false, kDriver, "00001",
         "this field is decimal only"},
        {"message code too large", {"00001=", "00001=0x01,2,4294967397"}, kNoEdit, {}, false, kDriver, "00001",
         "does not fit in 32 bits"},
        {"fourth field", {"00001=", "00001=0x01,2,101,Paper low"}, kNoEdit, {}, false, kDriver, "00001",
         "4 fields: everything after the message code (field 2) is ignored"},
        {"mistake in the default profile", kNoEdit, {"00090=", "00090=0x5A,9,190"}, {}, true, "Default", "00090",
         "severity '9' is neither 1 (error) nor 2 (warning)"},
        // Message codes without a text.
        {"message text missing", {"00101=", "00102=Paper low"}, kNoEdit, {}, false, "Hall Printer,001", "00101",
         "message code 101 has no text in language 1"},
        {"default profile's message text missing", {"00190=", ""}, kNoEdit, {}, false, "Hall Printer,001", "00190",
         "status 00090 ([Default] of "},
        {"text missing in a second language",
         {"", "[Default,002]\r\nCaption=Druckerstatus\r\n00100=Keine Statusinformation\r\n00190=Beschaeftigt"},
         kNoEdit, {"--languages", "1,2"}, false, "Hall Printer,002", "00101",
         "message code 101 has no text in language 2"},
        {"language without any section", kNoEdit, kNoEdit, {"--languages", "1,3"}, false, "Hall Printer,003", "",
         "language 3 has no section"},
        // Captions.
        {"caption missing", {"", "[Default,002]\r\n00100=Keine Statusinformation\r\n00101=Wenig Papier\r\n"
                                  "00190=Beschaeftigt"},
         kNoEdit, {}, false, "Hall Printer,002", "Caption",
         "language 2 has no caption, neither here nor in [Default,002]: the dialog's title reads \"Caption\" not found!"},
        // Keys the monitor never looks up, empty and overlong values.
        {"status key without padding", {"00001=", "1=0x01,2,101"}, kNoEdit, {}, false, kDriver, "1",
         "status code 1 is looked up as '00001'"},
        {"status key padded too far", {"00001=", "000001=0x01,2,101"}, kNoEdit, {}, false, kDriver, "000001",
         "status code 1 is looked up as '00001'"},
        {"message key without padding", {"00190=", "190=Printer busy"}, kNoEdit, {}, false, "Default,001", "190",
         "message code 190 is looked up as '00190'"},
        {"status key not a number", {"00000=", "Ready=0,0,100"}, kNoEdit, {}, false, "Default", "Ready",
         "never looked up"},
        {"empty entry falls through", {"00001=", "00001=0x01,2,101\r\n00000="}, kNoEdit, {}, false, kDriver,
         "00000", "the monitor goes on to the entry in [Default] of "},
        {"empty entry at the end of the chain", kNoEdit, {"", "00091="}, {}, true, "Default", "00091",
         "counts as no entry, and no section after this one has one"},
        {"empty text falls through", {"00101=", "00101=Paper low\r\n00100="}, kNoEdit, {}, false,
         "Hall Printer,001", "00100", "the monitor goes on to the text in [Default,001]"},
        {"text too long", {"00101=", "00101=" + longText}, kNoEdit, {}, false, "Hall Printer,001", "00101",
         "value is 300 characters long: the monitor shows only the first 255"},
        {"key twice", {"00001=", "00001=0x01,2,101\r\n00001=0x01,1,101"}, kNoEdit, {}, false, kDriver, "00001",
         "appears again in this section"},
        {"ScrollMsg not a number", {"ScrollMsg=", "ScrollMsg=yes"}, kNoEdit, {}, false, kDriver, "ScrollMsg",
         "ScrollMsg 'yes' is not a plain number: the monitor reads it as 0"},
        // ScrollMsg and Caption where the monitor never reads them.
        {"ScrollMsg in Default", {"00000=", "00000=0,0,100\r\nScrollMsg=1"}, kNoEdit, {}, false, "Default",
         "ScrollMsg", "ScrollMsg is never read here"},
        {"ScrollMsg in a language section", {"00101=", "00101=Paper low\r\nScrollMsg=1"}, kNoEdit, {}, false,
         "Hall Printer,001", "ScrollMsg", "ScrollMsg is never read here"},
        {"ScrollMsg in the default profile", kNoEdit, {"", "ScrollMsg=1"}, {}, true, "Default", "ScrollMsg",
         "ScrollMsg is never read here"},
        {"Caption in the driver section", {"ScrollMsg=", "ScrollMsg=1\r\nCaption=Hall"}, kNoEdit, {}, false,
         kDriver, "Caption", "Caption is never read here"},
        {"Caption in Default", {"00000=", "00000=0,0,100\r\nCaption=Printer"}, kNoEdit, {}, false, "Default",
         "Caption", "Caption is never read here"},
        {"Caption in the default profile", kNoEdit, {"", "Caption=Printer"}, {}, true, "Default", "Caption",
         "Caption is never read from the default profile"},
        // Sections the monitor never reads.
        {"language section in the default profile", kNoEdit, {"", "[Default,001]\r\n00190=Printer busy"}, {},
         true, "Default,001", "", "never read: the monitor reads only [Default] of the default profile"},
        {"language number without padding", {"[Hall Printer,001]", "[Hall Printer,1]"}, kNoEdit, {}, false,
         "Hall Printer,1", "", "never read: the monitor reads language 1 from [Hall Printer,001]"},
    };
    ScratchFolder folder;
    int number = 0;
    for (const MistakeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfilePair files =
            WriteProfiles(folder, "mistake" + std::to_string(++number), Apply(kCleanProfile, c.profile),
                          Apply(kCleanDefault, c.defaultProfile));
        const RunResult result = Check(files, c.extraArgs);
        EXPECT_EQ(kFindings, result.exitCode);
        EXPECT_TRUE(HasFinding(result.out, c.inDefaultProfile ? files.defaultProfile : files.profile, c.section,
                               c.key, c.explanation))
            << result.out;
        EXPECT_NE(std::string::npos, LastLine(result.out).find(" finding")) << result.out;
        EXPECT_EQ("", result.err);
    }
}

// A driver name that matches no section: the monitor would find none of the
// driver's own entries.
TEST(StatusctlCheck, NamesAMissingDriverSection) {
    ScratchFolder folder;
    const ProfilePair files = WriteProfiles(folder, "driver", kCleanProfile, kCleanDefault);
    const RunResult result = Check(files, {}, "Hall Printr");
    EXPECT_EQ(kFindings, result.exitCode);
    EXPECT_TRUE(HasFinding(result.out, files.profile, "Hall Printr", "", "no such section")) << result.out;
}

TEST(StatusctlCheck, CleanProfileHasNoFindings) {
    ScratchFolder folder;
    const ProfilePair files = WriteProfiles(folder, "clean", kCleanProfile, kCleanDefault);
    const RunResult result = Check(files);
    EXPECT_EQ(kClean, result.exitCode);
    EXPECT_EQ("checked " + files.profile + " with " + files.defaultProfile +
                  " for \"Hall Printer\", language 1: no findings\n",
              result.out);
    EXPECT_EQ("", result.err);
}

// Forms the monitor reads exactly as meant, though they look unusual: none
// of them may be reported.
TEST(StatusctlCheck, AcceptsWhatReadsAsMeant) {
    struct CleanCase {
        const char* name;
        Edit profile;
        std::vector<std::string> extraArgs;
    };
    const CleanCase cases[] = {
        {"six-digit status code", {"", "[Hall Printer]\r\n123456=0x01,2,101"}, {}},
        {"negative status code", {"00000=", "00000=0,0,100\r\n-0007=0,0,100"}, {}},
        {"section and key names in other case", {"[Default]", "[default]"}, {}},
        {"caption key in lower case", {"Caption=Hall", "caption=Hall Printer Status"}, {}},
        {"upper-case hexadecimal and blanks around fields", {"00001=", "00001= 0X1f , 1 , 101 "}, {}},
        {"decimal number and explicit sign", {"00001=", "00001=17,+2,0101"}, {}},
        {"octal number", {"00001=", "00001=017,0,101"}, {}},
        {"caption only in the default language section", {"Caption=Hall", ""}, {}},
        {"another driver's sections", {"", "[Other Printer]\r\n1=x\r\n[Other Printer,1]\r\nScrollMsg=x"}, {}},
        {"languages given explicitly", kNoEdit, {"--languages", "1"}},
        {"255-character text", {"00101=", "00101=" + std::string(255, 't')}, {}},
    };
    ScratchFolder folder;
    int number = 0;
    for (const CleanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfilePair files =
            WriteProfiles(folder, "clean" + std::to_string(++number), Apply(kCleanProfile, c.profile), kCleanDefault);
        const RunResult result = Check(files, c.extraArgs);
        EXPECT_EQ(kClean, result.exitCode) << result.out;
        EXPECT_NE(std::string::npos, result.out.find(": no findings\n")) << result.out;
    }
}

// The sample the project ships, with its two languages.
TEST(StatusctlCheck, ShippedSampleChecksClean) {
    std::string source = __FILE__;  // .../tests/tool/check_test.cpp
    for (char& c : source) {
        if (c == '/') c = '\\';
    }
    if (!source.empty() && source[0] == '\\') source = "Z:" + source;
    const std::size_t tests = source.rfind("\\tests\\");
    ASSERT_NE(std::string::npos, tests) << source;
    const std::string sample = source.substr(0, tests) + "\\sample\\";
    const RunResult result = RunStatusctl({"check", sample + "profile.ini", "--default", sample + "default.ini",
                                           "--driver", "Kestrel LX 400", "--languages", "1,2"});
    EXPECT_EQ(kClean, result.exitCode) << result.out << result.err;
    EXPECT_EQ("checked " + sample + "profile.ini with " + sample +
                  "default.ini for \"Kestrel LX 400\", languages 1, 2: no findings\n",
              result.out);
}

TEST(StatusctlCheck, BadUsageIsOneLineAndExitCodeTwo) {
    ScratchFolder folder;
    const std::string profile = folder.Write("usage-profile.ini", kCleanProfile);
    std::string folderPath = folder.Path("");
    folderPath.pop_back();  // without the trailing backslash
    struct UsageCase {
        std::vector<std::string> args;
        std::string error;
    };
    const UsageCase cases[] = {
        {{"check", profile}, "check needs --driver NAME, the driver's section in the profile"},
        {{"check", "--driver", kDriver}, "check needs a status profile (check PROFILE --driver NAME)"},
        {{"check", profile, "--driver"}, "option --driver needs a value"},
        {{"check", profile, "--driver", kDriver, "--colour", "red"}, "unknown option for check: --colour"},
        {{"check", profile, profile, "--driver", kDriver}, "check takes one status profile; unexpected: " + profile},
        {{"check", profile, "--driver", kDriver, "--languages", "1,x"},
         "--languages takes decimal numbers separated by commas: \"1,x\""},
        {{"check", profile, "--driver", kDriver, "--languages", "1,,2"},
         "--languages takes decimal numbers separated by commas: \"1,,2\""},
        {{"check", "Z:\\no\\such\\profile.ini", "--driver", kDriver},
         "status profile not found: Z:\\no\\such\\profile.ini"},
        {{"check", folderPath, "--driver", kDriver}, "status profile is a folder, not a file: " + folderPath},
        {{"check", profile, "--default", "Z:\\no\\such\\default.ini", "--driver", kDriver},
         "default profile not found: Z:\\no\\such\\default.ini"},
        {{"check", profile, "--default", folderPath, "--driver", kDriver},
         "default profile is a folder, not a file: " + folderPath},
        {{"check", "NUL", "--driver", kDriver},
         "status profile names a device or a network share, which the monitor never opens: NUL"},
        {{"check", profile, "--default", "\\\\host\\share\\default.ini", "--driver", kDriver},
         "default profile names a device or a network share, which the monitor never opens: "
         "\\\\host\\share\\default.ini"},
    };
    for (const UsageCase& c : cases) {
        std::string shown;
        for (const std::string& arg : c.args) shown += "[" + arg + "]";
        SCOPED_TRACE(shown);
        const RunResult result = RunStatusctl(c.args);
        EXPECT_EQ(kUsage, result.exitCode);
        EXPECT_EQ("statusctl: " + c.error + "\n", result.err);
        EXPECT_EQ("", result.out);
    }
}

}  // namespace
