// printwatch.exe as a separate process: its command line and exit codes,
// one per desktop, its end while a poll hangs, and what it posts to a relay
// window (a stand-in of this process's own, which counts the codes, and the
// real monitor, which shows them). The printer is a stand-in on a local port.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "harness/monitor.h"
#include "harness/print_watch.h"
#include "harness/responder.h"
#include "harness/test_driver.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "tools/machine/system_changes.h"
#include "tools/statusctl/commands.h"
#include "unit/ipp_bytes.h"

namespace {

using harness::PrintWatch;
using harness::Responder;

int Statusctl(const std::vector<std::string>& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exitCode = RunStatusctl(args);
    std::fflush(nullptr);
    (void)testing::internal::GetCapturedStdout();
    const std::string error = testing::internal::GetCapturedStderr();
    if (exitCode != 0) std::printf("statusctl: exit code %d: %s", exitCode, error.c_str());
    return exitCode;
}

// A relay window of this process's own, in place of the monitor's: the codes
// posted to it are taken from the queue and kept in order.
class StandInRelay {
public:
    StandInRelay() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kRelayWindowName;
        (void)RegisterClassA(&windowClass);  // registered once for the program
        window_ = CreateWindowExA(0, kRelayWindowName, kRelayWindowName, 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~StandInRelay() { DestroyWindow(window_); }
    HWND Window() const { return window_; }
    StandInRelay(const StandInRelay&) = delete;
    StandInRelay& operator=(const StandInRelay&) = delete;

    // Takes what was posted until count codes have come or the time is up;
    // the codes so far.
    const std::vector<int>& WaitForCodes(std::size_t count, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG message;
            while (PeekMessageA(&message, window_, WM_STATUSCODE, WM_STATUSCODE, PM_REMOVE)) {
                codes_.push_back(static_cast<int>(message.lParam));
            }
            if (codes_.size() >= count || GetTickCount() - start >= timeoutMs) return codes_;
            Sleep(10);
        }
    }

private:
    HWND window_ = nullptr;
    std::vector<int> codes_;
};

harness::Answer Idle() { return harness::IppAnswer(ipptest::StateAnswer(ipptest::kIdle, {"none"}, "Idle.")); }
harness::Answer WrongPath() { return harness::HttpAnswer(404, "text/html", "<html>Not Found</html>"); }

TEST(PrintWatch, BadCommandLinesAndNoAddressEndWithTwoAndOneLineWinHttpMissingWithOne) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    // A printer's own key that holds nothing yet.
    harness::TestDriver driver("Watch Printer", "Watch");
    const std::string ownKey = "SOFTWARE\\StatusMonTest\\Watch";
    const struct {
        std::vector<std::string> args;
        const char* uri;       // stored; null: none
        const char* interval;  // stored; null: none
        bool withoutWinHttp;
        DWORD exitCode;
        const char* error;  // the start of the line on stderr
    } rows[] = {
        {{"ftp://printer"}, nullptr, nullptr, false, 2, "printwatch: ftp://printer: the address must start with"},
        {{"ipp://printer:0"}, nullptr, nullptr, false, 2, "printwatch: ipp://printer:0: the port must be"},
        {{"ipp://printer", "--interval", "0"}, nullptr, nullptr, false, 2,
         "printwatch: --interval takes 1 to 3600 seconds: \"0\""},
        {{"--interval", "3601", "ipp://p"}, nullptr, nullptr, false, 2, "printwatch: --interval takes 1 to 3600"},
        {{"ipp://a", "ipp://b"}, nullptr, nullptr, false, 2, "printwatch: only one printer address"},
        {{"/S"}, nullptr, nullptr, false, 2, "printwatch: unknown option: /S"},
        {{}, nullptr, nullptr, false, 2, "printwatch: no printer address given nor stored"},
        {{"--interval", "5"}, nullptr, "5", false, 2, "printwatch: no printer address given nor stored"},
        {{}, "ipp://bad host", nullptr, false, 2, "printwatch: the stored printer address ipp://bad host is not valid"},
        {{}, "ipp://printer", "0", false, 2, "printwatch: the stored interval \"0\" is not 1 to 3600 seconds"},
        {{"ipp://127.0.0.1:1"}, nullptr, nullptr, true, 1, "printwatch: WinHTTP (winhttp.dll) is not available"},
        {{}, "ipp://127.0.0.1:1", "5", true, 1, "printwatch: WinHTTP (winhttp.dll) is not available"},
    };
    for (const auto& row : rows) {
        SystemChanges stored;
        std::string error;
        const bool written =
            (row.uri == nullptr || stored.SetRegistryText(ownKey, kPrinterUriValue, row.uri, &error)) &&
            (row.interval == nullptr || stored.SetRegistryText(ownKey, kPollIntervalValue, row.interval, &error));
        ASSERT_TRUE(written) << error;
        std::unique_ptr<harness::WinHttpTakenAway> withoutWinHttp;
        if (row.withoutWinHttp) withoutWinHttp = std::make_unique<harness::WinHttpTakenAway>();
        PrintWatch watch(row.args);
        ASSERT_TRUE(watch.Started());
        EXPECT_EQ(watch.WaitForExit(5000), row.exitCode) << row.error;
        const std::string line = watch.ErrorOutput();
        EXPECT_EQ(line.substr(0, std::string(row.error).size()), row.error);
        EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
        (void)UndoChanges(stored.Log(), &error);
    }
    EXPECT_EQ(driver.Errors(), "");
}

TEST(PrintWatch, OnePerDesktopASecondStartEndsAtOnce) {
    harness::EndStrayPrintWatches();
    Responder printer(Idle());
    PrintWatch first({printer.Uri()});
    ASSERT_NE(first.WaitForWindow(), nullptr);
    PrintWatch second({printer.Uri()});
    EXPECT_EQ(second.WaitForExit(3000), 0u);
    EXPECT_TRUE(first.Running());
}

// The printer accepts the connection and never answers, so a poll is under
// way (for up to the 10 s time limit) when the end is asked for.
TEST(PrintWatch, EndsWithinASecondWhileAPollHangs) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    const char* const ways[] = {"statusctl stop", "WM_QUIT", "the session's end"};
    for (const std::string way : ways) {
        Responder printer(harness::NoAnswer());
        PrintWatch watch({printer.Uri(), "--interval", "1"});
        const HWND window = watch.WaitForWindow();
        ASSERT_NE(window, nullptr) << way;
        ASSERT_TRUE(printer.WaitForRequests(1, 5000)) << way;
        Sleep(200);  // well into the wait for the answer
        const DWORD start = GetTickCount();
        if (way == "statusctl stop") {
            // It returns once printwatch has ended.
            EXPECT_EQ(Statusctl({"stop"}), 0);
            EXPECT_FALSE(watch.Running());
        } else if (way == "WM_QUIT") {
            PostMessageA(window, WM_QUIT, 0, 0);
        } else {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &result);
        }
        EXPECT_EQ(watch.WaitForExit(5000), 0u) << way;
        EXPECT_LE(GetTickCount() - start, 1000u) << way;
    }
}

// A code goes to the relay window only when it changed, and at once to a
// relay window that is new.
TEST(PrintWatch, PostsOnlyChangedCodesAndTheCurrentOneToEachNewRelayWindow) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    Responder printer(WrongPath());
    auto relay = std::make_unique<StandInRelay>();
    PrintWatch watch({printer.Uri(), "--interval", "1"});
    ASSERT_TRUE(printer.WaitForRequests(3, 10000));
    EXPECT_EQ(relay->WaitForCodes(2, 500), std::vector<int>{20});  // wrong path, once for three polls
    printer.SetAnswer(Idle());
    ASSERT_TRUE(printer.WaitForRequests(printer.Requests() + 3, 10000));
    EXPECT_EQ(relay->WaitForCodes(3, 500), (std::vector<int>{20, 2}));

    // A monitor restarted: its relay window is a new one, at once.
    const HWND old = relay->Window();
    relay.reset();
    relay = std::make_unique<StandInRelay>();
    ASSERT_NE(relay->Window(), old);
    const DWORD start = GetTickCount();
    EXPECT_EQ(relay->WaitForCodes(1, 3000), std::vector<int>{2});
    EXPECT_LE(GetTickCount() - start, 1000u);
    ASSERT_TRUE(printer.WaitForRequests(printer.Requests() + 2, 10000));
    EXPECT_EQ(relay->WaitForCodes(2, 500), std::vector<int>{2});
}

// A printer address stored as the package stores it, for printwatch started
// without one; removed again when it goes.
class StoredPrinter {
public:
    StoredPrinter(const std::string& uri, int interval) {
        installed_ = Statusctl({"install", "--ipp", uri, "--interval", std::to_string(interval)}) == 0;
    }
    ~StoredPrinter() {
        if (installed_) (void)Statusctl({"uninstall"});
    }
    StoredPrinter(const StoredPrinter&) = delete;
    StoredPrinter& operator=(const StoredPrinter&) = delete;
    bool Installed() const { return installed_; }

private:
    bool installed_ = false;
};

template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
    return true;
}

// Nothing listens at the stored address: the first poll leaves the code
// stored for the monitor's start, the second makes it "not reachable", a
// warning.
TEST(PrintWatch, TheMonitorShowsNotReachableAfterTwoPollsWithoutAnAnswer) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    const StoredPrinter stored("ipp://127.0.0.1:" + std::to_string(harness::ClosedPort()), 1);
    ASSERT_TRUE(stored.Installed());
    harness::Monitor monitor;
    ASSERT_TRUE(monitor.Ready());
    monitor.Sync();
    EXPECT_EQ(monitor.StatusText(), "Waiting for the printer's first answer");
    PrintWatch watch({});
    EXPECT_TRUE(PollUntil([&] { return monitor.StatusText() == "Printer not reachable"; }, 8000))
        << monitor.StatusText();
    EXPECT_EQ(monitor.DialogSeverity(), harness::Severity::kWarning);
}

// Started after printwatch, whatever the interval, the monitor shows the
// printer's state within a second instead of its stored first code.
TEST(PrintWatch, AMonitorStartedAfterItShowsThePrintersStateWithinASecond) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    Responder printer(harness::IppAnswer(
        ipptest::StateAnswer(ipptest::kProcessing, {"cover-open-warning", "media-jam-warning"}, "Printing.")));
    const StoredPrinter stored(printer.Uri(), 3600);
    ASSERT_TRUE(stored.Installed());
    PrintWatch watch({});
    ASSERT_TRUE(printer.WaitForRequests(1, 5000));
    Sleep(500);  // its answer handled
    harness::Monitor monitor;
    ASSERT_TRUE(monitor.Ready());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(PollUntil([&] { return monitor.StatusText() == "Paper jam"; }, 3000)) << monitor.StatusText();
    EXPECT_LE(GetTickCount() - start, 1000u);
    EXPECT_EQ(monitor.DialogSeverity(), harness::Severity::kWarning);
    EXPECT_EQ(printer.Requests(), 1);
}

// Without an address on its command line it reads the stored one before
// every poll: a new one takes effect at the next poll.
TEST(PrintWatch, ANewStoredAddressTakesEffectAtTheNextPoll) {
    harness::EndStrayMonitors();
    harness::EndStrayPrintWatches();
    Responder wrongPath(WrongPath());
    Responder printer(Idle());
    StandInRelay relay;
    auto stored = std::make_unique<StoredPrinter>(wrongPath.Uri(), 1);
    ASSERT_TRUE(stored->Installed());
    PrintWatch watch({});
    EXPECT_EQ(relay.WaitForCodes(1, 5000), std::vector<int>{20});
    stored.reset();
    stored = std::make_unique<StoredPrinter>(printer.Uri(), 1);
    EXPECT_EQ(relay.WaitForCodes(2, 5000), (std::vector<int>{20, 2}));
    EXPECT_GE(printer.Requests(), 1);
}

}  // namespace
