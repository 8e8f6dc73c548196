#include "bench/poll_measures.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

namespace {

// A file of the host's /proc: its size reads as 0, so it is read to its end.
std::string HostFileText(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string text;
    char block[4096];
    DWORD got = 0;
    while (text.size() < 1024 * 1024 && ReadFile(file, block, sizeof block, &got, nullptr) && got != 0) {
        text.append(block, got);
    }
    CloseHandle(file);
    return text;
}

}  // namespace

bool ReadyToPoll(const harness::TestPrinter& printer, WinHttpApi* api) {
    if (!printer.Ready()) {
        std::fprintf(stderr, "the test printer did not start: %s\n", printer.Error().c_str());
        return false;
    }
    std::string error;
    if (!LoadWinHttp(api, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

double PrivateKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        return 0;
    }
    const SIZE_T bytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return static_cast<double>(bytes) / 1024.0;
}

void Mark(const char* name) {
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name);
    if (event != nullptr) CloseHandle(event);
}

unsigned long FindUnixProcess(const std::string& program) {
    char prefix[MAX_PATH] = "";
    const DWORD prefixLength = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (prefixLength == 0 || prefixLength >= sizeof prefix) return 0;
    const std::string prefixLine = std::string("WINEPREFIX=") + prefix;
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    unsigned long found = 0;
    do {
        char* end = nullptr;
        const unsigned long pid = std::strtoul(entry.cFileName, &end, 10);
        if (pid == 0 || *end != '\0') continue;
        const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        // The first argument, up to its NUL: the program's path.
        const std::string commandLine = HostFileText(folder + "cmdline");
        const std::string first = commandLine.substr(0, commandLine.find('\0'));
        const std::size_t name = first.find_last_of("\\/") + 1;  // npos + 1: the whole
        if (first.compare(name, program.size(), program) != 0) continue;
        // The environment, one NUL-ended NAME=VALUE after another.
        const std::string environment = std::string(1, '\0') + HostFileText(folder + "environ");
        if (environment.find(std::string(1, '\0') + prefixLine + '\0') != std::string::npos) found = pid;
    } while (found == 0 && FindNextFileA(find, &entry));
    FindClose(find);
    return found;
}

double UnixCpuSeconds(unsigned long pid) {
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((tasks + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    double seconds = 0;
    do {
        if (entry.cFileName[0] == '.') continue;
        // "<nanoseconds on the CPU> <nanoseconds waiting> <time slices>"
        seconds += std::strtod(HostFileText(tasks + entry.cFileName + "\\schedstat").c_str(), nullptr) / 1e9;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return seconds;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(share * static_cast<double>(values.size()));
    return values[std::min(index, values.size() - 1)];
}

bool GetPrinterPage(const WinHttpApi& api, int port, const std::string& pathAndQuery) {
    const std::wstring path(pathAndQuery.begin(), pathAndQuery.end());  // ASCII
    HttpHandle session(api, api.Open(L"pollbench", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                     WINHTTP_NO_PROXY_BYPASS, 0));
    if (session.Get() == nullptr) return false;
    HttpHandle connection(api, api.Connect(session.Get(), L"127.0.0.1", static_cast<INTERNET_PORT>(port), 0));
    if (connection.Get() == nullptr) return false;
    HttpHandle request(api, api.OpenRequest(connection.Get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                            WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (request.Get() == nullptr || !api.SendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, nullptr, 0, 0, 0) ||
        !api.ReceiveResponse(request.Get(), nullptr)) {
        return false;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!api.QueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return false;
    }
    // The page itself is read to its end and dropped.
    char page[4096];
    DWORD read = 0;
    while (api.ReadData(request.Get(), page, sizeof page, &read) && read != 0) {
    }
    return status == 200;
}

}  // namespace bench
