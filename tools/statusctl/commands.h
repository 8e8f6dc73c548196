// Carrying out one parsed command.
#pragma once

#include "tools/statusctl/arguments.h"
#include "tools/statusctl/report.h"

// Runs the command, printing results on stdout and a one-line error on
// stderr. Returns the exit code.
int RunCommand(const Command& command);
