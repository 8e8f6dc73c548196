// Changes of the tray icon that wait during a burst of status codes must leave
// the shell as making each change in turn would. Which changes a burst asks
// for depends on the timing of the queue, so the program's outside cannot
// show every order: the rules are checked here on random bursts against the
// real notification area.
#include "tray/tray_record.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "tray/tray_icon.h"
#include "unit/call_recorders.h"
#include "unit/test_support.h"

namespace {

using test_support::TestWindow;
using test_support::TrayRecorder;

// What the shell holds, worked out from the calls it accepted.
struct ShellState {
    bool present = false;
    HICON icon = nullptr;
    std::string tip;

    bool operator==(const ShellState& other) const {
        return present == other.present && (!present || (icon == other.icon && tip == other.tip));
    }
};

ShellState StateAfter(ShellState state, const std::vector<test_support::TrayCall>& calls) {
    for (const test_support::TrayCall& call : calls) {
        if (!call.result) continue;
        if (call.message == NIM_ADD) state = {true, call.record.hIcon, call.record.szTip};
        if (call.message == NIM_DELETE) state.present = false;
        if (call.message == NIM_MODIFY && (call.record.uFlags & NIF_ICON)) state.icon = call.record.hIcon;
        if (call.message == NIM_MODIFY && (call.record.uFlags & NIF_TIP)) state.tip = call.record.szTip;
    }
    return state;
}

// One status code's changes, in the order a code makes them: a removal when
// the switch is off, else an icon when an entry was found; then a tip when its
// text was found.
struct CodeChanges {
    bool remove = false;
    HICON icon = nullptr;
    const char* tip = nullptr;
};

class TrayChangesTest : public ::testing::Test {
protected:
    // Runs the codes on a fresh icon (present or not at first) and returns
    // what the shell holds afterwards, and the record.
    ShellState Run(const std::vector<CodeChanges>& codes, bool presentAtFirst, bool queued,
                   TrayRecord& record) {
        TestWindow window;
        HWND dialog = window.Handle();
        ShellState start;
        if (presentAtFirst) {
            EXPECT_TRUE(TrayIconAdd(dialog, ID_TRAYICON, WM_TRAYNOTIFY, icons_[0], "start"));
            start = {true, icons_[0], "start"};
            record = {true, icons_[0], "start"};
        }
        TrayRecorder::Calls().clear();
        PendingTrayChanges pending;
        for (const CodeChanges& code : codes) {
            if (code.remove) queued ? QueueRemoveTrayIcon(pending) : RemoveTrayIcon(dialog, record);
            if (code.icon != nullptr) {
                queued ? QueueShowTrayIcon(pending, code.icon) : ShowTrayIcon(dialog, record, code.icon);
            }
            if (code.tip != nullptr) queued ? QueueSetTrayTip(pending, code.tip) : SetTrayTip(dialog, record, code.tip);
        }
        if (queued) ApplyTrayChanges(dialog, record, pending);
        const ShellState end = StateAfter(start, TrayRecorder::Calls());
        TrayIconDelete(dialog, ID_TRAYICON);
        return end;
    }

    HICON icons_[3] = {LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), LoadIconA(nullptr, MAKEINTRESOURCEA(32513)),
                       LoadIconA(nullptr, MAKEINTRESOURCEA(32515))};
    const char* tips_[3] = {"Ready", "Paper low", "Cover open"};
    TrayRecorder recorder_;
};

TEST_F(TrayChangesTest, QueuedChangesLeaveWhatChangesInTurnLeave) {
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 80; ++trial) {
        std::vector<CodeChanges> codes(1 + random() % 6);
        std::string shown;
        for (CodeChanges& code : codes) {
            code.remove = random() % 3 == 0;
            if (!code.remove && random() % 4 != 0) code.icon = icons_[random() % 3];
            if ((code.remove || code.icon != nullptr) && random() % 3 != 0) code.tip = tips_[random() % 3];
            shown += code.remove ? "R" : code.icon != nullptr ? "S" : "-";
            shown += code.tip != nullptr ? "T " : " ";
        }
        const bool present = random() % 2 == 0;
        TrayRecord direct;
        TrayRecord queued;
        const ShellState expected = Run(codes, present, false, direct);
        const ShellState got = Run(codes, present, true, queued);
        ASSERT_TRUE(got == expected) << "codes " << shown << (present ? "on a present icon" : "without icon")
                                     << ": present " << got.present << " tip '" << got.tip << "', expected present "
                                     << expected.present << " tip '" << expected.tip << "'";
        // What a restarted shell gets back; nothing while the icon is not wanted.
        ASSERT_EQ(queued.wanted, direct.wanted) << shown;
        if (!direct.wanted) continue;
        ASSERT_STREQ(queued.tip, direct.tip) << shown;
        ASSERT_EQ(queued.icon, direct.icon) << shown;
    }
}

}  // namespace
