// statusctl's command lines and exit codes, an install that uninstall undoes
// exactly, the monitor fed through it, statusstop, and what the programs tell
// Windows about themselves.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "harness/monitor.h"
#include "harness/program.h"
#include "harness/responder.h"
#include "harness/test_driver.h"
#include "protocol/config_names.h"
#include "release/version.h"
#include "tools/machine/system_changes.h"
#include "ipp/status_table.h"
#include "tools/statusctl/commands.h"
#include "unit/ipp_bytes.h"

namespace {

// statusctl's whole run with these arguments, in this process: its exit code,
// what it printed on stdout and on stderr.
struct ToolRun {
    int exitCode;
    std::string out;
    std::string error;
};

ToolRun Statusctl(const std::vector<std::string>& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exitCode = RunStatusctl(args);
    std::fflush(nullptr);
    const std::string out = testing::internal::GetCapturedStdout();
    return {exitCode, out, testing::internal::GetCapturedStderr()};
}

TEST(Statusctl, CommandLinesEndWithTheirExitCodeAndError) {
    harness::EndStrayMonitors();
    harness::TestDriver files("Check Printer", "Statusctl");
    const std::string clean =
        files.WriteFile("clean.ini", "[D]\r\n00001=0,1,101\r\n[D,001]\r\nCaption=D\r\n00101=J\r\n");
    const std::string findings = files.WriteFile("findings.ini", "[D]\r\n00001=0,1,102\r\n[D,001]\r\nCaption=D\r\n");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string error;  // the start of stderr
    } rows[] = {
        {{}, 2, "statusctl: no command given"},
        {{"bogus"}, 2, "statusctl: unknown command: bogus"},
        {{"post"}, 2, "statusctl: post needs at least one status code"},
        {{"post", "2147483648"}, 2, "statusctl: status code is not a 32-bit decimal number"},
        {{"post", "-2147483649"}, 2, "statusctl: status code is not"},
        {{"post", "1x"}, 2, "statusctl: status code is not"},
        {{"post", "-2147483648", "2147483647"}, 3, "statusctl: no status monitor is running"},
        {{"set-language", "x"}, 2, "statusctl: language is not"},
        {{"install", "--class", "TOOLONG"}, 2, "statusctl: driver class must be"},
        {{"install", "--language"}, 2, "statusctl: option --language needs a value"},
        {{"install", "--alert", "1x"}, 2, "statusctl: alert is not a 32-bit decimal number"},
        {{"play"}, 2, "statusctl: play needs exactly one scenario file"},
        {{"check", clean}, 2, "statusctl: check needs --driver NAME"},
        {{"check", "missing.ini", "--driver", "D"}, 2, "statusctl: status profile not found"},
        {{"check", clean, "--driver", "D"}, 0, ""},
        {{"check", findings, "--driver", "D"}, 1, ""},
        {{"--help"}, 0, ""},
        {{"ipp"}, 2, "statusctl: ipp needs exactly one printer address"},
        {{"ipp", "ftp://p"}, 2, "statusctl: ftp://p: the address must start with ipp:// or ipps://"},
        {{"ipp", "ipp://p:70000"}, 2, "statusctl: ipp://p:70000: the port must be a number from 1 to 65535"},
        {{"ipp", "ipp://127.0.0.1:" + std::to_string(harness::ClosedPort())}, 1, "statusctl: ipp://127.0.0.1:"},
        {{"install", "--ipp", "ipp://user@p"}, 2, "statusctl: ipp://user@p: the address must not hold a user"},
        {{"install", "--ipp", "ipp://p", "--interval", "0"}, 2, "statusctl: --interval takes 1 to 3600 seconds: \"0\""},
        {{"install", "--ipp", "ipp://p", "--interval", "3601"}, 2, "statusctl: --interval takes 1 to 3600"},
        {{"install", "--ipp", "ipp://p", "--interval", "5x"}, 2, "statusctl: --interval takes 1 to 3600"},
        {{"install", "--interval", "5"}, 2, "statusctl: --interval goes with --ipp only"},
        {{"install", "--ipp", "ipp://p", "--driver", "D"}, 2, "statusctl: option --driver does not go with --ipp"},
        {{"install", "--code", "3", "--ipp", "ipp://p"}, 2, "statusctl: option --code does not go with --ipp"},
        {{"install", "--ipp", "ipp://p", "--alert", "x"}, 2, "statusctl: alert is not a 32-bit decimal number"},
    };
    for (const auto& row : rows) {
        const ToolRun run = Statusctl(row.args);
        const std::string shown = row.args.empty() ? "(none)" : row.args[0];
        EXPECT_EQ(run.exitCode, row.exitCode) << shown;
        EXPECT_EQ(run.error.substr(0, row.error.size()), row.error) << shown;
        EXPECT_TRUE(!row.error.empty() || run.error.empty()) << shown << ": " << run.error;
    }
}

std::string Registry(const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    const bool exists = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists) RegCloseKey(key);
    std::string text = exists ? "(no value)" : "(no key)";
    ReadRegistryText(path, name, &text);
    return text + "\n";
}

std::string IniValue(const char* file, const char* section, const std::string& key) {
    char value[256] = "";
    GetPrivateProfileStringA(section, key.c_str(), "(none)", value, sizeof value, file);
    return value + std::string("\n");
}

// What the driver's installation touches, on both families, and the Alert
// of the status profile.
std::string MachineState(const std::string& profile) {
    const std::string printer = std::string(kPrintersKeyPath) + "\\Kestrel LX 400";
    return Registry(kMonitorKeyPath, kMonitorValue) + Registry(std::string(kMonitorKeyPath) + "\\Sample", "") +
           Registry(printer, "") + Registry(printer + "\\PrinterDriverData", "Kestrel LX 400=BidiMode") +
           Registry(printer + "\\PrinterDriverData", "DrvlibIntl=KLX4U.DLL") +
           IniValue(kWinIniFile, kLanguageSection, "KLX4W.DRV") + IniValue("KLX4.INI", kDriverIniSection, kUseBidiKey) +
           IniValue(profile.c_str(), "Kestrel LX 400", kAlertKey);
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(Statusctl, UninstallUndoesTheInstallAndWhatTheSettingsCommandsChanged) {
    // Values of other software that install replaces and uninstall puts back,
    // and a status profile laid out as the profile functions would not write it.
    SystemChanges others;
    std::string error;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string profile = std::string(temp) + "statusctl-test-profile.ini";
    const std::string profileBytes = "; a = b\n\n[Kestrel LX 400]\nAlert=0\n";
    ASSERT_TRUE(others.CreateKeyPath(kMonitorKeyPath, &error) &&
                others.SetRegistryText(kMonitorKeyPath, kMonitorValue, "SOFTWARE\\Other", &error) &&
                others.SetIniText(kWinIniFile, kLanguageSection, "KLX4W.DRV", "old,value,9", &error) &&
                others.WriteWholeFile(profile, profileBytes, &error))
        << error;
    const std::string before = MachineState(profile);

    const std::vector<std::string> install = {"install", "--language", "2", "--bidi", "1",
                                              "--profile", profile, "--alert", "2"};
    ASSERT_EQ(Statusctl(install).exitCode, 0);
    ASSERT_EQ(Statusctl({"set-bidi", "0"}).exitCode, 0);
    ASSERT_EQ(Statusctl({"set-language", "3"}).exitCode, 0);
    EXPECT_EQ(MachineState(profile), "SOFTWARE\\Kor\\Bidi Monitor\\Sample\n(no value)\n(no value)\n0\nKLX4,3\n"
                                     "KLX4U.DLL,KLX4.HLP,3\n0\n2\n");

    EXPECT_EQ(Statusctl({"uninstall"}).exitCode, 0);
    EXPECT_EQ(MachineState(profile), before);
    EXPECT_EQ(FileBytes(profile), profileBytes);
    EXPECT_EQ(Statusctl({"uninstall"}).exitCode, 1);
    (void)UndoChanges(others.Log(), &error);
}

TEST(Statusctl, FeedsTheMonitorAndReadsIt) {
    harness::EndStrayMonitors();
    ASSERT_EQ(Statusctl({"install", "--code", "3"}).exitCode, 0);
    {
        harness::Monitor monitor;
        ASSERT_TRUE(monitor.Ready());
        EXPECT_EQ(Statusctl({"post", "1", "2"}).exitCode, 0);
        monitor.Sync();
        const ToolRun status = Statusctl({"status"});
        EXPECT_EQ(status.out.substr(0, status.out.find("\nwindow:")),
                  "caption: Kestrel LX 400 Status\nstatus: " + monitor.StatusText() + "\nvisible: yes");
        EXPECT_EQ(Statusctl({"quit"}).exitCode, 0);
        EXPECT_EQ(monitor.WaitForExit(), 0u);
    }
    EXPECT_EQ(Statusctl({"uninstall"}).exitCode, 0);
}

// statusctl ipp against a stand-in printer: the state, reasons and code, or
// one line why there is no state.
TEST(Statusctl, IppAsksThePrinterOnceAndTellsItsStateOrWhyNot) {
    using harness::HttpAnswer;
    using harness::IppAnswer;
    using ipptest::StateAnswer;
    harness::Responder printer(harness::NoAnswer());
    const std::string uri = printer.Uri();
    const struct {
        harness::Answer answer;
        int exitCode;
        std::string out;
        std::string error;  // the start of stderr
    } rows[] = {
        {IppAnswer(StateAnswer(ipptest::kProcessing, {"cover-open-warning", "media-jam-warning"}, "Printing.")), 0,
         "printer: " + uri + "\nstate: processing\nreasons: cover-open-warning media-jam-warning\nmessage: Printing.\n"
         "code: 102 (warning) Paper jam\n", ""},
        {IppAnswer(StateAnswer(ipptest::kStopped, {}, "Bad\x1b[2J")), 0,
         "printer: " + uri + "\nstate: stopped\nreasons: (none)\nmessage: Bad?[2J\ncode: 4 (warning) Stopped\n", ""},
        {IppAnswer(StateAnswer(ipptest::kIdle, {"none"})), 0,
         "printer: " + uri + "\nstate: idle\nreasons: none\nmessage: \ncode: 2 (normal) Ready\n", ""},
        {HttpAnswer(404, "text/html", ""), 1, "", "statusctl: " + uri + ": HTTP status 404: No printer at this address"},
        {HttpAnswer(426, "text/html", ""), 1, "", "statusctl: " + uri + ": HTTP status 426: The printer insists on"},
        {HttpAnswer(200, "application/ipp", "<html>printer</html>"), 1, "",
         "statusctl: " + uri + ": the answer is not IPP: its IPP version 60.104"},
        {IppAnswer(ipptest::StatusAnswer(ipptest::kClientErrorNotFound, "The printer or class does not exist.")), 1, "",
         "statusctl: " + uri + ": IPP status 0x0406 client-error-not-found: No printer at this address"},
        {IppAnswer(StateAnswer(ipptest::kIdle, {}) + std::string(300 * 1024, 'x')), 1, "",
         "statusctl: " + uri + ": the answer is not IPP: it is larger than 256 KiB"},
        {harness::RawAnswer("SSH-2.0-OpenSSH_9.2\r\n\r\n"), 1, "", "statusctl: " + uri + ": the answer is not HTTP"},
        {harness::NoAnswer(), 1, "", "statusctl: " + uri + ": no answer within 10 s"},
    };
    for (const auto& row : rows) {
        printer.SetAnswer(row.answer);
        const ToolRun run = Statusctl({"ipp", uri});
        EXPECT_EQ(run.exitCode, row.exitCode) << row.error;
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.error.substr(0, row.error.size()), row.error);
        EXPECT_EQ(run.error.empty(), row.error.empty()) << run.error;
    }
}

// What the monitor reads for the network printer, on both families, and
// printwatch's address and interval.
std::string NetworkState() {
    const std::string own = std::string(kMonitorKeyPath) + "\\Network";
    const std::string data = own + "\\BidiData";
    const std::string printer = std::string(kPrintersKeyPath) + "\\Network Printer";
    std::string state = Registry(kMonitorKeyPath, kMonitorValue) + Registry(own, kPrinterUriValue) +
                        Registry(own, kPollIntervalValue) + Registry(printer, "") +
                        Registry(printer + "\\PrinterDriverData", "Network Printer=BidiMode") +
                        Registry(printer + "\\PrinterDriverData", "DrvlibIntl=IPPU.DLL") +
                        IniValue(kWinIniFile, kLanguageSection, "IPPW.DRV") +
                        IniValue("IPP.INI", kDriverIniSection, kUseBidiKey);
    for (const char* name : {kCodeValue, kDriverValue, kDriverClassValue, kDisplayValue}) state += Registry(data, name);
    std::string profile;
    ReadRegistryText(data, kProfileValue, &profile);
    return state + IniValue(profile.c_str(), "Network Printer", kAlertKey);
}

std::string NetworkFolder() { return harness::ExecutableDirectory() + "network\\"; }

TEST(Statusctl, InstallIppWritesTheNetworkPrinterAndUninstallUndoesIt) {
    const std::string before = NetworkState();
    const std::string profileBytes = FileBytes(NetworkFolder() + "profile.ini");
    ASSERT_EQ(Statusctl({"install", "--ipp", "ipp://printer.local"}).exitCode, 0);
    // Language 1: nothing under the spooler's Printers key.
    EXPECT_EQ(NetworkState(), "SOFTWARE\\Kor\\Bidi Monitor\\Network\nipp://printer.local:631/ipp/print\n5\n(no key)\n"
                              "(no key)\n(no key)\nIPPU.DLL,IPP.HLP,1\n1\n1\nNetwork Printer\nIPP\n"
                              "ipp://printer.local:631/ipp/print\n1\n");
    std::string profile;
    ReadRegistryText(std::string(kMonitorKeyPath) + "\\Network\\BidiData", kProfileValue, &profile);
    EXPECT_EQ(profile, NetworkFolder() + "profile.ini");
    // Another install replaces it; another language is written for the NT
    // family, the switch goes there once it is changed; both go again.
    ASSERT_EQ(Statusctl({"install", "--ipp", "ipps://10.0.0.9:8631/x", "--interval", "60", "--language", "2",
                         "--alert", "2"}).exitCode, 0);
    ASSERT_EQ(Statusctl({"set-bidi", "0"}).exitCode, 0);
    EXPECT_EQ(NetworkState(), "SOFTWARE\\Kor\\Bidi Monitor\\Network\nipps://10.0.0.9:8631/x\n60\n(no value)\n"
                              "0\nIPP,2\nIPPU.DLL,IPP.HLP,2\n0\n1\nNetwork Printer\nIPP\nipps://10.0.0.9:8631/x\n2\n");
    ASSERT_EQ(Statusctl({"set-language", "1"}).exitCode, 0);
    EXPECT_EQ(Statusctl({"uninstall"}).exitCode, 0);
    EXPECT_EQ(NetworkState(), before);
    EXPECT_EQ(FileBytes(NetworkFolder() + "profile.ini"), profileBytes);
    // The sample driver's install replaces the network printer's, too.
    ASSERT_EQ(Statusctl({"install", "--ipp", "ipp://printer.local", "--language", "3"}).exitCode, 0);
    ASSERT_EQ(Statusctl({"install"}).exitCode, 0);
    EXPECT_EQ(Statusctl({"uninstall"}).exitCode, 0);
    EXPECT_EQ(NetworkState(), before);
}

// The profiles made from printwatch's table: every code it posts with its
// severity and texts in both languages, and nothing check would report.
TEST(Statusctl, NetworkProfilesHoldEveryCodeAndCheckClean) {
    const std::string profile = NetworkFolder() + "profile.ini";
    const std::string defaults = NetworkFolder() + "default.ini";
    const ToolRun check = Statusctl({"check", profile, "--default", defaults, "--driver", "Network Printer"});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("languages 1, 2: no findings"), std::string::npos) << check.out;
    for (std::size_t i = 0; i < WatchCodeCount(); ++i) {
        const WatchCode code = WatchCodeAt(i);
        char key[16];
        std::snprintf(key, sizeof key, "%05d", code.code);
        const bool isState = code.code < 100;  // the states are the default profile's
        const std::string entry =
            IniValue(isState ? defaults.c_str() : profile.c_str(), isState ? "Default" : "Network Printer", key);
        EXPECT_EQ(entry, std::to_string(code.code) + "," + std::to_string(code.severity) + "," +
                             std::to_string(code.messageCode) + "\n");
        std::snprintf(key, sizeof key, "%05d", code.messageCode);
        const char* sections[][2] = {{"Network Printer,001", "Default,001"}, {"Network Printer,002", "Default,002"}};
        EXPECT_EQ(IniValue(profile.c_str(), sections[0][isState], key), code.english + std::string("\n")) << key;
        EXPECT_EQ(IniValue(profile.c_str(), sections[1][isState], key), code.german + std::string("\n")) << key;
    }
    EXPECT_EQ(IniValue(profile.c_str(), "Network Printer", kAlertKey), "1\n");
}

// A text of the version resource, in the language its translation names.
std::string VersionText(const std::vector<char>& block, const std::string& name) {
    WORD* translation = nullptr;
    char* text = nullptr;
    UINT size = 0;
    char path[64] = "";
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size)) {
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name.c_str());
    }
    return VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&text), &size) ? text : "(none)";
}

std::string Manifest(const std::string& program) {
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    const std::string manifest = text != nullptr ? std::string(text, SizeofResource(module, resource)) : "";
    FreeLibrary(module);
    return manifest;
}

// The subsystem in the program's PE header: whether Windows gives it a
// console window. 0 when the file is not a PE image.
WORD Subsystem(const std::string& program) {
    std::ifstream file(program, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    DWORD header = 0;
    WORD subsystem = 0;
    // The PE header's offset, then the optional header's Subsystem field.
    if (bytes.size() < 0x40) return 0;
    std::memcpy(&header, &bytes[0x3C], sizeof header);
    const size_t field = size_t{header} + 4 + sizeof(IMAGE_FILE_HEADER) + 68;
    if (field + sizeof subsystem > bytes.size()) return 0;
    std::memcpy(&subsystem, &bytes[field], sizeof subsystem);
    return subsystem;
}

// statusstop, which the installer runs before files go: it ends a running
// monitor and waits for its end, and with none running it has nothing to do.
TEST(Statusstop, EndsTheRunningMonitor) {
    harness::EndStrayMonitors();
    EXPECT_EQ(harness::RunProgram("statusstop.exe", {}), 0u);
    harness::Monitor monitor;
    ASSERT_TRUE(monitor.Ready());
    EXPECT_EQ(harness::RunProgram("statusstop.exe", {}), 0u);
    EXPECT_FALSE(monitor.Running());
}

// The version resource as Explorer reads it, the application manifest, the
// subsystem (statusstop runs from the installer, where a console window
// would flash up), and the version statusctl prints.
TEST(Statusctl, ProgramsCarryTheVersionAndTheManifest) {
    const DWORD high = MAKELONG(STATUSMON_VERSION_MINOR, STATUSMON_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, STATUSMON_VERSION_PATCH);
    const struct {
        const char* name;
        WORD subsystem;
    } programs[] = {{"statusmon.exe", IMAGE_SUBSYSTEM_WINDOWS_GUI},
                    {"statusctl.exe", IMAGE_SUBSYSTEM_WINDOWS_CUI},
                    {"statusstop.exe", IMAGE_SUBSYSTEM_WINDOWS_GUI},
                    {"printwatch.exe", IMAGE_SUBSYSTEM_WINDOWS_GUI}};
    for (const auto& entry : programs) {
        const std::string name = entry.name;
        const std::string program = harness::ExecutableDirectory() + name;
        EXPECT_EQ(Subsystem(program), entry.subsystem) << name;
        std::vector<char> block(GetFileVersionInfoSizeA(program.c_str(), nullptr) + 1);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, block.size(), block.data()) &&
                    VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size)) << name;
        EXPECT_TRUE(fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low &&
                    fixed->dwProductVersionMS == high && fixed->dwProductVersionLS == low) << name;
        const std::string texts[][2] = {{"FileVersion", STATUSMON_VERSION_TEXT}, {"ProductVersion", STATUSMON_VERSION_TEXT},
                                        {"ProductName", STATUSMON_PRODUCT_NAME}, {"OriginalFilename", name},
                                        {"LegalCopyright", STATUSMON_COPYRIGHT}};
        for (const auto& text : texts) EXPECT_EQ(VersionText(block, text[0]), text[1]) << name;
        for (const char* part : {"level=\"asInvoker\"", ">true</dpiAware>", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
            EXPECT_NE(Manifest(program).find(part), std::string::npos) << name << ": " << part;
        }
    }
    EXPECT_EQ(Statusctl({"--version"}).out, "statusctl (" STATUSMON_PRODUCT_NAME ") " STATUSMON_VERSION_TEXT "\n");
}

}  // namespace
