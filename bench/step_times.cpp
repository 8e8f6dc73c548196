// Where a status code's time goes: each step of the monitor's handling of one
// code, called on its own many times in this process against the benchmark's
// configuration, with the time of one call. The steps are the monitor's own
// functions (linked from its library) and the window and shell calls it makes.
// Run through bench/run.sh; it prints a Markdown table.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "bench/bench_config.h"
#include "bench/bench_texts.h"
#include "config/driver_settings.h"
#include "config/monitor_key.h"
#include "config/reg_key.h"
#include "config/status_profile.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "state/monitor_state.h"
#include "status/status_code.h"
#include "text/text.h"
#include "ui/resource.h"
#include "ui/status_dialog.h"
#include "ui/status_view.h"

namespace {

using bench::Now;

constexpr int kRounds = 2000;

// This thread's processor time in seconds, user and kernel: unlike the
// clock, it does not count the time other processes take the processor.
double ThreadTime() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Calls step(i) for i = 0 .. kRounds - 1 and prints the time of one call.
template <typename Step>
void Time(const char* name, Step step) {
    const double start = Now();
    const double startCpu = ThreadTime();
    for (int i = 0; i < kRounds; ++i) step(i);
    const double us = (Now() - start) * 1e6 / kRounds;
    const double cpu = (ThreadTime() - startCpu) * 1e6 / kRounds;
    std::printf("| %-58s | %10.1f | %10.1f |\n", name, us, cpu);
}

// Windows like the dialog's: a severity icon and a multi-line edit control.
struct Windows {
    HWND dialog = nullptr;
    HWND icon = nullptr;
    HWND area = nullptr;
};

Windows CreateWindows() {
    Windows windows;
    windows.dialog = CreateWindowExA(0, "#32770", "Steps", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0,
                                     0, 460, 110, nullptr, nullptr, nullptr, nullptr);
    windows.icon = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ICON, 6, 15, 32, 32,
                                   windows.dialog, nullptr, nullptr, nullptr);
    windows.area = CreateWindowExA(
        0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        50, 5, 400, 50, windows.dialog, nullptr, nullptr, nullptr);
    // The dialog's font, as the status area has it.
    const HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                   0, 0, 0, "MS Sans Serif");
    SendMessageA(windows.area, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return windows;
}

}  // namespace

int main() {
    harness::TestDriver driver(bench::kDriver, "BenchSteps", "BNCH");
    bench::Configure(driver);
    if (!driver.Errors().empty()) {
        std::fprintf(stderr, "cannot write the configuration: %s", driver.Errors().c_str());
        return 2;
    }
    MonitorState state;
    state.platform = PlatformFamily::kWinNt;
    GetMonitorDataKeyPath(state.monitorKey, state.monitorDataKeyPath);
    ProfileSet& profile = state.profile;
    {
        RegKey key(HKEY_LOCAL_MACHINE, state.monitorDataKeyPath, KEY_READ);
        CopyBounded(profile.profilePath, key.QueryString(kProfileValue));
        CopyBounded(profile.defaultProfilePath, key.QueryString(kProfileDefaultValue));
        CopyBounded(profile.driverName, key.QueryString(kDriverValue));
        CopyBounded(profile.driverClass, key.QueryString(kDriverClassValue));
        profile.language = 1;
    }
    const Windows windows = CreateWindows();
    const HICON icons[2] = {LoadIconA(nullptr, MAKEINTRESOURCEA(32513)),
                            LoadIconA(nullptr, MAKEINTRESOURCEA(32515))};
    char text[kProfileTextSize];

    std::printf("| %-58s | %10s | %10s |\n", "step of one code (calls of its own)", "us a call",
                "us of CPU");
    std::printf("|%s|%s|%s|\n", std::string(60, '-').c_str(), std::string(12, '-').c_str(),
                std::string(12, '-').c_str());
    Time("relay: the monitor key's \"Monitor\" and the data key path", [&](int) {
        GetMonitorDataKeyPath(state.monitorKey, state.monitorDataKeyPath);
    });
    Time("data key (kept open): four values copied", [&](int) {
        RegKey key(state.dataKey, HKEY_LOCAL_MACHINE, state.monitorDataKeyPath, KEY_READ);
        ProfileSet copy;
        CopyBounded(copy.profilePath, key.QueryString(kProfileValue));
        CopyBounded(copy.defaultProfilePath, key.QueryString(kProfileDefaultValue));
        CopyBounded(copy.driverName, key.QueryString(kDriverValue));
        CopyBounded(copy.driverClass, key.QueryString(kDriverClassValue));
    });
    Time("driver settings (NT family)", [&](int) { (void)ReadDriverSettings(PlatformFamily::kWinNt, profile, state.driverKey); });
    Time("scroll mode from the status profile", [&](int) { (void)ReadScrollMode(profile); });
    Time("status entry found in the driver section", [&](int) {
        (void)LookupProfileString(profile, "00001", text, sizeof text, false);
    });
    Time("status entry not found (three sections)", [&](int) {
        (void)LookupProfileString(profile, "00004", text, sizeof text, false);
    });
    Time("message text found in the language section", [&](int) {
        (void)LookupProfileString(profile, "00101", text, sizeof text, true);
    });
    Time("severity icon: system icon loaded", [&](int i) {
        (void)LoadIconA(nullptr, MAKEINTRESOURCEA(i % 2 == 0 ? 32513 : 32515));
    });
    Time("severity icon: set, alternating", [&](int i) {
        SendMessageA(windows.icon, STM_SETICON, reinterpret_cast<WPARAM>(icons[i % 2]), 0);
    });
    Time("status area: text set, alternating", [&](int i) {
        SetWindowTextA(windows.area, bench::TextForCode(i % 2 == 0 ? bench::kCodeA : bench::kCodeB));
    });
    Time("look into the queue for a waiting code", [&](int) {
        MSG message;
        (void)PeekMessageA(&message, nullptr, WM_STATUSCODE, WM_STATUSCODE, PM_NOREMOVE);
    });
    Time("the tick count", [&](int) { (void)GetTickCount(); });
    Time("whole resolution of a code with entry and text", [&](int i) {
        StatusOutcome outcome;
        (void)ResolveStatusCode(state, i % 2 == 0 ? bench::kCodeA : bench::kCodeB, outcome);
    });
    Time("whole resolution of a code without an entry", [&](int) {
        StatusOutcome outcome;
        (void)ResolveStatusCode(state, bench::kNoEntry, outcome);
    });

    // The monitor's own dialog handling codes within a burst: a code waits in
    // the queue all the while, so the tray's changes wait too.
    g_monitor.instance = GetModuleHandleA(nullptr);
    g_monitor.platform = PlatformFamily::kWinNt;
    const HWND dialog = CreateStatusDialog(g_monitor.instance);
    GetMonitorDataKeyPath(g_monitor.monitorKey, g_monitor.monitorDataKeyPath);
    PostMessageA(windows.dialog, WM_STATUSCODE, 1, bench::kCodeA);
    Time("the dialog's severity icon set, alternating", [&](int i) {
        SendDlgItemMessageA(dialog, IDC_STATUSICON, STM_SETICON, reinterpret_cast<WPARAM>(icons[i % 2]), 0);
    });
    Time("the dialog's status area: text set, alternating", [&](int i) {
        SetDlgItemTextA(dialog, IDC_STATUSTEXT,
                        bench::TextForCode(i % 2 == 0 ? bench::kCodeA : bench::kCodeB));
    });
    Time("whole handling in the dialog, within a burst, alternating", [&](int i) {
        HandleStatusCode(dialog, g_monitor, i % 2 == 0 ? bench::kCodeA : bench::kCodeB);
    });
    Time("whole handling in the dialog, within a burst, no entry", [&](int) {
        HandleStatusCode(dialog, g_monitor, bench::kNoEntry);
    });
    DestroyWindow(dialog);
    DestroyWindow(windows.dialog);
    return 0;
}
