// What reaches the shell, which the program's outside cannot show: the
// fields of each notification record, and the size of the icons the dialog
// hands over.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "tray/tray_icon.h"
#include "tray/tray_record.h"
#include "ui/status_dialog.h"
#include "ui/status_view.h"

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

int IconWidth(HICON icon) {
    ICONINFO parts = {};
    BITMAP image = {};
    GetIconInfo(icon, &parts);
    GetObjectA(parts.hbmColor, sizeof image, &image);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return image.bmWidth;
}

// The tray gets the image drawn for the shell's small-icon size, at the start
// and for each severity, not a 32-pixel one for the shell to shrink.
TEST(TrayIcon, ShellGetsTheImageOfItsSmallIconSize) {
    g_monitor = MonitorState{};
    g_monitor.instance = GetModuleHandleA(nullptr);
    HWND dialog = CreateStatusDialog(g_monitor.instance);
    ASSERT_NE(dialog, nullptr);
    std::vector<int> widths = {IconWidth(g_monitor.tray.icon)};
    StatusOutcome outcome;
    outcome.entryFound = true;
    for (int severity : {kSeverityWarning, kSeverityError, 0}) {
        outcome.severity = severity;
        ShowStatusOutcome(dialog, g_monitor, outcome);
        ApplyTrayChanges(dialog, g_monitor.tray, g_monitor.trayChanges);
        widths.push_back(IconWidth(g_monitor.tray.icon));  // what the shell now holds
    }
    DestroyWindow(dialog);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    g_monitor = MonitorState{};
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(widths, std::vector<int>(4, 16));
}

}  // namespace
