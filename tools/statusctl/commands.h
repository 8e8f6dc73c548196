// Carrying out one parsed command.
#pragma once

#include "tools/statusctl/arguments.h"

// Exit codes of statusctl.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoMonitor = 3;

// Runs the command, printing results on stdout and a one-line error on
// stderr. Returns the exit code.
int RunCommand(const Command& command);

// Prints "statusctl: <text>" on stderr.
void PrintError(const std::string& text);
