#include "harness/test_printer.h"

#include <cstdlib>

#include "harness/host_command.h"

namespace harness {

namespace {

constexpr DWORD kCallMs = 30000;   // the script bounds each of its waits to 10 s
constexpr DWORD kStartMs = 60000;  // up to five ports tried

std::string LastLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.substr(text.find_last_of('\n') + 1);  // npos + 1: the whole text
}

}  // namespace

TestPrinter::TestPrinter() : folder_(MakeHostFolder("statusmon-printer")) {
    if (folder_.empty()) {
        error_ = "no folder for the printer under /tmp (not under Wine?)";
        return;
    }
    printerDir_ = folder_ + "/printer";
    (void)Start();  // Ready() and Error() tell
}

// The printer and its bus end first, then its files go; the folder itself
// last, once the result of the last call has been read and deleted.
TestPrinter::~TestPrinter() {
    if (folder_.empty()) return;
    (void)Call({"remove", printerDir_}, kCallMs);  // nothing more can be done about a failure here
    (void)RemoveDirectoryA(DosPathOf(folder_).c_str());  // a late result of a call that overstayed keeps it
}

std::string TestPrinter::IppUri() const { return "ipp://127.0.0.1:" + std::to_string(port_) + "/ipp/print"; }

std::string TestPrinter::IppsUri() const { return "ipps://127.0.0.1:" + std::to_string(port_) + "/ipp/print"; }

bool TestPrinter::Stop() { return Call({"stop", printerDir_}, kCallMs); }

bool TestPrinter::Start() {
    std::vector<std::string> arguments = {"start", printerDir_};
    if (port_ != 0) arguments.push_back(std::to_string(port_));
    std::string output;
    if (!Call(arguments, kStartMs, &output)) return false;
    const int port = std::atoi(LastLine(output).c_str());
    if (port <= 0 || (port_ != 0 && port != port_)) {
        error_ = "the printer started on no port or another: " + output;
        return false;
    }
    port_ = port;
    return true;
}

bool TestPrinter::SetSupplies(int tonerPercent, int wastePercent) {
    return Call({"supplies", printerDir_, std::to_string(tonerPercent), std::to_string(wastePercent)}, kCallMs);
}

bool TestPrinter::SetMedia(int sheets) { return Call({"media", printerDir_, std::to_string(sheets)}, kCallMs); }

bool TestPrinter::PrintJob(const std::vector<std::string>& lines, DWORD holdMs) {
    std::vector<std::string> arguments = {"job", printerDir_, std::to_string(holdMs)};
    arguments.insert(arguments.end(), lines.begin(), lines.end());
    return Call(arguments, kCallMs);
}

bool TestPrinter::EndJob() { return Call({"endjob", printerDir_}, kCallMs); }

bool TestPrinter::WaitFor(const std::string& line, DWORD timeoutMs) {
    return Call({"wait", printerDir_, line, std::to_string(timeoutMs)}, timeoutMs + kCallMs);
}

std::string TestPrinter::State() {
    std::string output;
    return Call({"state", printerDir_}, kCallMs, &output) ? output : "";
}

bool TestPrinter::Call(const std::vector<std::string>& arguments, DWORD timeoutMs, std::string* output) {
    std::vector<std::string> command = {"bash", SourcePath("tools/printer/printer.sh")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const HostResult result = RunOnHost(command, folder_ + "/result-" + std::to_string(++calls_), timeoutMs);
    if (output != nullptr) *output = result.output;
    if (result.finished && result.exitCode == 0) return true;
    error_ = result.output;
    return false;
}

}  // namespace harness
