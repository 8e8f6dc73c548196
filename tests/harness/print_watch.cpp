#include "harness/print_watch.h"

#include "harness/monitor.h"
#include "protocol/messages.h"

namespace harness {

namespace {

constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\printwatch.exe";

}  // namespace

PrintWatch::PrintWatch(const std::vector<std::string>& args) {
    std::string commandLine = "\"" + ExecutableDirectory() + "printwatch.exe\"";
    for (const std::string& arg : args) commandLine += " \"" + arg + "\"";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE errorWrite = nullptr;
    if (!CreatePipe(&errorRead_, &errorWrite, &inherit, 0)) return;
    SetHandleInformation(errorRead_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errorWrite;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_)) {
        process_ = {};
    }
    // Only the child holds the writing end now, so the reading ends with it.
    CloseHandle(errorWrite);
}

PrintWatch::~PrintWatch() {
    if (Running()) {
        if (const HWND window = WaitForWindow(0)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForExit(5000) == STILL_ACTIVE) TerminateProcess(process_.hProcess, 99);
        WaitForExit(5000);
    }
    if (process_.hProcess != nullptr) CloseHandle(process_.hProcess);
    if (process_.hThread != nullptr) CloseHandle(process_.hThread);
    if (errorRead_ != nullptr) CloseHandle(errorRead_);
}

HWND PrintWatch::WaitForWindow(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window = nullptr;
             (window = FindWindowExA(nullptr, window, kPrintWatchWindowName, kPrintWatchWindowName)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId) return window;
        }
        if (!Running() || GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(10);
    }
}

bool PrintWatch::Running() const { return Started() && WaitForExit(0) == STILL_ACTIVE; }

DWORD PrintWatch::WaitForExit(DWORD timeoutMs) const {
    if (process_.hProcess == nullptr) return STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string PrintWatch::ErrorOutput() {
    std::string text;
    if (Running()) return text;  // a read would wait for its end
    char buffer[512];
    DWORD got = 0;
    while (errorRead_ != nullptr && ReadFile(errorRead_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

void EndStrayPrintWatches() {
    for (HWND window; (window = FindWindowA(kPrintWatchWindowName, kPrintWatchWindowName)) != nullptr;) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
        if (process == nullptr) return;
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

WinHttpTakenAway::WinHttpTakenAway() {
    HKEY key = nullptr;
    const std::string path = std::string(kAppDefaults) + "\\DllOverrides";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, "winhttp", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);  // empty: disabled
        RegCloseKey(key);
    }
}

WinHttpTakenAway::~WinHttpTakenAway() {
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kAppDefaults) + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
}

}  // namespace harness
