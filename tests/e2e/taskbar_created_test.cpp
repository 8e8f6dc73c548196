// A restarted shell has lost every tray icon and broadcasts "TaskbarCreated".
// The tests take the monitor's icon away behind its back, as a shell restart
// does, and send that message.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "protocol/messages.h"
#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "e2e/monitor_test.h"

namespace e2e {
namespace {

constexpr const char* kDriver = "Shell Restart Printer";

bool DeleteTrayIconOf(HWND dialog) {
    NOTIFYICONDATAA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = dialog;
    record.uID = ID_TRAYICON;
    return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

void SendTaskbarCreated(HWND dialog) {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, message, 0, 0, SMTO_NORMAL, 5000, &result);
}

// Wine's own notification area, where the shell draws the icons when there is
// no desktop tray to dock into.
HWND WineTrayWindow() { return FindWindowA(nullptr, "Wine System Tray"); }

// A real left click on the first icon of the notification area: the shell
// then sends the icon's callback message to its owner.
void ClickFirstTrayIcon(HWND tray) {
    RECT client;
    GetClientRect(tray, &client);
    POINT point = {GetSystemMetrics(SM_CXSMICON) / 2 + 2, (client.bottom - client.top) / 2};
    ClientToScreen(tray, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

bool WaitUntil(bool (MonitorProcess::*condition)() const, const MonitorProcess& monitor,
               DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if ((monitor.*condition)()) return true;
        Sleep(20);
    }
    return (monitor.*condition)();
}

class TaskbarCreatedTest : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        setup_ = std::make_unique<MonitorSetup>("TaskbarCreated", kDriver);
        setup_->SetLanguage("X,1");
        setup_->UseProfiles("[Shell Restart Printer]\r\n"
                            "00005=0,1,500\r\n"
                            "00006=0,2,600\r\n"
                            "[Default,001]\r\n"
                            "Caption=Restart\r\n"
                            "00500=Cover open\r\n",
                            "");
    }
};

TEST_F(TaskbarCreatedTest, IconComesBackWithItsCallbackAfterTheShellLostIt) {
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(5);  // an error: icon and tip change
    ASSERT_TRUE(monitor.WaitForStatusText("Cover open"));
    ASSERT_TRUE(monitor.HasTrayIcon());

    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    ASSERT_FALSE(monitor.HasTrayIcon());
    SendTaskbarCreated(monitor.Dialog());
    EXPECT_TRUE(monitor.HasTrayIcon());

    // The icon was added with the callback message: a real click on it in
    // the notification area shows the hidden dialog again.
    monitor.PostToDialog(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil(&MonitorProcess::IsHidden, monitor, 5000));
    HWND tray = WineTrayWindow();
    if (tray == nullptr) GTEST_SKIP() << "no notification area window to click";
    ClickFirstTrayIcon(tray);
    EXPECT_TRUE(WaitUntil(&MonitorProcess::IsVisible, monitor, 5000));
}

TEST_F(TaskbarCreatedTest, IconStaysAbsentWhileTheDriverSwitchedTheMonitorOff) {
    MonitorProcess& monitor = Start();
    setup_->SetBidiMode("0");
    monitor.PostStatusCode(5);
    ASSERT_TRUE(monitor.WaitForStatusText("Cover open"));
    ASSERT_FALSE(monitor.HasTrayIcon());

    SendTaskbarCreated(monitor.Dialog());
    EXPECT_FALSE(monitor.HasTrayIcon());

    // Switched on again, the next code brings the icon back, and so does a
    // shell restart after it.
    setup_->SetBidiMode("1");
    monitor.PostStatusCode(5);
    monitor.Sync();
    ASSERT_TRUE(monitor.HasTrayIcon());
    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    SendTaskbarCreated(monitor.Dialog());
    EXPECT_TRUE(monitor.HasTrayIcon());
}

// The icon comes back with the tip the shell held: after the icon had to be
// added anew for a code without a text, that is the first tip, not the text
// of an older code.
TEST_F(TaskbarCreatedTest, IconComesBackWithTheTipTheShellHeld) {
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(5);
    ASSERT_TRUE(monitor.WaitForStatusText("Cover open"));
    ASSERT_EQ(monitor.TrayTip(), "Cover open");

    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    monitor.PostStatusCode(6);  // an entry without a text: the icon is added again
    monitor.Sync();
    ASSERT_EQ(monitor.TrayTip(), "Printer Status");

    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    SendTaskbarCreated(monitor.Dialog());
    EXPECT_EQ(monitor.TrayTip(), "Printer Status");

    // A text that follows is the tip to come back with.
    monitor.PostStatusCode(5);
    monitor.Sync();
    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    SendTaskbarCreated(monitor.Dialog());
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
}

TEST_F(TaskbarCreatedTest, OtherRegisteredMessagesAddNoIcon) {
    MonitorProcess& monitor = Start();
    ASSERT_TRUE(DeleteTrayIconOf(monitor.Dialog()));
    const UINT other = RegisterWindowMessageA("StatusMonitorTestSomethingElse");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(monitor.Dialog(), other, 0, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_FALSE(monitor.HasTrayIcon());
}

}  // namespace
}  // namespace e2e
