// printwatch's poll in-process, back to back against the test printer
// (ippeveprinter on this machine): the CPU time and wall time a poll takes,
// and the process's private bytes every 1,000 polls, to show that they stay
// flat. Run through bench/run_printwatch.sh; it prints Markdown tables.
//
//   pollbench.exe [POLLS] [--trace]
//
// POLLS: 10,000 by default. --trace: only the polls, between two marks that
// a wineserver trace shows (named events "pollbench-start" and
// "pollbench-end").
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_config.h"
#include "bench/poll_measures.h"
#include "harness/test_printer.h"
#include "ipp/printer_uri.h"
#include "ipp/status_choice.h"
#include "watch/ipp_client.h"
#include "watch/winhttp_api.h"

namespace {

constexpr int kSampleEvery = 1000;
constexpr int kWarmUpPolls = 20;

// One poll; false unless the printer told its state.
bool PollOnce(IppClient& client, const PrinterUri& uri) {
    const PollOutcome outcome = client.Poll(uri);
    return outcome.kind == PollOutcome::Kind::kAnswer && outcome.answer.printerState != 0;
}

struct Options {
    int polls = 10000;
    bool trace = false;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options->trace = true;
            continue;
        }
        options->polls = std::atoi(argument.c_str());
        if (options->polls <= 0) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: pollbench.exe [POLLS] [--trace]\n");
        return 2;
    }
    harness::TestPrinter printer;
    WinHttpApi api;
    if (!bench::ReadyToPoll(printer, &api)) return 2;
    const PrinterUri uri = ParsePrinterUri(printer.IppUri()).uri;
    IppClient client(api);
    // The connection is opened and WinHTTP's own first-use work is done
    // before anything is counted.
    for (int i = 0; i < kWarmUpPolls; ++i) {
        if (!PollOnce(client, uri)) {
            std::fprintf(stderr, "the printer at %s did not tell its state\n", printer.IppUri().c_str());
            return 2;
        }
    }
    int failed = 0;
    if (options.trace) {
        bench::Mark("pollbench-start");
        for (int i = 0; i < options.polls; ++i) failed += PollOnce(client, uri) ? 0 : 1;
        bench::Mark("pollbench-end");
        std::printf("%d polls between the marks on thread %04lx, %d failed\n", options.polls, GetCurrentThreadId(),
                    failed);
        return failed == 0 ? 0 : 1;
    }

    const unsigned long self = bench::FindUnixProcess("pollbench.exe");
    const unsigned long server = bench::FindUnixProcess("wineserver");
    if (self == 0 || server == 0) {
        std::fprintf(stderr, "cannot find this program's or the wineserver's process in /proc\n");
        return 2;
    }
    std::printf("| polls | seconds | CPU ms a poll: pollbench | wineserver | wall ms a poll | private KiB |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|\n");
    std::printf("| 0 | 0.0 | | | | %.0f |\n", bench::PrivateKiB(GetCurrentProcess()));
    const double start = bench::Now();
    const double cpuStart = bench::UnixCpuSeconds(self);
    const double serverStart = bench::UnixCpuSeconds(server);
    double rowStart = start, rowCpu = cpuStart, rowServer = serverStart;
    for (int i = 1; i <= options.polls; ++i) {
        failed += PollOnce(client, uri) ? 0 : 1;
        if (i % kSampleEvery != 0 && i != options.polls) continue;
        const int done = i % kSampleEvery == 0 ? kSampleEvery : i % kSampleEvery;
        const double now = bench::Now();
        const double cpu = bench::UnixCpuSeconds(self);
        const double serverCpu = bench::UnixCpuSeconds(server);
        std::printf("| %d | %.1f | %.3f | %.3f | %.1f | %.0f |\n", i, now - start, (cpu - rowCpu) * 1000 / done,
                    (serverCpu - rowServer) * 1000 / done, (now - rowStart) * 1000 / done,
                    bench::PrivateKiB(GetCurrentProcess()));
        std::fflush(stdout);
        rowStart = now;
        rowCpu = cpu;
        rowServer = serverCpu;
    }
    const double seconds = bench::Now() - start;
    std::printf("\n%d polls back to back in %.1f s, %d failed: a poll %.3f ms of CPU in pollbench (all its "
                "threads), %.3f ms in the wineserver, %.1f ms wall\n",
                options.polls, seconds, failed, (bench::UnixCpuSeconds(self) - cpuStart) * 1000 / options.polls,
                (bench::UnixCpuSeconds(server) - serverStart) * 1000 / options.polls, seconds * 1000 / options.polls);
    return failed == 0 ? 0 : 1;
}
