// Alerts: the shell's balloon for a state the driver's status profile asks to
// announce, as the user sees it in the notification area.
#include <string>
#include <vector>

#include "e2e/e2e_test.h"
#include "protocol/messages.h"

namespace {

// Codes 1 and 4 are errors, 2 a warning, 3 normal, 5 an error without text.
std::string Profile(const char* alert) {
    return std::string("[Hall Printer]\r\n") + (alert != nullptr ? std::string("Alert=") + alert + "\r\n" : "") +
           "00001=0,1,101\r\n00002=0,2,102\r\n00003=0,0,103\r\n00004=0,1,104\r\n00005=0,1,999\r\n"
           "[Hall Printer,001]\r\nCaption=Hall Printer Status\r\n00101=Paper jam\r\n00102=Paper low\r\n"
           "00103=Ready\r\n00104=Cover open\r\n";
}

// The shell shows a balloon about two seconds after it was asked: a balloon
// that has not come up a second later does not come.
constexpr DWORD kBalloonWait = 3500;

struct AlertCase {
    const char* name;
    const char* alert;      // the profile's "Alert", or none
    const char* bidi;       // the driver's switch
    std::vector<int> codes; // posted as one burst
    const char* balloon;    // the balloon's text, or null for none
    // Posted once that balloon shows, within its 30 seconds; the balloon then.
    std::vector<int> later = {};
    const char* laterBalloon = nullptr;
};

void PrintTo(const AlertCase& c, std::ostream* out) { *out << c.name; }

class AlertTest : public EndToEndTest, public ::testing::WithParamInterface<AlertCase> {};

TEST_P(AlertTest, BalloonAsTheProfileAsks) {
    const AlertCase& c = GetParam();
    Driver().SetProfiles(Profile(c.alert));
    driver_->SetBidiMode(c.bidi);
    harness::Monitor& monitor = Start();
    Show(c.codes);
    const harness::Balloon balloon = monitor.WaitForBalloon(kBalloonWait);
    if (c.balloon == nullptr) {
        EXPECT_EQ(balloon.window, nullptr) << "a balloon showed: " << balloon.text;
        return;
    }
    ASSERT_NE(balloon.window, nullptr);
    EXPECT_EQ(balloon.text, c.balloon);
    if (c.later.empty()) return;
    // The shell shows a balloon for at least ten seconds: one still showing
    // now is the old one, left up.
    Show(c.later);
    const harness::Balloon later = monitor.WaitForBalloon(kBalloonWait);
    EXPECT_EQ(later.text, c.laterBalloon != nullptr ? c.laterBalloon : "") << "a balloon showed: " << later.text;
}

const AlertCase kAlertCases[] = {
    {"ErrorWithAlertsForErrors", "1", "1", {1}, "Paper jam"},
    {"WarningWithAlertsForErrors", "1", "1", {2}, nullptr},
    {"WarningWithAlertsForErrorsAndWarnings", "2", "1", {2}, "Paper low"},
    {"ErrorWithoutAlertValue", nullptr, "1", {1}, nullptr},
    {"ErrorWithAlertValueOutOfRange", "3", "1", {1}, nullptr},
    // An error without text ends the burst: a state without an alert.
    {"BurstEndingInAnErrorWithoutText", "1", "1", {1, 5}, nullptr},
    {"SwitchedOff", "2", "0", {1}, nullptr},
    // Only the end state of a burst: an earlier error does not take the one
    // balloon that the next 30 seconds allow.
    {"BurstShowsItsEndState", "1", "1", {1, 3, 1, 2, 1, 4}, "Cover open"},
    {"BurstEndingCalmShowsNone", "1", "1", {1, 4, 1, 3}, nullptr},
    // Within the 30 seconds an error that rises from a warning is announced
    // at once; a state that gets no balloon of its own takes the old one down.
    {"ErrorRisingFromAWarning", "2", "1", {2}, "Paper low", {1}, "Paper jam"},
    {"ErrorHeldBackTakesTheOldBalloonDown", "1", "1", {1}, "Paper jam", {4}, nullptr},
    {"NormalStateTakesTheBalloonDown", "1", "1", {1}, "Paper jam", {3}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, AlertTest, ::testing::ValuesIn(kAlertCases),
                         [](const ::testing::TestParamInfo<AlertCase>& info) { return std::string(info.param.name); });

// A balloon that the shell did not take (it lost the icon while the monitor
// told it of an error) comes once the restarted shell has the icon again.
TEST_F(EndToEndTest, BalloonRefusedByARestartingShellComesWithTheIcon) {
    Driver().SetProfiles(Profile("1"));
    bool caught = false;
    for (int attempt = 0; attempt < 3 && !caught; ++attempt) caught = Start().PostAsTheShellRestarts(1);
    ASSERT_TRUE(caught) << "the monitor was never caught at its first call to the shell";
    harness::Monitor& monitor = *monitor_;
    ASSERT_FALSE(monitor.HasTrayIcon());
    harness::SendTaskbarCreated(monitor.Dialog());
    EXPECT_EQ(monitor.TrayTip(), "Paper jam");
    EXPECT_EQ(monitor.WaitForBalloon(kBalloonWait).text, "Paper jam");
}

// The same error twice shows one balloon, also once the 30 seconds have
// passed; after a normal state in between it shows again. A click on the
// balloon opens the hidden dialog.
TEST_F(EndToEndTest, CalmStateBetweenLetsTheSameErrorAlertAgain) {
    Driver().SetProfiles(Profile("1"));
    harness::Monitor& monitor = Start();
    const DWORD start = GetTickCount();
    Show({1});
    const HWND first = monitor.WaitForBalloon(kBalloonWait).window;
    ASSERT_NE(first, nullptr);
    Sleep(30000 - (GetTickCount() - start) + 500);
    Show({1});
    Sleep(kBalloonWait);
    const harness::Balloon repeated = monitor.WaitForBalloon(0);
    EXPECT_EQ(repeated.window, nullptr) << "the same error alerted again: " << repeated.text;
    Show({3});  // on its own: within a burst only the end state counts
    Show({1});
    const harness::Balloon again = monitor.WaitForBalloon(kBalloonWait);
    EXPECT_EQ(again.text, "Paper jam");

    monitor.PostToDialog(WM_SYSCOMMAND, SC_CLOSE);
    monitor.Sync();
    ASSERT_FALSE(monitor.Visible());
    monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, NIN_BALLOONUSERCLICK);
    monitor.Sync();
    EXPECT_TRUE(monitor.Visible());
}

}  // namespace
