#include "watch/reason_line.h"

#include <windows.h>

namespace {

bool WriteAll(HANDLE out, const std::string& line) {
    DWORD written = 0;
    return WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
}

}  // namespace

void WriteReasonLine(const std::string& text) {
    const std::string line = "printwatch: " + text + "\r\n";
    const HANDLE given = GetStdHandle(STD_ERROR_HANDLE);
    if (given != nullptr && given != INVALID_HANDLE_VALUE && WriteAll(given, line)) return;
    // A program of the Windows subsystem started from a command prompt gets
    // no standard handles, but may borrow the prompt's console.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        (void)WriteAll(console, line);  // nowhere else to report a failure
        CloseHandle(console);
    }
    FreeConsole();
}
