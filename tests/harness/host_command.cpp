#include "harness/host_command.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace harness {

namespace {

// Wine's own export: the Windows path of a host path, in a block of the
// process heap.
using DosFileNameFunction = WCHAR*(CDECL*)(const char*);

DosFileNameFunction WineDosFileName() {
    const FARPROC function = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
    return reinterpret_cast<DosFileNameFunction>(reinterpret_cast<void*>(function));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace

std::string DosPathOf(const std::string& unixPath) {
    const DosFileNameFunction toDos = WineDosFileName();
    WCHAR* wide = toDos != nullptr ? toDos(unixPath.c_str()) : nullptr;
    if (wide == nullptr) return "";
    char path[2 * MAX_PATH] = "";
    const int written = WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return written > 0 ? path : "";
}

std::string SourcePath(const std::string& relative) { return std::string(STATUSMON_SOURCE_DIR) + "/" + relative; }

// The rules of CommandLineToArgvW: backslashes are plain characters unless
// a quote follows them; then each pair stands for one backslash, and an odd
// one out makes the quote a plain character.
std::string QuotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');  // before the closing quote
    return quoted + "\"";
}

std::string MakeHostFolder(const std::string& prefix) {
    const std::string base =
        "/tmp/" + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = base + "-" + std::to_string(attempt);
        const std::string dosFolder = DosPathOf(folder);
        if (dosFolder.empty()) return "";
        if (CreateDirectoryA(dosFolder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
    return "";
}

HostResult RunOnHost(const std::vector<std::string>& command, const std::string& resultFile, DWORD timeoutMs) {
    HostResult result;
    const std::string shell = DosPathOf("/bin/bash");
    const std::string resultPath = DosPathOf(resultFile);
    if (command.empty() || shell.empty() || resultPath.empty()) {
        result.output = "no host program can be run (not under Wine?)";
        return result;
    }
    std::string commandLine = "bash " + QuotedArgument(SourcePath("tests/harness/host_call.sh")) + " " +
                              QuotedArgument(resultFile);
    for (const std::string& argument : command) commandLine += " " + QuotedArgument(argument);

    (void)DeleteFileA(resultPath.c_str());  // a result left by an earlier run must not count
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(shell.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        result.output = "cannot start " + command[0] + ": error " + std::to_string(GetLastError());
        return result;
    }
    // For a Unix program Wine gives no handles that follow it; close any.
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);

    const DWORD start = GetTickCount();
    while (GetFileAttributesA(resultPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start >= timeoutMs) {
            result.output = command[0] + " " + (command.size() > 1 ? command[1] : "") + ": no result within " +
                            std::to_string(timeoutMs) + " ms";
            return result;
        }
        Sleep(10);
    }
    const std::string content = ReadWholeFile(resultPath);
    (void)DeleteFileA(resultPath.c_str());  // read; nothing else needs it
    const size_t lineEnd = content.find('\n');
    if (lineEnd == std::string::npos) {
        result.output = "a result without an exit code: " + content;
        return result;
    }
    result.finished = true;
    result.exitCode = std::atoi(content.substr(0, lineEnd).c_str());
    result.output = content.substr(lineEnd + 1);
    return result;
}

HostResult RunOnHost(const std::vector<std::string>& command, DWORD timeoutMs) {
    const std::string folder = MakeHostFolder("statusmon-host");
    if (folder.empty()) {
        HostResult result;
        result.output = "no folder for the result under /tmp (not under Wine?)";
        return result;
    }
    const HostResult result = RunOnHost(command, folder + "/result", timeoutMs);
    (void)RemoveDirectoryA(DosPathOf(folder).c_str());  // a result that comes after the time keeps it
    return result;
}

}  // namespace harness
