// What reaches the shell, which the program's outside cannot show: the
// fields of each notification record, and that the changes of a burst,
// queued, leave the shell as making each in turn does, whatever the order the
// queue's timing gives them.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "tray/tray_icon.h"
#include "tray/tray_record.h"

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA record;
    BOOL accepted;
};

std::vector<ShellCall> g_calls;

// Passes every record on to the real shell and keeps a copy.
BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA record) {
    const BOOL accepted = Shell_NotifyIconA(message, record);
    g_calls.push_back({message, *record, accepted});
    return accepted;
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_shellNotifyIcon = RecordShellCall;
    }
    void TearDown() override {
        TrayIconDelete(window_, ID_TRAYICON);
        DestroyWindow(window_);
        g_shellNotifyIcon = Shell_NotifyIconA;
    }
    HWND window_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HICON icons_[3] = {LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), LoadIconA(nullptr, MAKEINTRESOURCEA(32513)),
                       LoadIconA(nullptr, MAKEINTRESOURCEA(32515))};
};

// A record as text: command, flags, icon (its index), callback and tip.
std::string Describe(const ShellCall& call, HWND window, const HICON (&icons)[3]) {
    const NOTIFYICONDATAA& r = call.record;
    int icon = -1;
    for (int i = 0; i < 3; ++i) icon = r.hIcon == icons[i] ? i : icon;
    return std::to_string(call.message) + " " + std::to_string(r.uFlags) + " " + std::to_string(icon) + " " +
           std::to_string(r.uCallbackMessage) + " '" + std::string(r.szTip, strnlen(r.szTip, 64)) + "'" +
           (r.cbSize == NOTIFYICONDATAA_V1_SIZE && r.hWnd == window && r.uID == ID_TRAYICON ? "" : " wrong identity");
}

TEST_F(TrayTest, EachOperationSendsAFreshFirstFormRecord) {
    ASSERT_TRUE(TrayIconUpdate(window_, ID_TRAYICON, WM_TRAYNOTIFY, icons_[1], std::string(64, 't').c_str()));
    ASSERT_TRUE(TrayIconSetTip(window_, ID_TRAYICON, ""));
    ASSERT_TRUE(TrayIconUpdate(window_, ID_TRAYICON, WM_TRAYNOTIFY, icons_[2], "unused"));
    ASSERT_TRUE(TrayIconDelete(window_, ID_TRAYICON));
    EXPECT_FALSE(TrayIconDelete(window_, ID_TRAYICON));
    // Without an icon the change fails and the add follows; the tip is cut to 63.
    const std::string expected[] = {"1 2 1 0 ''", "0 7 1 1044 '" + std::string(63, 't') + "'", "1 4 -1 0 ''",
                                    "1 2 2 0 ''", "2 0 -1 0 ''", "2 0 -1 0 ''"};
    ASSERT_EQ(g_calls.size(), std::size(expected));
    for (std::size_t i = 0; i < g_calls.size(); ++i) EXPECT_EQ(Describe(g_calls[i], window_, icons_), expected[i]) << i;
    EXPECT_EQ(g_calls[0].record.cbSize, sizeof(void*) == 4 ? 88u : static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
}

// What the shell holds, worked out from the calls it accepted.
struct ShellState {
    bool present = false;
    HICON icon = nullptr;
    std::string tip;
};

ShellState StateAfterCalls(ShellState state) {
    for (const ShellCall& call : g_calls) {
        if (!call.accepted) continue;
        if (call.message == NIM_ADD) state = {true, call.record.hIcon, call.record.szTip};
        if (call.message == NIM_DELETE) state.present = false;
        if (call.message == NIM_MODIFY && (call.record.uFlags & NIF_ICON)) state.icon = call.record.hIcon;
        if (call.message == NIM_MODIFY && (call.record.uFlags & NIF_TIP)) state.tip = call.record.szTip;
    }
    return state;
}

// One code's changes, in a code's order: the removal (switch off) or the
// icon (an entry found), then the tip (its text found).
struct CodeChanges {
    bool remove = false;
    HICON icon = nullptr;
    const char* tip = nullptr;
};

TEST_F(TrayTest, QueuedChangesLeaveWhatChangesInTurnLeave) {
    const char* tips[] = {"Ready", "Paper low", "Cover open"};
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 80; ++trial) {
        std::vector<CodeChanges> codes(1 + random() % 6);
        std::string shown;
        for (CodeChanges& code : codes) {
            code.remove = random() % 3 == 0;
            if (!code.remove && random() % 4 != 0) code.icon = icons_[random() % 3];
            if ((code.remove || code.icon != nullptr) && random() % 3 != 0) code.tip = tips[random() % 3];
            shown += std::string(code.remove ? "R" : code.icon ? "S" : "-") + (code.tip ? "T " : " ");
        }
        const bool presentAtFirst = random() % 2 == 0;
        ShellState states[2];
        TrayRecord records[2];
        for (int queued = 0; queued < 2; ++queued) {
            TrayRecord& record = records[queued];
            ShellState start;
            if (presentAtFirst) {
                ASSERT_TRUE(TrayIconAdd(window_, ID_TRAYICON, WM_TRAYNOTIFY, icons_[0], "start"));
                start = {true, icons_[0], "start"};
                record = {true, icons_[0], "start"};
            }
            g_calls.clear();
            PendingTrayChanges pending;
            for (const CodeChanges& code : codes) {
                if (code.remove) queued ? QueueRemoveTrayIcon(pending) : RemoveTrayIcon(window_, record);
                if (code.icon) queued ? QueueShowTrayIcon(pending, code.icon) : ShowTrayIcon(window_, record, code.icon);
                if (code.tip) queued ? QueueSetTrayTip(pending, code.tip) : SetTrayTip(window_, record, code.tip);
            }
            if (queued) ApplyTrayChanges(window_, record, pending);
            states[queued] = StateAfterCalls(start);
            TrayIconDelete(window_, ID_TRAYICON);
        }
        const std::string where = "codes " + shown + (presentAtFirst ? "on a present icon" : "without icon");
        ASSERT_EQ(states[1].present, states[0].present) << where;
        if (states[0].present) {
            ASSERT_EQ(states[1].icon, states[0].icon) << where;
            ASSERT_EQ(states[1].tip, states[0].tip) << where;
        }
        // What a restarted shell gets back; nothing while the icon is not wanted.
        ASSERT_EQ(records[1].wanted, records[0].wanted) << where;
        if (records[0].wanted) {
            ASSERT_EQ(records[1].icon, records[0].icon) << where;
            ASSERT_STREQ(records[1].tip, records[0].tip) << where;
        }
    }
}

}  // namespace
