#include "ui/status_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/messages.h"
#include "state/monitor_state.h"
#include "config/monitor_key.h"
#include "protocol/config_names.h"
#include "resource.h"
#include "unit/call_recorders.h"
#include "unit/test_support.h"

namespace {

using test_support::CallEvents;
using test_support::DrainQuitMessages;
using test_support::ScratchKey;
using test_support::SpoolerRecorder;
using test_support::TrayRecorder;
using test_support::WindowText;

// Holds the Ctrl key down for this thread's GetKeyState while in scope.
class CtrlDown {
public:
    CtrlDown() {
        GetKeyboardState(saved_);
        BYTE state[256];
        CopyMemory(state, saved_, sizeof state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~CtrlDown() { SetKeyboardState(saved_); }
    CtrlDown(const CtrlDown&) = delete;
    CtrlDown& operator=(const CtrlDown&) = delete;

private:
    BYTE saved_[256];
};

// The real dialog of the program's resources, with the tray calls recorded
// and a fake spooler, so the test machine's spooler is never asked.
class StatusDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_monitor = MonitorState{};
        g_monitor.instance = GetModuleHandleA(nullptr);
        DrainStatusCodes();
        DrainQuitMessages();
    }
    void TearDown() override {
        if (dialog_ != nullptr && IsWindow(dialog_)) DestroyWindow(dialog_);
        DrainStatusCodes();
        DrainQuitMessages();
        g_monitor = MonitorState{};
    }

    void Create() {
        dialog_ = CreateStatusDialog(g_monitor.instance);
        ASSERT_NE(dialog_, nullptr);
        ASSERT_EQ(g_monitor.dialog, dialog_);
        // Nothing stored under the monitor key, so no first code is posted.
        ASSERT_TRUE(PostedStatusCodes().empty());
    }

    INT_PTR Call(UINT message, WPARAM wParam, LPARAM lParam) {
        return StatusDialogProc(dialog_, message, wParam, lParam);
    }
    HWND StatusArea() const { return GetDlgItem(dialog_, IDC_STATUSTEXT); }

    // Takes the status codes posted to the dialog out of the queue, without
    // handling them: (wParam, lParam) pairs.
    std::vector<std::pair<WPARAM, LPARAM>> PostedStatusCodes() {
        std::vector<std::pair<WPARAM, LPARAM>> codes;
        MSG message;
        while (PeekMessageA(&message, dialog_, WM_STATUSCODE, WM_STATUSCODE, PM_REMOVE)) {
            codes.emplace_back(message.wParam, message.lParam);
        }
        return codes;
    }
    static void DrainStatusCodes() {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_STATUSCODE, WM_STATUSCODE, PM_REMOVE)) {
        }
    }

    ScratchKey monitorKey_{kMonitorKeyPath};
    TrayRecorder tray_;
    SpoolerRecorder spooler_;
    HWND dialog_ = nullptr;
};

TEST_F(StatusDialogTest, CreationSetsIconsAndAddsTheTrayIconWithoutSpoolerCalls) {
    Create();
    EXPECT_TRUE(IsWindowVisible(dialog_));
    const HICON normal = LoadIconA(g_monitor.instance, MAKEINTRESOURCEA(IDI_NORMAL));
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(g_monitor.normalIcon, normal);
    EXPECT_EQ(g_monitor.warningIcon, LoadIconA(g_monitor.instance, MAKEINTRESOURCEA(IDI_WARNING)));
    EXPECT_EQ(g_monitor.errorIcon, LoadIconA(g_monitor.instance, MAKEINTRESOURCEA(IDI_ERROR)));
    EXPECT_NE(g_monitor.warningIcon, nullptr);
    EXPECT_NE(g_monitor.errorIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog_, WM_GETICON, ICON_BIG, 0)), normal);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog_, WM_GETICON, ICON_SMALL, 0)), normal);

    EXPECT_TRUE(SpoolerRecorder::Calls().empty());
    ASSERT_EQ(CallEvents(), std::vector<std::string>({"tray modify", "tray add"}));
    const NOTIFYICONDATAA& added = TrayRecorder::Calls()[1].record;
    EXPECT_TRUE(TrayRecorder::Calls()[1].result);
    EXPECT_EQ(added.hWnd, dialog_);
    EXPECT_EQ(added.uID, ID_TRAYICON);
    EXPECT_EQ(added.uCallbackMessage, WM_TRAYNOTIFY);
    EXPECT_EQ(added.hIcon, normal);
    EXPECT_STREQ(added.szTip, "Printer Status");

    EXPECT_NE(g_monitor.stopMessage, 0u);
    EXPECT_EQ(g_monitor.stopMessage, RegisterWindowMessageA(kStopMessageName));
    EXPECT_NE(g_monitor.logo, nullptr);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(
                  SendDlgItemMessageA(dialog_, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              g_monitor.logo);
    char path[kMonitorPathSize] = "\\BidiData";
    GetMonitorDataKeyPath(path);
    EXPECT_STREQ(g_monitor.monitorDataKeyPath, path);
}

TEST_F(StatusDialogTest, StartRequestComesBeforeTheTrayIcon) {
    g_monitor.startRequest = true;
    SpoolerRecorder::TheSetup().printerNames = {"First Printer"};
    Create();
    EXPECT_EQ(CallEvents(),
              std::vector<std::string>({"spooler enum", "spooler enum", "spooler open",
                                        "spooler get data", "spooler close", "tray modify",
                                        "tray add"}));
}

TEST_F(StatusDialogTest, StoredCodeIsPostedAsTheFirstStatusCode) {
    ScratchKey data("SOFTWARE\\StatusMonTest\\Dialog");
    ASSERT_TRUE(data.SetString("Code", " -7x", "BidiData"));
    ASSERT_TRUE(monitorKey_.SetString("Monitor", data.Path()));
    dialog_ = CreateStatusDialog(g_monitor.instance);
    ASSERT_NE(dialog_, nullptr);
    const auto codes = PostedStatusCodes();
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].first, 1u);
    EXPECT_EQ(codes[0].second, -7);
    EXPECT_EQ(std::string(g_monitor.monitorDataKeyPath), data.Path() + "\\BidiData");
}

TEST_F(StatusDialogTest, MinimiseAndCloseOnlyHide) {
    Create();
    const WPARAM hiding[] = {SC_CLOSE, SC_MINIMIZE, SC_CLOSE | 3, SC_MINIMIZE | 0xF};
    for (WPARAM command : hiding) {
        ShowWindow(dialog_, SW_SHOW);
        EXPECT_EQ(Call(WM_SYSCOMMAND, command, 0), TRUE) << std::hex << command;
        EXPECT_FALSE(IsWindowVisible(dialog_)) << std::hex << command;
        EXPECT_TRUE(IsWindow(dialog_));
        EXPECT_FALSE(IsIconic(dialog_));
    }
    // Through the dialog manager as well.
    ShowWindow(dialog_, SW_SHOW);
    SendMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(dialog_));
    EXPECT_TRUE(IsWindow(dialog_));

    const WPARAM others[] = {SC_MOVE, SC_RESTORE, SC_MAXIMIZE, SC_KEYMENU, SC_SIZE, SC_CLOSE + 0x10};
    ShowWindow(dialog_, SW_SHOW);
    for (WPARAM command : others) {
        EXPECT_EQ(Call(WM_SYSCOMMAND, command, 0), FALSE) << std::hex << command;
        EXPECT_TRUE(IsWindowVisible(dialog_)) << std::hex << command;
    }
}

TEST_F(StatusDialogTest, StatusAreaIsGreenOnBlack) {
    Create();
    HDC context = CreateCompatibleDC(nullptr);
    ASSERT_NE(context, nullptr);
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT}) {
        SetTextColor(context, RGB(1, 2, 3));
        SetBkColor(context, RGB(250, 250, 250));
        const INT_PTR brush = Call(message, reinterpret_cast<WPARAM>(context),
                                   reinterpret_cast<LPARAM>(StatusArea()));
        EXPECT_EQ(brush, reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(GetTextColor(context), RGB(0, 255, 0));
        EXPECT_EQ(GetBkColor(context), RGB(0, 0, 0));

        for (int id : {IDC_LOGO, IDC_STATUSICON}) {
            SetTextColor(context, RGB(1, 2, 3));
            SetBkColor(context, RGB(250, 250, 250));
            EXPECT_EQ(Call(message, reinterpret_cast<WPARAM>(context),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id))),
                      0)
                << id;
            EXPECT_EQ(GetTextColor(context), RGB(1, 2, 3));
            EXPECT_EQ(GetBkColor(context), RGB(250, 250, 250));
        }
    }
    DeleteDC(context);
}

TEST_F(StatusDialogTest, TrayIconShowsTheDialogAndEndsItOnlyWithCtrl) {
    Create();
    ShowWindow(dialog_, SW_HIDE);
    EXPECT_EQ(Call(WM_TRAYNOTIFY, ID_TRAYICON, WM_LBUTTONDOWN), FALSE);
    EXPECT_TRUE(IsWindowVisible(dialog_));

    ShowWindow(dialog_, SW_HIDE);
    for (LPARAM mouse : {WM_RBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE}) {
        EXPECT_EQ(Call(WM_TRAYNOTIFY, ID_TRAYICON, mouse), FALSE);
        EXPECT_TRUE(IsWindow(dialog_)) << mouse;
        EXPECT_FALSE(IsWindowVisible(dialog_)) << mouse;
    }

    CtrlDown ctrl;
    ASSERT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(Call(WM_TRAYNOTIFY, ID_TRAYICON, WM_RBUTTONDOWN), FALSE);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(DrainQuitMessages(), 1);
}

TEST_F(StatusDialogTest, StopMessageCountsOnlyOnceRegistered) {
    Create();
    const UINT stop = g_monitor.stopMessage;
    ASSERT_NE(stop, 0u);
    g_monitor.stopMessage = 0;
    EXPECT_EQ(Call(stop, 0, 0), FALSE);
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(DrainQuitMessages(), 0);

    g_monitor.stopMessage = stop;
    EXPECT_EQ(Call(stop, 12345, -1), TRUE);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(DrainQuitMessages(), 1);
}

TEST_F(StatusDialogTest, LogoCommandDoesNothingWithoutCtrlOrTestMode) {
    Create();
    SetWindowTextA(StatusArea(), "Ready");
    g_monitor.lastMessageCode = 55;
    for (WORD notification : {STN_CLICKED, STN_DBLCLK}) {
        EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, notification), 0), 1);
    }
    EXPECT_FALSE(g_monitor.testMode);
    EXPECT_EQ(g_monitor.lastMessageCode, 55);
    EXPECT_TRUE(PostedStatusCodes().empty());
    EXPECT_EQ(WindowText(StatusArea()), "Ready");

    // Enter and Escape reach the dialog as other commands, which do nothing.
    for (WORD id : {IDOK, IDCANCEL}) {
        EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0), FALSE);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindow(dialog_));
        EXPECT_TRUE(IsWindowVisible(dialog_));
    }
    EXPECT_EQ(WindowText(StatusArea()), "Ready");
    EXPECT_EQ(DrainQuitMessages(), 0);
}

TEST_F(StatusDialogTest, DoubleClickInTestModeTurnsItOff) {
    Create();
    SetWindowTextA(StatusArea(), "Ready");
    g_monitor.testMode = true;
    EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_DBLCLK), 0), 1);
    EXPECT_FALSE(g_monitor.testMode);
    EXPECT_EQ(WindowText(StatusArea()), "Testfunction disabled");
}

TEST_F(StatusDialogTest, DoubleClickWithCtrlTurnsTestModeOnAndAppendsInScrollMode) {
    Create();
    SetWindowTextA(StatusArea(), "Ready\r\n");
    g_monitor.scrollMode = 1;
    {
        CtrlDown ctrl;
        EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_DBLCLK), 0), 1);
    }
    EXPECT_TRUE(g_monitor.testMode);
    EXPECT_EQ(WindowText(StatusArea()), "Ready\r\nTestfunction enabled\r\n");
    // Test mode on: no Ctrl needed to turn it off again.
    EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_DBLCLK), 0), 1);
    EXPECT_FALSE(g_monitor.testMode);
    EXPECT_EQ(WindowText(StatusArea()),
              "Ready\r\nTestfunction enabled\r\nTestfunction disabled\r\n");
}

TEST_F(StatusDialogTest, ClickRepostsTheLastMessageCodeAndClearsIt) {
    Create();
    g_monitor.testMode = true;
    g_monitor.lastMessageCode = 101;
    EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_CLICKED), 0), 1);
    EXPECT_EQ(g_monitor.lastMessageCode, 0);
    // A second click before the first code is handled posts 0.
    EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_CLICKED), 0), 1);
    const auto codes = PostedStatusCodes();
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], std::make_pair(WPARAM{1}, LPARAM{101}));
    EXPECT_EQ(codes[1], std::make_pair(WPARAM{1}, LPARAM{0}));
    EXPECT_TRUE(g_monitor.testMode);

    g_monitor.testMode = false;
    g_monitor.lastMessageCode = -42;
    {
        CtrlDown ctrl;
        EXPECT_EQ(Call(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_CLICKED), 0), 1);
    }
    const auto withCtrl = PostedStatusCodes();
    ASSERT_EQ(withCtrl.size(), 1u);
    EXPECT_EQ(withCtrl[0].second, -42);
    EXPECT_FALSE(g_monitor.testMode);
}

TEST_F(StatusDialogTest, DestructionDeletesTheTrayIconAndPostsQuit) {
    Create();
    TrayRecorder::Calls().clear();
    ASSERT_TRUE(DestroyWindow(dialog_));
    ASSERT_EQ(TrayRecorder::Calls().size(), 1u);
    const test_support::TrayCall& removal = TrayRecorder::Calls()[0];
    EXPECT_EQ(removal.message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(removal.record.hWnd, dialog_);
    EXPECT_EQ(removal.record.uID, ID_TRAYICON);
    EXPECT_TRUE(removal.result);
    EXPECT_EQ(g_monitor.logo, nullptr);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(StatusDialogTest, StatusQuitEndsTheDialog) {
    Create();
    EXPECT_EQ(Call(WM_STATUSQUIT, 99, 99), FALSE);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(DrainQuitMessages(), 1);
}

}  // namespace
