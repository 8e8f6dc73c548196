// The monitor as a desktop program: one per desktop, the ways it ends, the
// dialog that hides instead of closing, its look, and the hidden test switch
// on the logo.
#include <string>

#include "e2e/e2e_test.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "ui/resource.h"

namespace {

using harness::CtrlKeyHeld;

// A second monitor ends at once, and the first runs on. Ctrl with a right
// press on the tray icon, the quit message, and the stop message broadcast:
// each ends the monitor with 0, and its tray icon goes.
TEST_F(EndToEndTest, OneMonitorRunsAndEachWayToEndGivesExitCodeZero) {
    for (int way = 0; way < 3; ++way) {
        harness::Monitor& monitor = Start();
        harness::Monitor second;
        EXPECT_EQ(second.WaitForExit(), 0u);
        EXPECT_EQ(monitor.Caption(), "Status Monitor");
        if (way == 0) {
            CtrlKeyHeld ctrl(monitor);
            monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_RBUTTONDOWN);
            monitor.WaitForExit(5000);
        }
        if (way == 1) monitor.PostQuit();
        if (way == 2) PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(kStopMessageName), 7, 9);
        EXPECT_EQ(monitor.WaitForExit(), 0u) << way;
        EXPECT_FALSE(monitor.HasTrayIcon()) << way;
    }
}

TEST_F(EndToEndTest, ClosingAndMinimisingHideAndTheTrayIconShowsAgain) {
    harness::Monitor& monitor = Start();
    for (WPARAM command : {SC_CLOSE, SC_MINIMIZE, SC_CLOSE | 3}) {
        monitor.PostToDialog(WM_SYSCOMMAND, command);
        // A right press without Ctrl and other mouse messages do nothing.
        monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_RBUTTONDOWN);
        monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_LBUTTONUP);
        monitor.Sync();
        EXPECT_FALSE(monitor.Visible()) << command;
        monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_LBUTTONDOWN);
        monitor.Sync();
        EXPECT_TRUE(monitor.Visible()) << command;
    }
    // The icon was added with its callback: a real click on it shows the dialog.
    monitor.PostToDialog(WM_SYSCOMMAND, SC_CLOSE);
    monitor.Sync();
    monitor.ClickTrayIcon();
    EXPECT_TRUE(monitor.VisibleWithin(2000));
    EXPECT_TRUE(monitor.Running());
}

// Green text on black, and a logo loaded afresh when the system colours change.
TEST_F(EndToEndTest, StatusAreaIsGreenOnBlackAndTheLogoFollowsTheColours) {
    Driver().SetProfiles("[Hall Printer]\r\n00001=0,0,100\r\n[Default,001]\r\n00100=MMMMMMMMMMMMMMMMMMMMMMMMMMMM\r\n");
    harness::Monitor& monitor = Start();
    Show({1});
    RECT area;
    GetWindowRect(GetDlgItem(monitor.Dialog(), IDC_STATUSTEXT), &area);
    HDC screen = GetDC(nullptr);
    int black = 0, green = 0, total = 0;
    for (int y = area.top + 3; y < area.bottom - 3; y += 2) {
        for (int x = area.left + 3; x < area.right - 3; x += 2, ++total) {
            black += GetPixel(screen, x, y) == RGB(0, 0, 0);
            green += GetPixel(screen, x, y) == RGB(0, 255, 0);
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(black, total * 3 / 4);
    EXPECT_GT(green, 10);

    const auto logo = [&] { return SendDlgItemMessageA(monitor.Dialog(), IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0); };
    const LRESULT first = logo();
    monitor.PostToDialog(WM_SYSCOLORCHANGE);
    monitor.Sync();
    EXPECT_NE(first, 0);
    EXPECT_NE(logo(), 0);
    EXPECT_NE(logo(), first);
}

// With Ctrl, or in test mode, a double click on the logo toggles test mode
// and a click shows the last message again, past the repeat test.
TEST_F(EndToEndTest, LogoCarriesTheTestSwitch) {
    Driver().SetProfiles("[Hall Printer]\r\nScrollMsg=1\r\n00012=0x10,2,101\r\n12345=0,0,12345\r\n"
                         "[Default,001]\r\n00101=Paper low\r\n12345=Line 12345\r\n");
    driver_->SetData(kDisplayValue, "Hall 1");
    harness::Monitor& monitor = Start();
    const WPARAM doubleClick = MAKEWPARAM(IDC_LOGO, STN_DBLCLK), click = MAKEWPARAM(IDC_LOGO, STN_CLICKED);
    monitor.PostToDialog(WM_COMMAND, doubleClick);  // without Ctrl: nothing
    monitor.PostToDialog(WM_COMMAND, click);
    Show({12345});
    {
        CtrlKeyHeld ctrl(monitor);
        monitor.PostToDialog(WM_COMMAND, click);
        monitor.Sync();
        monitor.PostToDialog(WM_COMMAND, doubleClick);
        monitor.Sync();
    }
    Show({12});
    EXPECT_EQ(monitor.TrayTip(), "Paper low");
    monitor.PostToDialog(WM_COMMAND, doubleClick);  // in test mode no Ctrl is needed
    Show({12});
    EXPECT_EQ(monitor.StatusText(), "Line 12345\r\nLine 12345\r\nTestfunction enabled\r\n00012 16 2 00101 "
                                    "\"Hall 1\" \"Paper low\"\r\nTestfunction disabled\r\nPaper low\r\n");
}

// In scroll mode, once the area holds more than 60,000 characters (below
// what the 95 family's edit control holds), the oldest whole lines give way
// down to 45,000, so that many lines then go in before any more give way.
// Texts are read up to 255 characters.
TEST_F(EndToEndTest, ScrollHistoryDropsOldLinesDownToThreeQuartersOfItsBound) {
    const std::string line(255, 'x');
    Driver().SetProfiles("[Hall Printer]\r\nScrollMsg=1\r\n00001=0,0,101\r\n00002=0,0,102\r\n"
                         "[Default,001]\r\n00101=" + line + "yyy\r\n00102=last\r\n");
    harness::Monitor& monitor = Start();
    // 233 lines of 257 characters stay within the bound, the 234th goes beyond.
    for (int i = 0; i < 234; ++i) monitor.Post(1);
    Show({2});
    const std::string text = monitor.StatusText();
    EXPECT_LE(text.size(), 45000u + 6);
    EXPECT_GT(text.size(), 45000u + 6 - 257);
    EXPECT_EQ(text.substr(0, 257), line + "\r\n");
    EXPECT_EQ(text.substr(text.size() - 6), "last\r\n");
    for (int i = 0; i < 58; ++i) monitor.Post(1);
    Show({2});
    EXPECT_EQ(monitor.StatusText().size(), text.size() + 58 * 257 + 6);
}

}  // namespace
