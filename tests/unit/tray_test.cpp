// What reaches the shell, which the program's outside cannot show: the
// fields of each notification record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "tray/tray_icon.h"

namespace {

std::vector<std::string> g_records;
HWND g_window = nullptr;
const HICON kIcons[] = {LoadIconA(nullptr, MAKEINTRESOURCEA(32513)), LoadIconA(nullptr, MAKEINTRESOURCEA(32515))};

// Passes every record on to the real shell and keeps it as text: command,
// flags, icon (its index), callback and tip, and whether it was accepted.
BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA r) {
    const BOOL accepted = Shell_NotifyIconA(message, r);
    const int icon = r->hIcon == kIcons[0] ? 0 : r->hIcon == kIcons[1] ? 1 : -1;
    g_records.push_back(std::to_string(message) + " " + std::to_string(r->uFlags) + " " + std::to_string(icon) + " " +
                        std::to_string(r->uCallbackMessage) + " '" + std::string(r->szTip, strnlen(r->szTip, 64)) +
                        "'" + (accepted ? "" : " refused") +
                        (r->cbSize == NOTIFYICONDATAA_V1_SIZE && r->hWnd == g_window && r->uID == ID_TRAYICON
                             ? "" : " wrong identity"));
    return accepted;
}

TEST(TrayIcon, EachOperationSendsAFreshFirstFormRecord) {
    g_window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    g_shellNotifyIcon = RecordShellCall;
    TrayIconUpdate(g_window, ID_TRAYICON, WM_TRAYNOTIFY, kIcons[0], std::string(64, 't').c_str());
    TrayIconSetTip(g_window, ID_TRAYICON, "");
    TrayIconUpdate(g_window, ID_TRAYICON, WM_TRAYNOTIFY, kIcons[1], "unused");
    TrayIconDelete(g_window, ID_TRAYICON);
    TrayIconDelete(g_window, ID_TRAYICON);
    g_shellNotifyIcon = Shell_NotifyIconA;
    DestroyWindow(g_window);
    // Without an icon the change fails and the add follows; the tip is cut to 63.
    EXPECT_EQ(g_records, std::vector<std::string>({"1 2 0 0 '' refused", "0 7 0 1044 '" + std::string(63, 't') + "'",
                                                   "1 4 -1 0 ''", "1 2 1 0 ''", "2 0 -1 0 ''", "2 0 -1 0 '' refused"}));
}

}  // namespace
