// How statusctl ends: its exit codes and its one-line errors.
#pragma once

#include <string>

// Exit codes of statusctl.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // also: check found something to report
constexpr int kExitUsage = 2;
constexpr int kExitNoMonitor = 3;

// Prints "statusctl: <text>" on stderr.
void PrintError(const std::string& text);
