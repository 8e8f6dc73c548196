// Carrying out one parsed command.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/arguments.h"
#include "tools/statusctl/report.h"

// Runs the command, printing results on stdout and a one-line error on
// stderr. Returns the exit code.
int RunCommand(const Command& command);

// The whole program: reads the command line's arguments (the program's name
// left out) and runs the command. Returns the exit code.
int RunStatusctl(const std::vector<std::string>& args);
