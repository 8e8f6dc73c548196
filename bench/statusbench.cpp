// Measures the real monitor under load against a bare relay-and-echo floor:
// burst throughput, post-to-text latency, start-up time and peak working set.
// Run through bench/run.sh; it prints a Markdown table.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_texts.h"
#include "harness/test_driver.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "ui/resource.h"

namespace {

constexpr const char* kDriver = "Bench Printer";
constexpr int kBurstCodes = 10000;
constexpr int kLatencySamples = 500;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A small profile: two alternating codes with entries and texts, scroll mode
// off, and the sentinel.
std::string Profile() {
    char profile[512];
    std::snprintf(profile, sizeof profile,
                  "[%s]\r\nScrollMsg=0\r\n00001=0,0,101\r\n00002=0,2,102\r\n00003=0,0,103\r\n"
                  "[%s,001]\r\nCaption=Benchmark\r\n00101=%s\r\n00102=%s\r\n00103=%s\r\n",
                  kDriver, kDriver, bench::TextForCode(bench::kCodeA), bench::TextForCode(bench::kCodeB),
                  bench::TextForCode(bench::kSentinel));
    return profile;
}

void Configure(harness::TestDriver& driver) {
    driver.SetProfiles(Profile());
    driver.SetData(kDisplayValue, "bench");
    driver.SetBidiMode("1");
    driver.SetLanguage("BNCH,1");
}

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

std::string Text(HWND area) {
    char text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(area, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 5000, &length);
    return text;
}

bool WaitForText(HWND area, const char* expected, double timeoutSeconds) {
    const double end = Now() + timeoutSeconds;
    while (Now() < end) {
        if (Text(area) == expected) return true;
        Sleep(0);
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

struct Figures {
    double startup = 0;
    double throughput = 0;
    double latencyMedian = 0;
    double latencyP99 = 0;
    double peakWorkingSetKiB = 0;
};

Figures Measure(const std::string& program) {
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

    // Throughput: a burst of alternating codes, then a sentinel.
    const double start = Now();
    for (int i = 0; i < kBurstCodes; ++i) {
        Post(target, WM_STATUSCODE, i % 2 == 0 ? bench::kCodeA : bench::kCodeB);
    }
    Post(target, WM_STATUSCODE, bench::kSentinel);
    if (!WaitForText(target.area, bench::TextForCode(bench::kSentinel), 300)) {
        std::fprintf(stderr, "%s: burst not finished\n", program.c_str());
        std::exit(2);
    }
    figures.throughput = (kBurstCodes + 1) / (Now() - start);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(target.process.hProcess, &memory, sizeof memory)) {
        figures.peakWorkingSetKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    }
    Stop(target);
    return figures;
}

void PrintRow(const char* name, double monitor, double floor, const char* unit) {
    std::printf("| %-34s | %12.2f | %12.2f | %8.2f |\n", (std::string(name) + " (" + unit + ")").c_str(),
                monitor, floor, floor != 0 ? monitor / floor : 0.0);
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
    harness::TestDriver driver(kDriver, "Bench", "BNCH");
    Configure(driver);
    if (!driver.Errors().empty()) {
        std::fprintf(stderr, "cannot write the configuration: %s", driver.Errors().c_str());
        return 2;
    }
    const Figures monitor = floorOnly ? Figures() : Measure(directory + "statusmon.exe");
    const Figures floor = Measure(directory + "echo_monitor.exe");

    std::printf("| %-34s | %12s | %12s | %8s |\n", "measure", "monitor", "floor", "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(10, '-').c_str());
    PrintRow("burst of 10,000 codes", monitor.throughput, floor.throughput, "codes/s");
    PrintRow("latency, median", monitor.latencyMedian * 1000, floor.latencyMedian * 1000, "ms");
    PrintRow("latency, 99th percentile", monitor.latencyP99 * 1000, floor.latencyP99 * 1000, "ms");
    PrintRow("start to dialog visible", monitor.startup * 1000, floor.startup * 1000, "ms");
    PrintRow("peak working set after burst", monitor.peakWorkingSetKiB, floor.peakWorkingSetKiB, "KiB");
    return 0;
}
