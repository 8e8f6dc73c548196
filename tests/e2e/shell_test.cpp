// The monitor as a process: single instance, start-up state, the ways to end
// it and the ways to hide and show its dialog, driven from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "protocol/messages.h"
#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "ui/resource.h"

namespace e2e {
namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        EndStrayMonitors();
        // No monitor data key: no first code changes what the dialog shows.
        DeleteMonitorKey();
    }

    void TearDown() override { DeleteMonitorKey(); }

    static void ExpectRunningAndReachable(MonitorProcess& monitor) {
        monitor.Sync();
        EXPECT_TRUE(monitor.IsRunning());
        EXPECT_TRUE(monitor.HasTrayIcon());
    }
};

TEST_F(ShellTest, StartsVisibleWithCaptionTrayIconAndEmptyStatus) {
    MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());
    monitor.Sync();
    EXPECT_EQ("Status Monitor", monitor.Caption());
    EXPECT_TRUE(monitor.HasTrayIcon());
    EXPECT_TRUE(monitor.IsVisible());
    EXPECT_FALSE(monitor.IsIconic());
    EXPECT_EQ("", monitor.StatusText());
    EXPECT_FALSE(monitor.HasSeverityIcon());
}

TEST_F(ShellTest, SecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    MonitorProcess first;
    ASSERT_TRUE(first.WaitUntilReady());

    MonitorProcess second;
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_EQ(1, MonitorProcess::CountRelayWindows());
    ExpectRunningAndReachable(first);
    EXPECT_TRUE(first.IsVisible());
}

class StartSwitchTest : public ShellTest, public ::testing::WithParamInterface<const char*> {};

// Under Wine there are no printers: the start request finds nothing to ask.
TEST_P(StartSwitchTest, ComesUpNormally) {
    MonitorProcess monitor(GetParam());
    ASSERT_TRUE(monitor.WaitUntilReady());
    ExpectRunningAndReachable(monitor);
    EXPECT_TRUE(monitor.IsVisible());
    EXPECT_EQ("Status Monitor", monitor.Caption());
}

INSTANTIATE_TEST_SUITE_P(Shell, StartSwitchTest, ::testing::Values("/S", "/s"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[1] == 'S' ? "Upper" : "Lower");
                         });

enum class QuitPath {
    kQuitToRelay,
    kStopSentToDialog,
    kStopBroadcast,
    kCtrlRightPressOnTray,
    kCtrlRightPressOnTrayWhileHidden,
};

struct QuitCase {
    const char* name;
    QuitPath path;
};

class QuitTest : public ShellTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitTest, EndsWithZeroAndRemovesTrayIcon) {
    MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());
    ASSERT_TRUE(monitor.HasTrayIcon());
    const UINT stopMessage = RegisterWindowMessageA(kStopMessageName);
    // Parameters that the quit paths must not read.
    const WPARAM anyWParam = 0x5A5A;
    const LPARAM anyLParam = -12345;

    DWORD exitCode = STILL_ACTIVE;
    switch (GetParam().path) {
    case QuitPath::kQuitToRelay:
        PostMessageA(monitor.Relay(), WM_STATUSQUIT, anyWParam, anyLParam);
        exitCode = monitor.WaitForExit();
        break;
    case QuitPath::kStopSentToDialog: {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(monitor.Dialog(), stopMessage, anyWParam, anyLParam, SMTO_NORMAL,
                            5000, &result);
        exitCode = monitor.WaitForExit();
        break;
    }
    case QuitPath::kStopBroadcast:
        PostMessageA(HWND_BROADCAST, stopMessage, anyWParam, anyLParam);
        exitCode = monitor.WaitForExit();
        break;
    case QuitPath::kCtrlRightPressOnTrayWhileHidden:
        monitor.PostToDialog(WM_SYSCOMMAND, SC_CLOSE, 0);
        monitor.Sync();
        ASSERT_FALSE(monitor.IsVisible());
        [[fallthrough]];
    case QuitPath::kCtrlRightPressOnTray: {
        CtrlKeyHeld ctrl;
        monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_RBUTTONDOWN);
        exitCode = monitor.WaitForExit();
        break;
    }
    }
    EXPECT_EQ(0u, exitCode);
    // The shell still knows the icon by the dead dialog's handle, unless the
    // monitor deleted it.
    EXPECT_FALSE(monitor.HasTrayIcon());

    MonitorProcess next;
    EXPECT_TRUE(next.WaitUntilReady());
    ExpectRunningAndReachable(next);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, QuitTest,
    ::testing::Values(QuitCase{"QuitToRelay", QuitPath::kQuitToRelay},
                      QuitCase{"StopSentToDialog", QuitPath::kStopSentToDialog},
                      QuitCase{"StopBroadcast", QuitPath::kStopBroadcast},
                      QuitCase{"CtrlRightPressOnTray", QuitPath::kCtrlRightPressOnTray},
                      QuitCase{"CtrlRightPressOnTrayWhileHidden",
                               QuitPath::kCtrlRightPressOnTrayWhileHidden}),
    [](const ::testing::TestParamInfo<QuitCase>& info) { return info.param.name; });

class HideTest : public ShellTest, public ::testing::WithParamInterface<WPARAM> {};

// Minimising and closing only hide the dialog; the tray icon brings it back.
TEST_P(HideTest, HidesAndTrayLeftPressShowsAgain) {
    MonitorProcess monitor;
    ASSERT_TRUE(monitor.WaitUntilReady());
    ASSERT_TRUE(monitor.IsVisible());

    monitor.PostToDialog(WM_SYSCOMMAND, GetParam(), 0);
    monitor.Sync();
    EXPECT_FALSE(monitor.IsVisible());
    EXPECT_FALSE(monitor.IsIconic());
    ExpectRunningAndReachable(monitor);

    // A right press without Ctrl neither ends nor shows the monitor.
    monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_RBUTTONDOWN);
    monitor.Sync();
    EXPECT_FALSE(monitor.IsVisible());
    ExpectRunningAndReachable(monitor);

    monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_LBUTTONDOWN);
    monitor.Sync();
    EXPECT_TRUE(monitor.IsVisible());
    EXPECT_FALSE(monitor.IsIconic());
    ExpectRunningAndReachable(monitor);
}

// The low four bits of a system command are the system's own: masked off.
INSTANTIATE_TEST_SUITE_P(Shell, HideTest,
                         ::testing::Values(WPARAM{SC_CLOSE}, WPARAM{SC_MINIMIZE},
                                           WPARAM{SC_CLOSE | 0x3}),
                         [](const ::testing::TestParamInfo<WPARAM>& info) {
                             if (info.param == SC_CLOSE) return std::string("Close");
                             if (info.param == SC_MINIMIZE) return std::string("Minimize");
                             return std::string("CloseWithLowBits");
                         });

}  // namespace
}  // namespace e2e
