// A program beside the running executable (statusctl.exe, statusstop.exe),
// run as a process of its own with its arguments, as a user or an installer
// runs it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

class Program {
public:
    // Starts it; Started() tells whether it could.
    Program(const std::string& name, const std::vector<std::string>& args);
    // Ends it by force if it still runs, then closes its handles.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // The exit code once it has ended; STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION process_ = {};
};

// Runs it to its end: its exit code; STILL_ACTIVE when it did not end within
// the time (it is then ended by force), -1 when it could not start.
DWORD RunProgram(const std::string& name, const std::vector<std::string>& args, DWORD timeoutMs = 20000);

}  // namespace harness
