// The monitor fed by printwatch, both running as a user has them, watching a
// network printer set up with statusctl install --ipp: the real IPP test
// printer (ippeveprinter) through its states, and stand-ins for what it
// never gives (a jam as an error, a printer that never answers, garbage and
// broken answers). What the monitor is to show comes from printwatch's table
// of codes, from which the installed profiles are made.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness/monitor.h"
#include "harness/print_watch.h"
#include "harness/program.h"
#include "harness/responder.h"
#include "harness/test_printer.h"
#include "harness/thread_held.h"
#include "ipp/status_table.h"
#include "unit/ipp_bytes.h"

namespace {

using harness::Severity;

constexpr int kIntervalS = 1;  // the interval the tests install
constexpr DWORD kIntervalMs = kIntervalS * 1000;
constexpr DWORD kTimeLimitMs = 10000;  // printwatch's limit on connecting, sending and receiving
constexpr DWORD kShowMs = 10000;       // a change at the printer shows well within this, under load too
constexpr DWORD kBalloonMs = 5000;     // the shell shows a balloon about two seconds after it was asked

WatchCode Reason(const char* keyword, int severity) {
    const ReasonEntry* entry = FindReason(keyword);
    return entry != nullptr ? ReasonCode(*entry, severity) : WatchCode{};
}

// The tray icon's severity for a code; the dialog shows no icon for a
// normal one.
Severity SeverityOf(const WatchCode& code) {
    switch (code.severity) {
    case kWatchError: return Severity::kError;
    case kWatchWarning: return Severity::kWarning;
    default: return Severity::kNormal;
    }
}

Severity DialogSeverityOf(const WatchCode& code) {
    return code.severity == kWatchNormal ? Severity::kNone : SeverityOf(code);
}

// The network printer as a user sets it up: statusctl install --ipp writes
// the monitor's configuration (the network profiles, Alert=1) and
// printwatch's address and interval; statusctl uninstall when it goes.
class InstalledPrinter {
public:
    InstalledPrinter(const std::string& uri, int intervalS)
        : installed_(harness::RunProgram("statusctl.exe",
                                         {"install", "--ipp", uri, "--interval", std::to_string(intervalS)}) == 0) {}
    ~InstalledPrinter() {
        if (installed_) (void)harness::RunProgram("statusctl.exe", {"uninstall"});  // a failure shows in the next install
    }
    InstalledPrinter(const InstalledPrinter&) = delete;
    InstalledPrinter& operator=(const InstalledPrinter&) = delete;
    bool Installed() const { return installed_; }

private:
    bool installed_;
};

// The printer installed, then the monitor started, then printwatch without
// arguments (it reads the stored address); they end in the reverse order.
struct WatchedPrinter {
    explicit WatchedPrinter(const std::string& uri, int intervalS = kIntervalS)
        : installed(uri, intervalS), monitor(std::make_unique<harness::Monitor>()), watch({}) {}

    InstalledPrinter installed;
    std::unique_ptr<harness::Monitor> monitor;
    harness::PrintWatch watch;
};

// Waits until the monitor's dialog shows the code's text with its severity
// icon, then checks the tray icon's severity and, when asked, its tip. The
// milliseconds until the text showed go to shownMs.
testing::AssertionResult Shows(const harness::Monitor& monitor, const WatchCode& code, DWORD timeoutMs,
                               bool tip = false, DWORD* shownMs = nullptr) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD now = GetTickCount() - start;
        if (monitor.StatusText() == code.english && monitor.DialogSeverity() == DialogSeverityOf(code)) {
            if (shownMs != nullptr) *shownMs = now;
            break;
        }
        if (now >= timeoutMs) {
            return testing::AssertionFailure()
                   << "after " << timeoutMs << " ms the monitor shows \"" << monitor.StatusText() << "\" with severity "
                   << static_cast<int>(monitor.DialogSeverity()) << ", not \"" << code.english << "\" (code "
                   << code.code << ", severity " << static_cast<int>(DialogSeverityOf(code)) << ")";
        }
        Sleep(50);
    }
    if (monitor.TraySeverity() != SeverityOf(code)) {
        return testing::AssertionFailure() << "the tray icon shows severity " << static_cast<int>(monitor.TraySeverity())
                                           << " for \"" << code.english << "\"";
    }
    if (tip && monitor.TrayTip() != code.english) {
        return testing::AssertionFailure() << "the tray tip is \"" << monitor.TrayTip() << "\", not \"" << code.english
                                           << "\"";
    }
    return testing::AssertionSuccess();
}

// What a stand-in printer was asked: Get-Printer-Attributes and nothing
// else, never with credentials.
testing::AssertionResult OnlyAskedForItsState(const harness::Responder& printer) {
    const std::vector<int> operations = printer.Operations();
    if (operations.empty()) return testing::AssertionFailure() << "no request came";
    for (const int operation : operations) {
        if (operation != static_cast<int>(ipptest::kGetPrinterAttributes)) {
            return testing::AssertionFailure() << "a request of operation " << operation << " came";
        }
    }
    const std::string request = printer.LastRequest();
    for (const char* header : {"\r\nAuthorization:", "\r\nCookie:"}) {
        if (request.find(header) != std::string::npos) return testing::AssertionFailure() << "a request carried " << header;
    }
    return testing::AssertionSuccess();
}

class NetworkPrinter : public testing::Test {
protected:
    void SetUp() override {
        harness::EndStrayMonitors();
        harness::EndStrayPrintWatches();
    }
};

// One printer through its states, a step at a time: each change at the
// printer and what the monitor then shows.
TEST_F(NetworkPrinter, FollowsTheTestPrinterThroughItsStates) {
    harness::TestPrinter printer;
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    WatchedPrinter watched(printer.IppUri());
    ASSERT_TRUE(watched.installed.Installed());
    ASSERT_TRUE(watched.monitor->Ready());
    harness::Monitor& monitor = *watched.monitor;
    const WatchCode ready = StateCode(WatchState::kIdle);
    const struct {
        const char* name;
        std::function<bool()> change;
        WatchCode shown;
        DWORD withinMs;
        bool tip;
    } steps[] = {
        {"ready", [] { return true; }, ready, kShowMs, true},
        {"toner low", [&] { return printer.SetSupplies(5, 25); }, Reason("toner-low", kWatchNormal), kShowMs, true},
        {"toner again", [&] { return printer.SetSupplies(75, 25); }, ready, kShowMs, false},
        {"a jam while a job prints", [&] { return printer.PrintJob({"STATE: +media-jam-error"}, 60000); },
         Reason("media-jam", kWatchWarning), kShowMs, true},
        {"the jam after the job", [&] { return printer.EndJob(); }, Reason("media-jam", kWatchNormal), kShowMs, true},
        {"the jam cleared", [&] { return printer.PrintJob({"STATE: -media-jam-error"}, 0); }, ready, kShowMs, false},
        {"the printer ended", [&] { return printer.Stop(); }, StateCode(WatchState::kUnreachable),
         2 * kIntervalMs + kTimeLimitMs, true},
        {"the printer started again", [&] { return printer.Start(); }, ready, kShowMs, true},
    };
    EXPECT_EQ(monitor.Caption(), "Network Printer Status");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(step.change()) << printer.Error();
        DWORD shownMs = 0;
        EXPECT_TRUE(Shows(monitor, step.shown, step.withinMs, step.tip, &shownMs)) << printer.State();
        std::printf("[ timing   ] %s: shown after %lu ms\n", step.name, static_cast<unsigned long>(shownMs));
    }
    EXPECT_TRUE(watched.watch.Running());
}

// A monitor started after printwatch (here: started again) shows the
// printer's state within a second, though printwatch polls only once an
// hour and the state does not change.
TEST_F(NetworkPrinter, AMonitorStartedAfterPrintwatchShowsTheStateAtOnce) {
    harness::TestPrinter printer;
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    ASSERT_TRUE(printer.SetSupplies(5, 25)) << printer.Error();
    WatchedPrinter watched(printer.IppUri(), 3600);
    ASSERT_TRUE(watched.installed.Installed());
    const WatchCode tonerLow = Reason("toner-low", kWatchNormal);
    ASSERT_TRUE(watched.monitor->Ready());
    ASSERT_TRUE(Shows(*watched.monitor, tonerLow, kShowMs));
    watched.monitor.reset();
    watched.monitor = std::make_unique<harness::Monitor>();
    ASSERT_TRUE(watched.monitor->Ready());
    EXPECT_TRUE(Shows(*watched.monitor, tonerLow, 1000, true));
}

// A printer at an address, and what the monitor shows for it: its balloon
// for an error (the network profile has Alert=1), and when it may show.
struct AddressCase {
    const char* name;
    bool testPrinter;  // the real test printer; else a stand-in giving the answer
    const char* scheme;
    const char* path;
    harness::Answer answer;
    WatchCode shown;
    bool balloon;
    DWORD notBeforeMs;
    DWORD withinMs;
};

void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.name; }

class NetworkPrinterAddress : public NetworkPrinter, public testing::WithParamInterface<AddressCase> {};

TEST_P(NetworkPrinterAddress, ShowsWhatThePrinterThereGives) {
    const AddressCase& c = GetParam();
    std::unique_ptr<harness::TestPrinter> testPrinter;
    std::unique_ptr<harness::Responder> standIn;
    std::string uri;
    if (c.testPrinter) {
        testPrinter = std::make_unique<harness::TestPrinter>();
        ASSERT_TRUE(testPrinter->Ready()) << testPrinter->Error();
        uri = std::string(c.scheme) + "://127.0.0.1:" + std::to_string(testPrinter->Port()) + c.path;
    } else {
        standIn = std::make_unique<harness::Responder>(c.answer);
        ASSERT_TRUE(standIn->Listening());
        uri = standIn->Uri(c.path);
    }
    WatchedPrinter watched(uri);
    ASSERT_TRUE(watched.installed.Installed());
    harness::Monitor& monitor = *watched.monitor;
    ASSERT_TRUE(monitor.Ready());
    // From printwatch's start.
    DWORD shownMs = 0;
    EXPECT_TRUE(Shows(monitor, c.shown, c.withinMs, true, &shownMs));
    std::printf("[ timing   ] %s: shown after %lu ms\n", c.name, static_cast<unsigned long>(shownMs));
    EXPECT_GE(shownMs, c.notBeforeMs);
    if (c.balloon) {
        EXPECT_EQ(monitor.WaitForBalloon(kBalloonMs).text, c.shown.english);
    }
    if (standIn != nullptr) {
        EXPECT_TRUE(OnlyAskedForItsState(*standIn));
    }
    EXPECT_TRUE(watched.watch.Running());
}

const AddressCase kAddressCases[] = {
    // Its self-signed certificate accepted.
    {"Ipps", true, "ipps", "/ipp/print", harness::Answer(), StateCode(WatchState::kIdle), false, 0, kShowMs},
    // ippeveprinter answers client-error-not-found.
    {"WrongPath", true, "ipp", "/ipp/nothing", harness::Answer(), StateCode(WatchState::kWrongPath), true, 0, kShowMs},
    {"JamAsAnError", false, "", "/ipp/print",
     harness::IppAnswer(ipptest::StateAnswer(ipptest::kStopped, {"media-jam-error"}, "Paper jam.")),
     Reason("media-jam", kWatchError), true, 0, kShowMs},
    // It accepts and never answers: each poll waits out the time limit, and
    // the second without an answer makes it "not reachable".
    {"AcceptsAndNeverAnswers", false, "", "/ipp/print", harness::NoAnswer(), StateCode(WatchState::kUnreachable),
     false, kTimeLimitMs + kTimeLimitMs / 2, 2 * (kTimeLimitMs + kIntervalMs) + kShowMs / 2},
};

INSTANTIATE_TEST_SUITE_P(Rows, NetworkPrinterAddress, testing::ValuesIn(kAddressCases),
                         [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

// Garbage, then every broken answer the stand-ins know, one poll each:
// "not IPP" each time, printwatch lives on, and the next good answer shows.
TEST_F(NetworkPrinter, GarbageAndBrokenAnswersAreNotIppAndTheNextGoodOneShows) {
    harness::Responder printer(harness::RawAnswer("SSH-2.0-OpenSSH_9.2\r\n"));
    ASSERT_TRUE(printer.Listening());
    WatchedPrinter watched(printer.Uri());
    ASSERT_TRUE(watched.installed.Installed());
    harness::Monitor& monitor = *watched.monitor;
    ASSERT_TRUE(monitor.Ready());
    const WatchCode notIpp = StateCode(WatchState::kNotIpp);
    EXPECT_TRUE(Shows(monitor, notIpp, kShowMs, true));
    // A request comes once the answer to the one before has been handled
    // and its code posted: what the monitor then shows is that answer's.
    const auto shownAfterTheAnswerBefore = [&](int request, const std::string& before) {
        ASSERT_TRUE(printer.WaitForRequests(request, 5 * kIntervalMs)) << before;
        monitor.Sync();
        EXPECT_EQ(monitor.StatusText(), notIpp.english) << before;
        ASSERT_TRUE(watched.watch.Running()) << before;
    };
    std::string before = "garbage";
    const auto broken = ipptest::MalformedAnswers();
    const DWORD start = GetTickCount();
    for (const auto& [what, bytes] : broken) {
        // The first request after the change gets it.
        const int asked = printer.SetAnswer(harness::HttpAnswer(200, "application/ipp", bytes));
        shownAfterTheAnswerBefore(asked + 1, before);
        before = what;
    }
    shownAfterTheAnswerBefore(printer.Requests() + 1, before);
    // One request after another, each at least an interval after the one
    // before, the first perhaps at once: the interval installed is kept.
    const DWORD polls = static_cast<DWORD>(broken.size()) + 1;
    EXPECT_GE(GetTickCount() - start, (polls - 1) * kIntervalMs * 9 / 10);
    EXPECT_LE(GetTickCount() - start, polls * 2 * kIntervalMs);
    printer.SetAnswer(harness::IppAnswer(ipptest::StateAnswer(ipptest::kIdle, {"none"}, "Idle.")));
    EXPECT_TRUE(Shows(monitor, StateCode(WatchState::kIdle), kShowMs));
    EXPECT_TRUE(OnlyAskedForItsState(printer));
}

// The stop broadcast, as statusctl stop and the installer's statusstop.exe
// send it, ends the monitor and printwatch, and the stopper returns once
// both have ended. One of them is held (busy) until the other has ended, so
// a stopper that waited for one alone, or for either, would return early.
TEST_F(NetworkPrinter, TheStopBroadcastEndsBothAndTheStopperWaitsForBoth) {
    harness::TestPrinter printer;
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    const struct {
        const char* program;
        std::vector<std::string> args;
        bool monitorBusy;  // else printwatch
    } rows[] = {
        {"statusctl.exe", {"stop"}, true},
        {"statusctl.exe", {"stop"}, false},
        {"statusstop.exe", {}, true},
        {"statusstop.exe", {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.program) + (row.monitorBusy ? ", the monitor busy" : ", printwatch busy"));
        WatchedPrinter watched(printer.IppUri());
        ASSERT_TRUE(watched.installed.Installed());
        harness::Monitor& monitor = *watched.monitor;
        harness::PrintWatch& watch = watched.watch;
        ASSERT_TRUE(monitor.Ready());
        ASSERT_TRUE(Shows(monitor, StateCode(WatchState::kIdle), kShowMs));

        const DWORD start = GetTickCount();
        auto busy = std::make_unique<harness::ThreadHeld>(row.monitorBusy ? monitor.MainThread() : watch.MainThread());
        ASSERT_TRUE(busy->Held());
        const harness::Program stop(row.program, row.args);
        ASSERT_TRUE(stop.Started());
        EXPECT_EQ(row.monitorBusy ? watch.WaitForExit(5000) : monitor.WaitForExit(5000), 0u);
        EXPECT_EQ(stop.WaitForExit(500), STILL_ACTIVE) << "it returned while one of them still ran";
        busy.reset();
        EXPECT_EQ(stop.WaitForExit(10000), 0u);
        EXPECT_EQ(monitor.WaitForExit(0), 0u) << "the monitor still ran when the stopper returned";
        EXPECT_EQ(watch.WaitForExit(0), 0u) << "printwatch still ran when the stopper returned";
        EXPECT_LE(GetTickCount() - start, 10000u);
    }
}

}  // namespace
