#include "tool/statusctl_runner.h"

#include <windows.h>

#include <fstream>

#include "e2e/monitor_process.h"

namespace tool {

namespace {

constexpr DWORD kRunTimeoutMs = 30000;

// Everything the pipe holds; the child has ended, so this cannot block on it.
// The child writes in text mode, so its line ends come as CR LF; they are
// turned into LF so that expectations read naturally.
std::string Drain(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        text.append(buffer, got);
    }
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
    }
    return lines;
}

std::string Quote(const std::string& arg) {
    // Enough for the arguments these tests pass: no embedded double quotes.
    return "\"" + arg + "\"";
}

}  // namespace

RunResult RunStatusctl(const std::vector<std::string>& args) {
    RunResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    CreatePipe(&outRead, &outWrite, &inherit, 65536);
    CreatePipe(&errRead, &errWrite, &inherit, 65536);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    std::string commandLine = Quote(e2e::ExecutableDirectory() + "statusctl.exe");
    for (const std::string& arg : args) commandLine += " " + Quote(arg);
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        result.exitCode = 0xDEAD;
        result.err = "statusctl.exe could not be started";
    } else {
        if (WaitForSingleObject(process.hProcess, kRunTimeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 0xDEAD);
            WaitForSingleObject(process.hProcess, kRunTimeoutMs);
        }
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    result.out = Drain(outRead);
    result.err = result.err.empty() ? Drain(errRead) : result.err;
    CloseHandle(outRead);
    CloseHandle(errRead);
    return result;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "statusctl-test-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
}

std::string ScratchFolder::Write(const std::string& name, const std::string& text) {
    const std::string path = path_ + name;
    std::ofstream(path, std::ios::binary) << text;
    files_.push_back(path);
    return path;
}

}  // namespace tool
