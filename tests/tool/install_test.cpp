// statusctl install and uninstall against the real registry and INI files,
// and proof with the real monitor that install writes what the monitor reads.
#include <gtest/gtest.h>

#include <string>

#include "e2e/monitor_process.h"
#include "tool/statusctl_runner.h"
#include "tool/system_snapshot.h"

namespace {

using tool::RunResult;
using tool::RunStatusctl;

const std::string kDriver = "Statusctl Test Printer";
const std::string kClass = "STCT";
const std::string kKorKey = "SOFTWARE\\Kor";
const std::string kMonitorKey = "SOFTWARE\\Kor\\Bidi Monitor";
const std::string kDataKey = "SOFTWARE\\Kor\\Bidi Monitor\\Sample\\BidiData";
const std::string kPrinterKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + kDriver;
const std::string kDriverDataKey = kPrinterKey + "\\PrinterDriverData";
const std::string kDriverIni = kClass + ".INI";

const char kProfile[] =
    "[Statusctl Test Printer]\n"
    "ScrollMsg=0\n"
    "00007=7,2,20\n"
    "00008=8,1,21\n"
    "[Statusctl Test Printer,001]\n"
    "Caption=Tool Test Caption\n"
    "00020=Paper low (tool test)\n"
    "00021=Paper jam (tool test)\n"
    "[Statusctl Test Printer,002]\n"
    "Caption=Werkzeugtest\n"
    "00020=Wenig Papier (Werkzeugtest)\n"
    "[Default,001]\n"
    "00040=Generic text (tool test)\n";
const char kDefaultProfile[] = "[Default]\n00005=5,0,40\n";

// Everything a driver installation may touch, in one comparable picture.
tool::Snapshot Everything() {
    tool::Snapshot all = tool::RegistrySnapshot(kKorKey);
    for (const auto& part : {tool::RegistrySnapshot(kPrinterKey), tool::IniSnapshot(kDriverIni),
                             tool::IniSnapshot("WIN.INI")}) {
        all.insert(part.begin(), part.end());
    }
    return all;
}

void RemoveTestState() {
    (void)RunStatusctl({"uninstall"});
    tool::DeleteRegistryTree(kKorKey);
    tool::DeleteRegistryTree(kPrinterKey);
    DeleteFileA(tool::WindowsDirectoryFile(kDriverIni).c_str());
    WritePrivateProfileStringA("DRVLIBINTL", nullptr, nullptr, "WIN.INI");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "WIN.INI");
}

class StatusctlInstall : public testing::Test {
protected:
    void SetUp() override {
        e2e::EndStrayMonitors();
        RemoveTestState();
        profile_ = folder_.Write("profile.ini", kProfile);
        defaultProfile_ = folder_.Write("default.ini", kDefaultProfile);
    }
    void TearDown() override { RemoveTestState(); }

    RunResult Install(const std::string& code = "1") {
        return RunStatusctl({"install", "--profile", profile_, "--default", defaultProfile_, "--driver", kDriver,
                             "--class", kClass, "--code", code, "--display", "Tool test display"});
    }

    tool::ScratchFolder folder_;
    std::string profile_;
    std::string defaultProfile_;
};

// What was there before install, one set-up per case: nothing at all, or
// keys, values and INI entries of other software, some under the very names
// install writes.
TEST_F(StatusctlInstall, UninstallLeavesEverythingAsItWas) {
    struct Setup {
        const char* name;
        void (*prepare)();
    };
    const Setup setups[] = {
        {"nothing there before", [] {}},
        {"other software's entries",
         [] {
             tool::SetRegistryText(kMonitorKey, "Monitor", "SOFTWARE\\Other\\Language Monitor");
             tool::SetRegistryText(kMonitorKey, "Vendor", "someone else");
             tool::SetRegistryText(kDriverDataKey, kDriver + "=BidiMode", "7");
             tool::SetRegistryText(kDriverDataKey, "Resolution", "600");
             WritePrivateProfileStringA("Settings", "UseBidi", "5", kDriverIni.c_str());
             WritePrivateProfileStringA("Settings", "Paper", "A4", kDriverIni.c_str());
             WritePrivateProfileStringA("DRVLIBINTL", "OTHRW.DRV", "OTHRU.DLL,x,3", "WIN.INI");
             WritePrivateProfileStringA(nullptr, nullptr, nullptr, "WIN.INI");
         }},
    };
    for (const Setup& setup : setups) {
        SCOPED_TRACE(setup.name);
        RemoveTestState();
        setup.prepare();
        const tool::Snapshot before = Everything();

        RunResult result = Install();
        ASSERT_EQ(0u, result.exitCode) << result.err;
        EXPECT_NE(before, Everything());
        // A second install replaces the first; one uninstall undoes it.
        result = Install();
        ASSERT_EQ(0u, result.exitCode) << result.err;
        ASSERT_EQ(0u, RunStatusctl({"set-language", "2"}).exitCode);
        ASSERT_EQ(0u, RunStatusctl({"set-bidi", "0"}).exitCode);
        result = RunStatusctl({"uninstall"});
        EXPECT_EQ(0u, result.exitCode) << result.err;
        EXPECT_EQ("", result.err);

        EXPECT_EQ(before, Everything());
    }
}

// What the monitor reads, and where, on both families.
TEST_F(StatusctlInstall, WritesTheNamesTheMonitorReads) {
    ASSERT_EQ(0u, RunStatusctl({"install", "--profile", profile_, "--default", defaultProfile_, "--driver",
                                kDriver, "--class", kClass, "--language", "3", "--bidi", "1", "--code",
                                "-12", "--display", "Tool test display"})
                      .exitCode);
    struct Expected {
        std::string key, name, value;
    };
    const Expected values[] = {
        {kMonitorKey, "Monitor", "SOFTWARE\\Kor\\Bidi Monitor\\Sample"},
        {kDataKey, "Code", "-12"},
        {kDataKey, "Profile", profile_},
        {kDataKey, "ProfileDefault", defaultProfile_},
        {kDataKey, "Driver", kDriver},
        {kDataKey, "DriverClass", kClass},
        {kDataKey, "Display", "Tool test display"},
        {kDriverDataKey, kDriver + "=BidiMode", "1"},
        {kDriverDataKey, "DrvlibIntl=STCTU.DLL", "STCT,3"},
    };
    for (const Expected& v : values) {
        EXPECT_EQ(v.value, tool::ReadRegistryText(v.key, v.name)) << v.key << " | " << v.name;
    }
    EXPECT_EQ("1", tool::ReadIniText(kDriverIni, "Settings", "UseBidi"));
    EXPECT_EQ("STCTU.DLL,STCT.HLP,3", tool::ReadIniText("WIN.INI", "DRVLIBINTL", "STCTW.DRV"));

    ASSERT_EQ(0u, RunStatusctl({"set-language", "-4"}).exitCode);
    ASSERT_EQ(0u, RunStatusctl({"set-bidi", "0"}).exitCode);
    EXPECT_EQ("STCT,-4", tool::ReadRegistryText(kDriverDataKey, "DrvlibIntl=STCTU.DLL"));
    EXPECT_EQ("STCTU.DLL,STCT.HLP,-4", tool::ReadIniText("WIN.INI", "DRVLIBINTL", "STCTW.DRV"));
    EXPECT_EQ("0", tool::ReadRegistryText(kDriverDataKey, kDriver + "=BidiMode"));
    EXPECT_EQ("0", tool::ReadIniText(kDriverIni, "Settings", "UseBidi"));
}

// A missing profile is refused before anything is written.
TEST_F(StatusctlInstall, MissingDefaultProfileWritesNothing) {
    const tool::Snapshot before = Everything();
    const RunResult result = RunStatusctl({"install", "--profile", profile_, "--default", folder_.Path("none.ini")});
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("statusctl: default profile not found: " + folder_.Path("none.ini") + "\n", result.err);
    EXPECT_EQ(before, Everything());
}

// The real monitor, fed only through statusctl, shows what the install
// named: the first code, posted codes, the caption per language, and the
// bidirectional switch.
TEST_F(StatusctlInstall, TheMonitorFollowsWhatStatusctlSetsUp) {
    ASSERT_EQ(0u, Install("5").exitCode);
    e2e::MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());

    // "Code" = 5, found in the default profile, text from Default,001.
    EXPECT_TRUE(monitor.WaitForStatusText("Generic text (tool test)")) << monitor.StatusText();
    EXPECT_TRUE(monitor.WaitForCaption("Tool Test Caption")) << monitor.Caption();

    ASSERT_EQ(0u, RunStatusctl({"post", "8"}).exitCode);
    EXPECT_TRUE(monitor.WaitForStatusText("Paper jam (tool test)")) << monitor.StatusText();

    RunResult status = RunStatusctl({"status"});
    EXPECT_EQ(0u, status.exitCode);
    EXPECT_NE(std::string::npos, status.out.find("caption: Tool Test Caption\n")) << status.out;
    EXPECT_NE(std::string::npos, status.out.find("status: Paper jam (tool test)\n")) << status.out;
    EXPECT_NE(std::string::npos, status.out.find("visible: yes\n")) << status.out;

    ASSERT_EQ(0u, RunStatusctl({"set-language", "2"}).exitCode);
    ASSERT_EQ(0u, RunStatusctl({"post", "7"}).exitCode);
    EXPECT_TRUE(monitor.WaitForStatusText("Wenig Papier (Werkzeugtest)")) << monitor.StatusText();
    EXPECT_TRUE(monitor.WaitForCaption("Werkzeugtest")) << monitor.Caption();

    ASSERT_EQ(0u, RunStatusctl({"set-bidi", "0"}).exitCode);
    ASSERT_EQ(0u, RunStatusctl({"post", "7"}).exitCode);
    monitor.Sync();
    EXPECT_FALSE(monitor.IsVisible());

    ASSERT_EQ(0u, RunStatusctl({"quit"}).exitCode);
    EXPECT_EQ(0u, monitor.WaitForExit());
}

TEST_F(StatusctlInstall, StopEndsTheMonitorByBroadcast) {
    ASSERT_EQ(0u, Install().exitCode);
    e2e::MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());
    const RunResult result = RunStatusctl({"stop"});
    EXPECT_EQ(0u, result.exitCode) << result.err;
    EXPECT_EQ(0u, monitor.WaitForExit());
}

// A played scenario reaches the monitor in order: the last code wins.
TEST_F(StatusctlInstall, PlayPostsTheScenarioInOrder) {
    ASSERT_EQ(0u, Install().exitCode);
    e2e::MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());
    const std::string scenario = folder_.Write("order.scenario", "7\nsleep 50\npost 5 8\n");
    const RunResult result = RunStatusctl({"play", scenario});
    EXPECT_EQ(0u, result.exitCode) << result.err;
    monitor.Sync();
    EXPECT_EQ("Paper jam (tool test)", monitor.StatusText());
}

}  // namespace
