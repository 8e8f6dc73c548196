#include "harness/program.h"

#include "harness/host_command.h"
#include "harness/monitor.h"

namespace harness {

Program::Program(const std::string& name, const std::vector<std::string>& args) {
    std::string commandLine = QuotedArgument(ExecutableDirectory() + name);
    for (const std::string& arg : args) commandLine += " " + QuotedArgument(arg);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        process_ = {};
    }
}

Program::~Program() {
    if (WaitForExit(0) == STILL_ACTIVE && Started()) {
        TerminateProcess(process_.hProcess, 99);
        (void)WaitForSingleObject(process_.hProcess, 5000);  // its end is all that is left to wait for
    }
    if (process_.hThread != nullptr) CloseHandle(process_.hThread);
    if (process_.hProcess != nullptr) CloseHandle(process_.hProcess);
}

DWORD Program::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (Started() && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

DWORD RunProgram(const std::string& name, const std::vector<std::string>& args, DWORD timeoutMs) {
    const Program program(name, args);
    return program.Started() ? program.WaitForExit(timeoutMs) : static_cast<DWORD>(-1);
}

}  // namespace harness
