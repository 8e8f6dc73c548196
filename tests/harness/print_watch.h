// printwatch.exe beside the running executable, started from this process
// with its arguments: its hidden window, its exit code and the line it
// wrote on its standard error.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

class PrintWatch {
public:
    explicit PrintWatch(const std::vector<std::string>& args);
    // Ends it if it still runs: the stop message to its window, then by force.
    ~PrintWatch();
    PrintWatch(const PrintWatch&) = delete;
    PrintWatch& operator=(const PrintWatch&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Its window, once it has one within the time; null otherwise.
    HWND WaitForWindow(DWORD timeoutMs = 5000) const;
    bool Running() const;
    // The exit code once it has ended; STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD timeoutMs = 10000) const;
    // What it wrote on its standard error, once it has ended; empty while it
    // runs.
    std::string ErrorOutput();
    // Its thread, the one of its window (see ThreadHeld).
    HANDLE MainThread() const { return process_.hThread; }

private:
    PROCESS_INFORMATION process_ = {};
    HANDLE errorRead_ = nullptr;
};

// Ends every printwatch still running in this Wine session (one left by a
// test that failed hard), so that a test starts alone.
void EndStrayPrintWatches();

// Takes winhttp.dll away from printwatch.exe while it lives, as on a system
// without it: Wine's own per-program DLL setting (its WINEDLLOVERRIDES
// reaches only programs started from a Unix shell).
class WinHttpTakenAway {
public:
    WinHttpTakenAway();
    ~WinHttpTakenAway();
    WinHttpTakenAway(const WinHttpTakenAway&) = delete;
    WinHttpTakenAway& operator=(const WinHttpTakenAway&) = delete;
};

}  // namespace harness
