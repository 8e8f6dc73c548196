// What reaches the shell, which the program's outside cannot show: the
// fields of each notification record, the size of the icons the dialog
// hands over, and the calls made while the dialog goes away in the middle
// of one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "tray/tray_icon.h"
#include "text/text.h"
#include "tray/tray_record.h"
#include "ui/status_dialog.h"
#include "ui/status_view.h"

namespace {

std::vector<std::string> g_records;
HWND g_window = nullptr;
bool g_balloonsRefused = false;  // as by a shell that is not up, or is restarting
const HICON kIcons[] = {LoadIconA(nullptr, MAKEINTRESOURCEA(32513)), LoadIconA(nullptr, MAKEINTRESOURCEA(32515))};

// Passes every record on to the real shell and keeps it as text: command,
// flags, icon (its index), callback and tip, a balloon's size, title, text
// and sign, and whether it was accepted.
BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA r) {
    const bool balloon = (r->uFlags & NIF_INFO) != 0;
    const BOOL accepted = balloon && g_balloonsRefused ? FALSE : Shell_NotifyIconA(message, r);
    const int icon = r->hIcon == kIcons[0] ? 0 : r->hIcon == kIcons[1] ? 1 : -1;
    g_records.push_back(std::to_string(message) + " " + std::to_string(r->uFlags) + " " + std::to_string(icon) + " " +
                        std::to_string(r->uCallbackMessage) + " '" + std::string(r->szTip, strnlen(r->szTip, 64)) +
                        "'" + (accepted ? "" : " refused") +
                        (balloon ? " " + std::to_string(r->cbSize) + " '" + r->szInfoTitle + "' '" + r->szInfo + "' " +
                                       std::to_string(r->dwInfoFlags)
                                 : "") +
                        (r->cbSize == (balloon ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE) &&
                                 r->hWnd == g_window && r->uID == ID_TRAYICON
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

// The stop message can arrive while a shell call waits for the shell's
// process, which handles messages sent to the thread meanwhile: the dialog
// is destroyed inside the call, as the recorder does here on the first call.
TrayRecord g_record;
PendingTrayChanges g_pending;
bool g_closeOnNextCall = false;

BOOL WINAPI CloseInsideShellCall(DWORD message, PNOTIFYICONDATAA r) {
    if (g_closeOnNextCall) {
        g_closeOnNextCall = false;
        CloseTrayIcon(g_window, g_record, g_pending);
        DestroyWindow(g_window);
    }
    return RecordShellCall(message, r);
}

TEST(TrayChanges, NoneReachTheShellOnceTheDialogGoesInsideAShellCall) {
    struct Case {
        const char* name;
        bool iconThere;
        std::vector<std::string> expected;  // from the first call on; the close's delete comes first
    };
    const Case cases[] = {
        // Closed in the removal: the show and the tip after it are dropped.
        {"removal, show, tip", true, {"2 0 -1 0 ''", "2 0 -1 0 '' refused"}},
        // Closed in the change of an icon that is not there: no add follows.
        {"show of an absent icon", false, {"2 0 -1 0 '' refused", "1 2 1 0 '' refused"}},
    };
    for (const Case& c : cases) {
        g_window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_record = TrayRecord{};
        g_pending = PendingTrayChanges{};
        if (c.iconThere) {
            ShowTrayIcon(g_window, g_record, kIcons[0]);
            QueueRemoveTrayIcon(g_pending);
        }
        QueueShowTrayIcon(g_pending, kIcons[1]);
        QueueSetTrayTip(g_pending, "Cover open");
        g_records.clear();
        g_closeOnNextCall = true;
        g_shellNotifyIcon = CloseInsideShellCall;
        ApplyTrayChanges(g_window, g_record, g_pending, 0);
        ApplyTrayChanges(g_window, g_record, g_pending, 0);  // as a later code would
        g_shellNotifyIcon = Shell_NotifyIconA;
        EXPECT_EQ(g_records, c.expected) << c.name;
        NOTIFYICONDATAA record = {};
        record.cbSize = NOTIFYICONDATAA_V1_SIZE;
        record.hWnd = g_window;
        record.uID = ID_TRAYICON;
        EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &record)) << c.name << ": an icon was left behind";
    }
}

// The rules against a flood of alerts, step by step with the tick count given;
// a balloon counts once the shell took it.
TEST(BalloonRules, SameCodeWaitsForACalmStateNoTwoWithinTheIntervalButARise) {
    constexpr bool E = true, W = false;
    struct Step {
        int code;  // 0: a state without an alert
        bool error;
        DWORD at;
        bool allowed;
        bool taken;  // by the shell, when allowed
    };
    const Step steps[] = {
        {120, E, 1000, true, true},
        {120, E, 40000, false, false},  // the same code, nothing calm since
        {0, W, 41000, false, false},
        {121, E, 42000, true, true},    // another code: 41 s after the first
        {120, E, 50000, false, false},  // 8 s after the last: dropped, not noted
        {120, E, 71999, false, false},  // still within 30 s
        {120, E, 72000, true, true},    // 30 s after the last; 121 was the last shown
        {0, W, 73000, false, false},
        {120, E, 102000, true, true},   // the same code after a calm state
        {121, E, 0xFFFFFF00u, true, true},
        {122, E, 0x100, false, false},  // 512 ms later, across the tick count's wrap
        {123, W, 200000, true, true},
        {124, W, 201000, false, false}, // another warning within 30 s
        {125, E, 202000, true, true},   // an error rises from the warning's balloon at once
        {126, E, 203000, false, false}, // but a second error waits
        {127, W, 204000, false, false}, // and so does a warning after an error
        {127, W, 240000, true, false},  // the shell refuses it: not noted
        {127, W, 241000, true, true},   // so the same code may come again
        {128, W, 250000, false, false},
        {129, E, 251000, true, true},   // a rise counts from the last balloon taken
    };
    BalloonHistory history;
    for (const Step& step : steps) {
        AlertState state;
        state.announce = step.code != 0;
        state.messageCode = step.code;
        state.error = step.error;
        const bool allowed = BalloonAllowed(history, state, step.at);
        EXPECT_EQ(allowed, step.allowed) << step.code << " at " << step.at;
        if (!state.announce) NoteCalm(history);
        if (allowed && step.taken) NoteBalloon(history, state, step.at);
    }
}

// A balloon the shell did not take is owed to its state: a restarted shell
// gets it with the icon, once.
TEST(TrayChanges, RefusedBalloonComesWithTheRestoredIcon) {
    g_window = CreateWindowA("STATIC", "Hall", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TrayRecord record;
    PendingTrayChanges pending;
    QueueShowTrayIcon(pending, kIcons[0]);
    AlertState state;
    state.announce = state.error = true;
    state.messageCode = 101;
    CopyBounded(state.text, "Paper jam");
    QueueAlertState(pending, state);
    g_records.clear();
    g_shellNotifyIcon = RecordShellCall;
    g_balloonsRefused = true;
    ApplyTrayChanges(g_window, record, pending, 1000);
    g_balloonsRefused = false;
    for (DWORD now : {2000, 3000}) {
        TrayIconDelete(g_window, ID_TRAYICON);  // the shell restarts with an empty notification area
        RestoreTrayIcon(g_window, record, now);
    }
    g_shellNotifyIcon = Shell_NotifyIconA;
    RemoveTrayIcon(g_window, record);
    DestroyWindow(g_window);
    const std::string balloon = " " + std::to_string(NOTIFYICONDATAA_V2_SIZE) + " 'Hall' 'Paper jam' 3";
    EXPECT_EQ(g_records, std::vector<std::string>({"1 2 0 0 '' refused", "0 7 0 1044 'Printer Status'",
                                                   "1 16 -1 0 '' refused" + balloon, "2 0 -1 0 ''",
                                                   "0 7 0 1044 'Printer Status'", "1 16 -1 0 ''" + balloon,
                                                   "2 0 -1 0 ''", "0 7 0 1044 'Printer Status'"}));
}

// The balloon's own record, of the size that carries its fields: the
// dialog's caption as title, the message text, each cut to its field.
TEST(TrayChanges, AlertBalloonCarriesTheCaptionTheTextAndTheSign) {
    const std::string caption(70, 'c'), text(300, 't');
    for (bool error : {true, false}) {
        g_window = CreateWindowA("STATIC", caption.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        TrayRecord record;
        PendingTrayChanges pending;
        QueueShowTrayIcon(pending, kIcons[0]);
        AlertState state;
        state.announce = true;
        state.error = error;
        CopyBounded(state.text, text.c_str());
        QueueAlertState(pending, state);
        g_records.clear();
        g_shellNotifyIcon = RecordShellCall;
        ApplyTrayChanges(g_window, record, pending, 1000);
        g_shellNotifyIcon = Shell_NotifyIconA;
        RemoveTrayIcon(g_window, record);
        DestroyWindow(g_window);
        EXPECT_EQ(g_records.back(), "1 16 -1 0 '' " + std::to_string(NOTIFYICONDATAA_V2_SIZE) + " '" +
                                        caption.substr(0, 63) + "' '" + text.substr(0, 255) + "' " +
                                        (error ? "3" : "2"));
    }
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
        ApplyTrayChanges(dialog, g_monitor.tray, g_monitor.trayChanges, 0);
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
