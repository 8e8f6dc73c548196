// Programs of the host system (Linux), run from a test under Wine. Wine
// starts a Unix program through CreateProcess, but gives back neither a
// handle that follows it nor its exit code; so the program runs under
// host_call.sh, which leaves its exit code and output in a result file that
// the test waits for.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// The Windows path of a host path (Z:\tmp for /tmp); empty when not under Wine.
std::string DosPathOf(const std::string& unixPath);

// A host path of the source tree, such as "tools/printer/printer.sh".
std::string SourcePath(const std::string& relative);

// How a command line of a Windows program is split into arguments: each
// argument quoted so that it comes back as it is, spaces, quotes and
// backslashes included.
std::string QuotedArgument(const std::string& argument);

struct HostResult {
    bool finished = false;  // the result came within the time
    int exitCode = -1;
    std::string output;     // standard output and error; why, when not finished
};

// A new folder under the host's /tmp, named from the prefix and this
// process; its host path, or empty when none could be made.
std::string MakeHostFolder(const std::string& prefix);

// Runs the host program command[0] (looked up in PATH) with the arguments
// that follow, and waits up to timeoutMs for its result, which goes through
// resultFile (a host path in a folder that exists; taken away again once
// read). A command that overstays keeps running: it cannot be ended from
// here, so commands bound their own time.
HostResult RunOnHost(const std::vector<std::string>& command, const std::string& resultFile, DWORD timeoutMs);
// The same through a folder of its own, removed afterwards.
HostResult RunOnHost(const std::vector<std::string>& command, DWORD timeoutMs);

}  // namespace harness
