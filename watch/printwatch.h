// printwatch's process from start to end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Exit codes.
constexpr int kWatchExitDone = 0;    // ended as asked, or another one runs
constexpr int kWatchExitFailed = 1;  // WinHTTP missing, or no window or thread
constexpr int kWatchExitUsage = 2;   // bad command line, or no valid address

// Checks the arguments (the program's name left out), and unless one runs
// already on this desktop, watches the printer until told to end.
int RunPrintWatch(HINSTANCE instance, const std::vector<std::string>& args);
