// Soak run of the real monitor: a long stream of mixed status codes through
// its relay window, once in replace mode and once in scroll mode, with the
// monitor's handle, GDI and USER object counts and private bytes sampled every
// 10000 codes. A count that keeps growing is a leak; the status area's length
// shows the scroll history staying bounded. Prints a Markdown table.
//   statusmon_soak.exe [codes]   (default 100000 per mode)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/monitor.h"
#include "harness/test_driver.h"
#include "protocol/config_names.h"
#include "ui/resource.h"

namespace {

constexpr int kSampleEvery = 10000;
constexpr int kSentinelEvery = 1000;  // paces posting: the queue never overflows
constexpr DWORD kSentinelTimeoutMs = 60000;
constexpr int kSentinelCodes = 100;  // sentinel codes 100 to 199, in turn

// Codes of the profile: found entries of each severity, an entry whose text
// is missing, a code without entry, and a code from 10000 on (dropped when it
// repeats the last message code; without an entry it stays the last one).
constexpr int kNormal = 1;
constexpr int kWarning = 2;
constexpr int kError = 3;
constexpr int kTextMissing = 4;
constexpr int kNoEntry = 5;
constexpr int kHighCode = 20000;

std::string SentinelText(int code) { return "Sentinel " + std::to_string(code); }

std::string Profile(int scrollMode) {
    std::string profile = "[Soak Printer]\r\nScrollMsg=" + std::to_string(scrollMode) +
                          "\r\n00001=0,0,101\r\n00002=0,2,102\r\n00003=0,1,103\r\n"
                          "00004=0,0,199\r\n";
    std::string defaultTexts;
    char line[64];
    for (int i = 0; i < kSentinelCodes; ++i) {
        std::snprintf(line, sizeof line, "%05d=0,0,%05d\r\n", 100 + i, 1000 + i);
        profile += line;
        std::snprintf(line, sizeof line, "%05d=%s\r\n", 1000 + i, SentinelText(100 + i).c_str());
        defaultTexts += line;
    }
    for (int language = 1; language <= 2; ++language) {
        const std::string suffix = language == 1 ? "001" : "002";
        profile += "[Soak Printer," + suffix + "]\r\nCaption=Soak " + suffix +
                   "\r\n00101=Ready " + suffix + "\r\n00102=Paper low " + suffix +
                   "\r\n00103=Paper jam " + suffix + "\r\n00104=Warming up " + suffix + "\r\n";
        profile += "[Default," + suffix + "]\r\n" + defaultTexts;
    }
    return profile;
}

// The soak driver's configuration, written for one mode and undone after it.
void Configure(harness::TestDriver& driver, int scrollMode) {
    driver.SetProfiles(Profile(scrollMode));
    driver.SetData(kDisplayValue, "soak");
    driver.SetBidiMode("1");
    driver.SetLanguage("SOAK,1");
}

struct Sample {
    int codes = 0;
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    std::size_t textLength = 0;
    double seconds = 0;
};

Sample TakeSample(const harness::Monitor& monitor, int codes, DWORD startTicks) {
    Sample sample;
    sample.codes = codes;
    sample.seconds = (GetTickCount() - startTicks) / 1000.0;
    sample.textLength = monitor.StatusText().size();
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                 monitor.ProcessId());
    if (process == nullptr) {
        std::fprintf(stderr, "cannot open the monitor's process: error %lu\n", GetLastError());
        return sample;
    }
    (void)GetProcessHandleCount(process, &sample.handles);
    sample.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    sample.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        // Windows reports the commit charge both as PrivateUsage and as
        // PagefileUsage; Wine fills in only the latter.
        sample.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
        sample.workingSet = memory.WorkingSetSize;
    }
    CloseHandle(process);
    return sample;
}

// Whether the status area shows the sentinel: the whole text in replace
// mode, the last line in scroll mode.
bool ShowsSentinel(const harness::Monitor& monitor, const std::string& sentinel, bool scroll) {
    const std::string text = monitor.StatusText();
    if (!scroll) return text == sentinel;
    const std::string lastLine = sentinel + "\r\n";
    return text.size() >= lastLine.size() &&
           text.compare(text.size() - lastLine.size(), lastLine.size(), lastLine) == 0;
}

bool WaitForSentinel(const harness::Monitor& monitor, const std::string& sentinel,
                     bool scroll) {
    const DWORD start = GetTickCount();
    while (!ShowsSentinel(monitor, sentinel, scroll)) {
        if (!monitor.Running() || GetTickCount() - start > kSentinelTimeoutMs) return false;
        Sleep(5);
    }
    return true;
}

// The code posted as number i of the run, by kind in turn.
int MixedCode(int i) {
    static const int kCycle[] = {kNormal, kWarning, kNormal, kError, kTextMissing,
                                 kNormal, kNoEntry, kHighCode, kHighCode, kWarning};
    return kCycle[i % (sizeof kCycle / sizeof kCycle[0])];
}

void PostLogoDoubleClick(const harness::Monitor& monitor) {
    HWND logo = GetDlgItem(monitor.Dialog(), IDC_LOGO);
    monitor.PostToDialog(WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_DBLCLK),
                         reinterpret_cast<LPARAM>(logo));
}

// Occasional changes inside each block of 10000 codes, none across a sentinel:
// the sentinels are shown with test mode off.
void ChangeSettings(const harness::Monitor& monitor, harness::TestDriver& driver, int i) {
    const int offset = i % kSampleEvery;
    if (offset == 2500) driver.SetLanguage("SOAK,2");
    if (offset == 7500) driver.SetLanguage("SOAK,1");
    if (offset == 3100 || offset == 8100) driver.SetBidiMode("0");
    if (offset == 3200 || offset == 8200) driver.SetBidiMode("1");
    if (offset == 4100) {
        // Test mode goes on only with Ctrl held; off without.
        harness::CtrlKeyHeld ctrl(monitor);
        PostLogoDoubleClick(monitor);
        monitor.Sync();
    }
    if (offset == 4600) PostLogoDoubleClick(monitor);
}

// One mode's run; false when the monitor stopped answering.
bool RunMode(int scrollMode, int codes, std::vector<Sample>& samples) {
    harness::TestDriver driver("Soak Printer", "Soak", "SOAK");
    Configure(driver, scrollMode);
    if (!driver.Errors().empty()) {
        std::fprintf(stderr, "cannot write the configuration: %s", driver.Errors().c_str());
        return false;
    }
    harness::Monitor monitor;
    if (!monitor.Ready()) {
        std::fprintf(stderr, "the monitor did not start\n");
        return false;
    }
    monitor.Sync();
    const bool scroll = scrollMode != 0;
    const DWORD start = GetTickCount();
    samples.push_back(TakeSample(monitor, 0, start));
    int sentinel = 0;
    for (int i = 1; i <= codes; ++i) {
        ChangeSettings(monitor, driver, i);
        if (i % kSentinelEvery != 0) {
            monitor.Post(MixedCode(i));
            continue;
        }
        const int code = 100 + sentinel++ % kSentinelCodes;
        monitor.Post(code);
        if (!WaitForSentinel(monitor, SentinelText(code), scroll)) {
            std::fprintf(stderr, "%s mode: sentinel %d after code %d not shown%s\n",
                         scroll ? "scroll" : "replace", code, i,
                         monitor.Running() ? "" : " (the monitor ended)");
            samples.push_back(TakeSample(monitor, i, start));
            return false;
        }
        if (i % kSampleEvery == 0 || i == codes) samples.push_back(TakeSample(monitor, i, start));
    }
    monitor.PostQuit();
    const DWORD exitCode = monitor.WaitForExit();
    if (exitCode != 0) std::fprintf(stderr, "the monitor ended with %lu\n", exitCode);
    return exitCode == 0;
}

void PrintTable(const char* mode, const std::vector<Sample>& samples) {
    for (const Sample& s : samples) {
        std::printf("| %s | %d | %.1f | %lu | %lu | %lu | %.0f | %.0f | %zu |\n", mode, s.codes,
                    s.seconds, s.handles, s.gdiObjects, s.userObjects, s.privateBytes / 1024.0,
                    s.workingSet / 1024.0, s.textLength);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int codes = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (codes < kSentinelEvery) {
        std::fprintf(stderr, "usage: statusmon_soak [codes], codes at least %d\n", kSentinelEvery);
        return 2;
    }
    harness::EndStrayMonitors();
    std::vector<Sample> replace;
    std::vector<Sample> scroll;
    const bool replaceOk = RunMode(0, codes, replace);
    const bool scrollOk = RunMode(1, codes, scroll);

    std::printf("| mode | codes | seconds | handles | GDI objects | USER objects | private KiB | "
                "working set KiB | status text length |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    PrintTable("replace", replace);
    PrintTable("scroll", scroll);
    return replaceOk && scrollOk ? 0 : 1;
}
