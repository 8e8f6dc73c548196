// The tray icon as the shell holds it: after the driver switched the monitor
// off and on, after a shell restart, and after bursts of codes, of which the
// shell learns only the end state.
#include <algorithm>
#include <string>

#include "e2e/e2e_test.h"

namespace {

using harness::Severity;

constexpr const char* kProfile =
    "[Hall Printer]\r\nScrollMsg=1\r\n00001=0,2,101\r\n00002=0,1,102\r\n00003=0,0,999\r\n20000=0,0,20000\r\n"
    "00004=0,0,104\r\n"
    "[Default,001]\r\n00101=Paper low\r\n00102=Cover open\r\n20000=Line 20000\r\n00104=End of stream\r\n";

class TrayTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        Driver().SetProfiles(kProfile);
    }
};

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// A stream of codes longer than the monitor handles in the seconds a test
// looks at it, ended by code 4.
void PostStream(const harness::Monitor& monitor) {
    for (int i = 0; i < 4000; ++i) monitor.Post(i % 2 + 1);
    monitor.Post(4);
}

bool StreamEnded(const harness::Monitor& monitor) {
    const std::string text = monitor.StatusText();
    const std::string last = "End of stream\r\n";
    return text.size() >= last.size() && text.compare(text.size() - last.size(), last.size(), last) == 0;
}

TEST_F(TrayTest, IconGoesWithTheSwitchAndComesBackWithTheFirstTip) {
    harness::Monitor& monitor = Start();
    EXPECT_EQ(monitor.TrayTip(), "Printer Status");
    driver_->SetBidiMode("0");
    Show({1});
    EXPECT_FALSE(monitor.HasTrayIcon());
    harness::SendTaskbarCreated(monitor.Dialog());  // a restarted shell does not get it back
    EXPECT_FALSE(monitor.HasTrayIcon());
    driver_->SetBidiMode("1");
    Show({3});  // an entry without text: the icon is added with the first tip
    EXPECT_EQ(monitor.TrayTip(), "Printer Status");
    Show({2});
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
    EXPECT_EQ(monitor.TraySeverity(), Severity::kError);
}

// A restarted shell gets the icon back as it held it.
TEST_F(TrayTest, ShellRestartGetsTheIconAndTipItHeld) {
    harness::Monitor& monitor = Start();
    Show({2});
    ASSERT_TRUE(harness::RemoveTrayIconOf(monitor.Dialog()));
    harness::SendTaskbarCreated(monitor.Dialog());
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
    EXPECT_EQ(monitor.TraySeverity(), Severity::kError);
    // After the icon had to be added anew for a code without text, the shell
    // held the first tip, not the older text.
    ASSERT_TRUE(harness::RemoveTrayIconOf(monitor.Dialog()));
    Show({3});
    ASSERT_TRUE(harness::RemoveTrayIconOf(monitor.Dialog()));
    harness::SendTaskbarCreated(monitor.Dialog());
    EXPECT_EQ(monitor.TrayTip(), "Printer Status");
}

// The last codes of a burst: one with a text, one with an entry only, and
// one the repeat test drops.
TEST_F(TrayTest, BurstEndsWithTheLastCodesIconAndTip) {
    harness::Monitor& monitor = Start();
    for (int i = 0; i < 300; ++i) monitor.Post(i % 2 + 1);
    Show({2, 3});
    EXPECT_EQ(Lines(monitor.StatusText()), 301);
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
    EXPECT_EQ(monitor.TraySeverity(), Severity::kNormal);
    for (int i = 0; i < 300; ++i) monitor.Post(i % 2 + 1);
    Show({20000, 20000});
    EXPECT_EQ(monitor.TrayTip(), "Line 20000");
    Show({1});  // a single code changes them at once
    EXPECT_EQ(monitor.TrayTip(), "Paper low");
    EXPECT_EQ(monitor.TraySeverity(), Severity::kWarning);
}

// Only codes for the dialog or the relay window keep the changes waiting: a
// message of the same number posted to the monitor's thread is none.
TEST_F(TrayTest, ThreadMessageOfTheCodesNumberHoldsNothingBack) {
    harness::Monitor& monitor = Start();
    Show({1});
    ASSERT_TRUE(monitor.PostCodeAndThreadMessage(2));
    monitor.Sync();
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
    EXPECT_EQ(monitor.TraySeverity(), Severity::kError);
    EXPECT_EQ(monitor.DialogSeverity(), Severity::kError);
}

TEST_F(TrayTest, BurstThatEndsSwitchedOffLeavesNoIcon) {
    harness::Monitor& monitor = Start();
    for (int i = 0; i < 300; ++i) monitor.Post(i % 2 + 1);
    driver_->SetBidiMode("0");
    for (int i = 0; i < 300; ++i) monitor.Post(i % 2 + 1);
    monitor.Sync();
    EXPECT_FALSE(monitor.HasTrayIcon());
    EXPECT_FALSE(monitor.Visible());
    EXPECT_EQ(Lines(monitor.StatusText()), 600);
}

// While codes keep coming, the shell still learns of the switch within a
// second, long before the stream ends.
TEST_F(TrayTest, StreamSwitchedOffLosesItsIconWhileItGoesOn) {
    harness::Monitor& monitor = Start();
    PostStream(monitor);
    Sleep(300);
    driver_->SetBidiMode("0");
    const DWORD switched = GetTickCount();
    while (monitor.HasTrayIcon() && GetTickCount() - switched < 1000) Sleep(10);
    EXPECT_FALSE(monitor.HasTrayIcon());
    EXPECT_FALSE(StreamEnded(monitor));
    harness::SendStopMessage(monitor.Dialog());
    EXPECT_EQ(monitor.WaitForExit(), 0u);
}

}  // namespace
