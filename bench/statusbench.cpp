// Measures the real monitor under load against a bare relay-and-echo floor:
// burst throughput, post-to-text latency, start-up time and peak working set.
// Run through bench/run.sh; it prints a Markdown table.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_config.h"
#include "bench/bench_texts.h"
#include "harness/test_driver.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "ui/resource.h"

namespace {

using bench::Now;

constexpr int kLatencySamples = 500;
// The headline: rounds of a shorter burst of the first kind, the monitor and
// the floor taking turns, each started afresh, so that a slow spell of the
// machine falls on both alike; the ratio is the median of the rounds' ratios.
constexpr int kHeadlineRounds = 9;
constexpr int kHeadlineCodes = 3000;

struct Target {
    PROCESS_INFORMATION process = {};
    HWND relay = nullptr;
    HWND dialog = nullptr;
    HWND area = nullptr;
};

struct FindDialog {
    DWORD processId;
    HWND dialog;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    FindDialog* find = reinterpret_cast<FindDialog*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (processId == find->processId && lstrcmpA(className, "#32770") == 0) {
        find->dialog = window;
        return FALSE;
    }
    return TRUE;
}

// The whole text of the status area (in scroll mode it holds many lines).
std::string Text(HWND area) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(area, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(area, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_NORMAL, 5000, &got);
    text.resize(got <= length ? got : 0);
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Waits until the status area shows expected, or ends with it as its last
// line (scroll mode). Each look is a message the program has to answer, so
// pollEvery keeps them rare where a wait is long.
bool WaitForText(HWND area, const char* expected, double timeoutSeconds, DWORD pollEvery = 0) {
    const std::string line = std::string(expected) + "\r\n";
    const double end = Now() + timeoutSeconds;
    while (Now() < end) {
        const std::string text = Text(area);
        if (text == expected || EndsWith(text, line)) return true;
        Sleep(pollEvery);
    }
    return false;
}

// Starts the program and returns the seconds until its dialog is visible.
double Start(const std::string& program, Target& target) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    const double start = Now();
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &target.process)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(2);
    }
    const double end = start + 30;
    while (Now() < end) {
        FindDialog find = {target.process.dwProcessId, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&find));
        target.relay = FindWindowA(kRelayWindowName, kRelayWindowName);
        if (find.dialog != nullptr && target.relay != nullptr && IsWindowVisible(find.dialog)) {
            target.dialog = find.dialog;
            target.area = GetDlgItem(find.dialog, IDC_STATUSTEXT);
            return Now() - start;
        }
        Sleep(1);
    }
    std::fprintf(stderr, "%s did not come up\n", program.c_str());
    std::exit(2);
}

void Post(const Target& target, UINT message, int code) {
    // A full queue refuses posts; wait for the program to catch up.
    while (!PostMessageA(target.relay, message, 1, code)) Sleep(1);
}

void Stop(Target& target) {
    Post(target, WM_STATUSQUIT, 0);
    if (WaitForSingleObject(target.process.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end; terminating it\n");
        TerminateProcess(target.process.hProcess, 1);
        WaitForSingleObject(target.process.hProcess, 5000);
    }
    CloseHandle(target.process.hThread);
    CloseHandle(target.process.hProcess);
}

// A burst: codes of one kind, each handled as the configuration stands.
struct BurstKind {
    const char* name;
    int codes;
    int first;   // the codes alternate between first and second
    int second;
    int scrollMsg;
    const char* bidiMode;
};

// The headline burst first, then the kinds that show where a code's time
// goes: nothing on screen changes, only the look-ups, the appended history,
// and the driver's switch off (the tray is left alone, the area still shows).
constexpr BurstKind kBursts[] = {
    {"two entries alternating", 10000, bench::kCodeA, bench::kCodeB, 0, "1"},
    {"one entry repeated", 5000, bench::kCodeB, bench::kCodeB, 0, "1"},
    {"codes without an entry", 5000, bench::kNoEntry, bench::kNoEntry, 0, "1"},
    {"scroll mode, two entries", 5000, bench::kCodeA, bench::kCodeB, 1, "1"},
    {"switched off, two entries", 5000, bench::kCodeA, bench::kCodeB, 0, "0"},
};
constexpr int kBurstKinds = sizeof kBursts / sizeof kBursts[0];

struct Figures {
    double startup = 0;
    double throughput[kBurstKinds] = {};
    double latencyMedian = 0;
    double latencyP99 = 0;
    double peakWorkingSetKiB = 0;
};

// Codes per second of one burst of the kind's codes (or of codes codes),
// until the sentinel after it shows.
double Burst(const Target& target, const BurstKind& kind, int codes = 0) {
    if (codes == 0) codes = kind.codes;
    // The sentinel of the burst before is replaced first, so that only this
    // burst's own can end the wait.
    Post(target, WM_STATUSCODE, bench::kCodeA);
    if (!WaitForText(target.area, bench::TextForCode(bench::kCodeA), 10)) {
        std::fprintf(stderr, "burst \"%s\": the first code was not shown\n", kind.name);
        std::exit(2);
    }
    const double start = Now();
    for (int i = 0; i < codes; ++i) {
        Post(target, WM_STATUSCODE, i % 2 == 0 ? kind.first : kind.second);
    }
    Post(target, WM_STATUSCODE, bench::kSentinel);
    if (!WaitForText(target.area, bench::TextForCode(bench::kSentinel), 300, 5)) {
        std::fprintf(stderr, "burst \"%s\" not finished\n", kind.name);
        std::exit(2);
    }
    return (codes + 1) / (Now() - start);
}

// The floor takes no notice of the configuration: it runs the first kind only.
Figures Measure(const std::string& program, harness::TestDriver& driver, int kinds) {
    Figures figures;
    Target target;
    figures.startup = Start(program, target);

    // Latency: one code at a time, from the post until its text shows.
    std::vector<double> latencies;
    for (int i = 0; i < kLatencySamples; ++i) {
        const int code = i % 2 == 0 ? bench::kCodeA : bench::kCodeB;
        const double start = Now();
        Post(target, WM_STATUSCODE, code);
        if (!WaitForText(target.area, bench::TextForCode(code), 10)) {
            std::fprintf(stderr, "%s: code %d not shown (the area shows \"%s\")\n", program.c_str(),
                         code, Text(target.area).c_str());
            std::exit(2);
        }
        latencies.push_back(Now() - start);
        // Each sample is a single code: the next is posted once the program
        // has finished with this one and reads its messages again.
        SendMessageTimeoutA(target.dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }
    std::sort(latencies.begin(), latencies.end());
    figures.latencyMedian = latencies[latencies.size() / 2];
    figures.latencyP99 = latencies[latencies.size() * 99 / 100];

    for (int k = 0; k < kinds; ++k) {
        driver.SetProfiles(bench::Profile(kBursts[k].scrollMsg));
        driver.SetBidiMode(kBursts[k].bidiMode);
        figures.throughput[k] = Burst(target, kBursts[k]);
        if (k == 0) {
            PROCESS_MEMORY_COUNTERS memory = {};
            memory.cb = sizeof memory;
            if (GetProcessMemoryInfo(target.process.hProcess, &memory, sizeof memory)) {
                figures.peakWorkingSetKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
            }
        }
    }
    bench::Configure(driver);
    Stop(target);
    return figures;
}

// Codes per second of a headline burst, in a program started for it.
double MeasureHeadline(const std::string& program) {
    Target target;
    (void)Start(program, target);
    const double throughput = Burst(target, kBursts[0], kHeadlineCodes);
    Stop(target);
    return throughput;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintRow(const char* name, double monitor, double floor, const char* unit) {
    std::printf("| %-34s | %12.2f | %12.2f | %8.2f |\n", (std::string(name) + " (" + unit + ")").c_str(),
                monitor, floor, floor != 0 ? monitor / floor : 0.0);
}

// Where a code's time goes: each kind of burst against the floor's.
void PrintBreakdown(const Figures& monitor, double floorThroughput) {
    std::printf("\n| %-34s | %12s | %12s | %12s | %8s |\n", "burst (monitor)", "codes/s", "ms a code",
                "ms over floor", "ratio");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(14, '-').c_str(),
                std::string(10, '-').c_str());
    const double floorMs = 1000.0 / floorThroughput;
    std::printf("| %-34s | %12.2f | %12.3f | %12s | %8s |\n", "floor: two texts alternating",
                floorThroughput, floorMs, "", "");
    for (int k = 0; k < kBurstKinds; ++k) {
        const double ms = 1000.0 / monitor.throughput[k];
        std::printf("| %-34s | %12.2f | %12.3f | %12.3f | %8.2f |\n", kBursts[k].name,
                    monitor.throughput[k], ms, ms - floorMs, monitor.throughput[k] / floorThroughput);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool floorOnly = argc > 1 && std::string(argv[1]) == "--floor-only";
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string directory(module);
    directory.erase(directory.find_last_of('\\') + 1);

    if (FindWindowA(kRelayWindowName, kRelayWindowName) != nullptr) {
        std::fprintf(stderr, "a monitor is running already; end it first\n");
        return 2;
    }
    harness::TestDriver driver(bench::kDriver, "Bench", "BNCH");
    bench::Configure(driver);
    if (!driver.Errors().empty()) {
        std::fprintf(stderr, "cannot write the configuration: %s", driver.Errors().c_str());
        return 2;
    }
    const std::string monitorProgram = directory + "statusmon.exe";
    const std::string floorProgram = directory + "echo_monitor.exe";
    const Figures monitor = floorOnly ? Figures() : Measure(monitorProgram, driver, kBurstKinds);
    const Figures floor = Measure(floorProgram, driver, 1);
    std::vector<double> monitorRounds, floorRounds, ratios;
    for (int round = 0; round < kHeadlineRounds && !floorOnly; ++round) {
        monitorRounds.push_back(MeasureHeadline(monitorProgram));
        floorRounds.push_back(MeasureHeadline(floorProgram));
        ratios.push_back(monitorRounds.back() / floorRounds.back());
    }

    std::printf("| %-34s | %12s | %12s | %8s |\n", "measure", "monitor", "floor", "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(10, '-').c_str());
    if (!floorOnly) {
        const std::string name = "bursts of " + std::to_string(kHeadlineCodes) + " codes, " +
                                 std::to_string(kHeadlineRounds) + " rounds (codes/s)";
        std::printf("| %-34s | %12.2f | %12.2f | %8.2f |\n", name.c_str(), Median(monitorRounds),
                    Median(floorRounds), Median(ratios));
    }
    PrintRow("burst of 10,000 codes", monitor.throughput[0], floor.throughput[0], "codes/s");
    PrintRow("latency, median", monitor.latencyMedian * 1000, floor.latencyMedian * 1000, "ms");
    PrintRow("latency, 99th percentile", monitor.latencyP99 * 1000, floor.latencyP99 * 1000, "ms");
    PrintRow("start to dialog visible", monitor.startup * 1000, floor.startup * 1000, "ms");
    PrintRow("peak working set after burst", monitor.peakWorkingSetKiB, floor.peakWorkingSetKiB, "KiB");
    if (floorOnly) return 0;
    std::printf("\neach round (codes/s, monitor / floor, ratio):");
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        std::printf(" %.0f / %.0f (%.2f)%s", monitorRounds[i], floorRounds[i], ratios[i],
                    i + 1 < ratios.size() ? "," : "\n");
    }
    PrintBreakdown(monitor, Median(floorRounds));
    return 0;
}
