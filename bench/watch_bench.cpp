// printwatch.exe as a user runs it, beside the real monitor, watching the
// test printer (ippeveprinter on this machine) every second: the time from a
// change at the printer to the monitor's new text, and printwatch's CPU time
// and private bytes while the printer stays as it is. Run through
// bench/run_printwatch.sh; it prints Markdown tables.
//
//   watchbench.exe [--changes N] [--steady SECONDS]
//   watchbench.exe --trace SECONDS
//
// --changes: N changes of the printer (40), toner low and back in turns,
// each made at a random moment of the poll cycle. --steady: the seconds
// printwatch's CPU time is taken over (30) while the printer stays as it is,
// at the interval of 1 s, at the default 5 s, and at 3600 s. --trace:
// no changes; only SECONDS of the steady state between two marks that a
// wineserver trace shows ("watchbench-start", "watchbench-end"), and
// printwatch's threads.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_config.h"
#include "bench/poll_measures.h"
#include "harness/monitor.h"
#include "harness/test_driver.h"
#include "harness/test_printer.h"
#include "ipp/printer_uri.h"
#include "protocol/config_names.h"
#include "watch/ipp_client.h"

namespace {

using bench::Now;

constexpr int kIntervalSeconds = 1;  // of the changes
// The steady state: the interval of the changes, the default interval, and
// one so long that only the look for a new relay window, twice a second,
// remains.
constexpr int kSteadyIntervals[] = {kIntervalSeconds, 5, 3600};
constexpr const char* kDriver = "Network Printer";  // the generated profiles' section
constexpr const char* kReadyText = "Ready";
constexpr const char* kTonerLowText = "Toner low";

struct Options {
    int changes = 40;
    int steadySeconds = 30;
    int traceSeconds = 0;  // 0: no trace
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (value <= 0) return false;
        if (name == "--changes") options->changes = static_cast<int>(value);
        else if (name == "--steady") options->steadySeconds = static_cast<int>(value);
        else if (name == "--trace") options->traceSeconds = static_cast<int>(value);
        else return false;
    }
    return argc % 2 == 1;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The network printer's generated profiles, the switch on, language 1.
bool Configure(harness::TestDriver& driver) {
    const std::string profile = FileText(harness::ExecutableDirectory() + "network\\profile.ini");
    const std::string defaults = FileText(harness::ExecutableDirectory() + "network\\default.ini");
    if (profile.empty() || defaults.empty()) return false;
    driver.SetProfiles(profile, defaults);
    driver.SetData(kCodeValue, "1");
    driver.SetData(kDisplayValue, "watchbench");
    driver.SetBidiMode("1");
    driver.SetLanguage("IPP,1");
    return driver.Errors().empty();
}

// printwatch.exe beside this program, watching the address every interval.
class WatchProcess {
public:
    WatchProcess(const std::string& uri, int interval) {
        std::string commandLine = "\"" + harness::ExecutableDirectory() + "printwatch.exe\" " + uri +
                                  " --interval " + std::to_string(interval);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            process_ = {};
        }
    }
    // Ended by force: the benchmark has what it wanted from it.
    ~WatchProcess() {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    WatchProcess(const WatchProcess&) = delete;
    WatchProcess& operator=(const WatchProcess&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    HANDLE Handle() const { return process_.hProcess; }
    // Its threads as a wineserver trace names them: the main thread first.
    std::string ThreadIds() const {
        char id[16];
        std::snprintf(id, sizeof id, "%04lx", process_.dwThreadId);
        std::string ids = id;
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return ids;
        THREADENTRY32 thread = {};
        thread.dwSize = sizeof thread;
        for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
            if (thread.th32OwnerProcessID != process_.dwProcessId || thread.th32ThreadID == process_.dwThreadId) {
                continue;
            }
            std::snprintf(id, sizeof id, " %04lx", thread.th32ThreadID);
            ids += id;
        }
        CloseHandle(snapshot);
        return ids;
    }

private:
    PROCESS_INFORMATION process_ = {};
};

bool WaitForText(const harness::Monitor& monitor, const char* text, double timeoutSeconds) {
    const double end = Now() + timeoutSeconds;
    while (Now() < end) {
        if (monitor.StatusText() == text) return true;
        Sleep(1);
    }
    return false;
}

// The median wall time of a poll, asked in-process: printwatch waits the
// interval after each poll, so a cycle lasts the interval and a poll.
double PollSeconds(const WinHttpApi& api, const std::string& uri) {
    IppClient client(api);
    const PrinterUri address = ParsePrinterUri(uri).uri;
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
        const double start = Now();
        (void)client.Poll(address);
        if (i > 0) times.push_back(Now() - start);  // the first opens the connection
    }
    return bench::Percentile(times, 0.5);
}

// The toner set low and back in turns, each at a random moment of the poll
// cycle (a change made just after the monitor showed the last one would
// always come just after a poll); the seconds from the form's answer, when
// the printer has the new state, until the monitor shows its text.
bool MeasureLatency(const WinHttpApi& api, const harness::TestPrinter& printer, const harness::Monitor& monitor,
                    int changes, std::vector<double>* latencies, std::vector<double>* formTimes) {
    std::minstd_rand random(25);  // the same moments from run to run
    std::uniform_int_distribution<int> phaseMs(0, kIntervalSeconds * 1000 - 1);
    for (int i = 0; i < changes; ++i) {
        const bool low = i % 2 == 0;
        Sleep(static_cast<DWORD>(phaseMs(random)));
        const double start = Now();
        // supply0 is the waste, supply1 the toner; toner below 10 % is low.
        if (!bench::GetPrinterPage(api, printer.Port(), low ? "/supplies?supply0=25&supply1=5"
                                                            : "/supplies?supply0=25&supply1=75")) {
            std::fprintf(stderr, "the printer's supplies form did not answer\n");
            return false;
        }
        const double changed = Now();
        const char* expected = low ? kTonerLowText : kReadyText;
        if (!WaitForText(monitor, expected, 10)) {
            std::fprintf(stderr, "change %d: the monitor shows \"%s\", not \"%s\"\n", i + 1,
                         monitor.StatusText().c_str(), expected);
            return false;
        }
        latencies->push_back(Now() - changed);
        formTimes->push_back(changed - start);
    }
    return true;
}

struct Steady {
    int interval = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    double polls = 0;  // 0 for a single poll at the start
    double privateKiB = 0;
};

// printwatch started anew at the interval, its first poll done, then its
// CPU time (all its threads) over the seconds. printwatch waits the
// interval after each poll, so a cycle lasts the interval and a poll.
bool MeasureSteady(const std::string& uri, int interval, int seconds, double pollSeconds, Steady* steady) {
    WatchProcess watch(uri, interval);
    Sleep(2000);
    const unsigned long pid = bench::FindUnixProcess("printwatch.exe");
    if (!watch.Started() || pid == 0) {
        std::fprintf(stderr, "printwatch did not start, or its process is not found in /proc\n");
        return false;
    }
    const double start = Now();
    const double cpuStart = bench::UnixCpuSeconds(pid);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    steady->interval = interval;
    steady->seconds = Now() - start;
    steady->cpuSeconds = bench::UnixCpuSeconds(pid) - cpuStart;
    steady->polls = interval < seconds ? steady->seconds / (interval + pollSeconds) : 0;
    steady->privateKiB = bench::PrivateKiB(watch.Handle());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: watchbench.exe [--changes N] [--steady SECONDS] | --trace SECONDS\n");
        return 2;
    }
    harness::EndStrayMonitors();
    harness::TestPrinter printer;
    WinHttpApi api;
    if (!bench::ReadyToPoll(printer, &api)) return 2;
    harness::TestDriver driver(kDriver, "WatchBench", "IPP");
    if (!Configure(driver)) {
        std::fprintf(stderr, "cannot write the configuration: %s\n", driver.Errors().c_str());
        return 2;
    }
    const double pollSeconds = PollSeconds(api, printer.IppUri());
    harness::Monitor monitor;
    std::vector<double> latencies, formTimes;
    {
        WatchProcess watch(printer.IppUri(), kIntervalSeconds);
        if (!monitor.Ready() || !watch.Started() || !WaitForText(monitor, kReadyText, 10)) {
            std::fprintf(stderr, "the monitor does not show \"%s\" (it shows \"%s\")\n", kReadyText,
                         monitor.StatusText().c_str());
            return 2;
        }
        if (options.traceSeconds != 0) {
            bench::Mark("watchbench-start");
            Sleep(static_cast<DWORD>(options.traceSeconds) * 1000);
            bench::Mark("watchbench-end");
            std::printf("printwatch's threads, the main one first: %s\n", watch.ThreadIds().c_str());
            return 0;
        }
        if (!MeasureLatency(api, printer, monitor, options.changes, &latencies, &formTimes)) return 1;
    }
    std::vector<Steady> steady;
    for (int interval : kSteadyIntervals) {
        steady.emplace_back();
        if (!MeasureSteady(printer.IppUri(), interval, options.steadySeconds, pollSeconds, &steady.back())) return 2;
    }

    std::printf("| printwatch every %d s, beside the monitor | value |\n|---|---:|\n", kIntervalSeconds);
    std::printf("| from a change at the printer to the monitor's text, median (ms) | %.0f |\n",
                bench::Percentile(latencies, 0.5) * 1000);
    std::printf("| the same, 95th percentile (ms) | %.0f |\n", bench::Percentile(latencies, 0.95) * 1000);
    std::printf("| the same, shortest and longest (ms) | %.0f, %.0f |\n", bench::Percentile(latencies, 0) * 1000,
                bench::Percentile(latencies, 1) * 1000);
    std::printf("| changes | %d |\n", options.changes);
    std::printf("| the supplies form's own time, median (ms) | %.1f |\n", bench::Percentile(formTimes, 0.5) * 1000);
    std::printf("| a poll's wall time, median of 20 in-process (ms) | %.1f |\n", pollSeconds * 1000);
    std::printf("\n| printwatch's CPU time, the printer unchanged | seconds | ms a second | polls | ms a poll | "
                "private KiB |\n|---|---:|---:|---:|---:|---:|\n");
    for (const Steady& row : steady) {
        std::printf("| every %d s | %.0f | %.3f | ", row.interval, row.seconds, row.cpuSeconds * 1000 / row.seconds);
        if (row.polls > 0) {
            std::printf("%.1f | %.2f |", row.polls, row.cpuSeconds * 1000 / row.polls);
        } else {
            std::printf("0 | |");
        }
        std::printf(" %.0f |\n", row.privateKiB);
    }
    std::printf("\nlatencies (ms):");
    for (double latency : latencies) std::printf(" %.0f", latency * 1000);
    std::printf("\n");
    return 0;
}
