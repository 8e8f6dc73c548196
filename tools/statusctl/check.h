// "statusctl check": reads a status profile as the monitor reads it and lists
// what the monitor would miss or misread.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/arguments.h"

// One thing the monitor would miss or misread, at a section and key of a
// file (key empty for a whole section, section empty for the whole file).
struct Finding {
    std::string file;  // as the user named it
    std::string section;
    std::string key;
    std::string text;
};

// "FILE [SECTION] KEY: TEXT", leaving out what is empty.
std::string FormatFinding(const Finding& finding);

// Checks, prints the findings and a summary on stdout, and returns kExitDone
// without findings, kExitFailed with some; a file that cannot be read is a
// one-line error on stderr and kExitUsage.
int RunCheck(const CheckOptions& options);
