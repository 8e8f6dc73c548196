// "statusctl check": reads a status profile as the monitor reads it and lists
// what the monitor would miss or misread. The checker includes nothing of the
// rest of statusctl. Within its folder includes run one way, from this file
// down: the section checks and the text checks; the checks of one value; the
// roles of the sections; the context, the rules and the plain numbers; the
// profile reading.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/check/context.h"

// What "check" reads: a status profile, the default profile if given, for one
// driver, in the languages asked for (empty: those the profile has sections for).
struct CheckOptions {
    std::string profile;
    std::string defaultProfile;
    std::string driver;
    std::vector<int> languages;
};

// What a check found, and what it was about.
struct CheckResult {
    CheckContext context;
    std::vector<int> languages;  // the languages checked
    std::vector<Finding> findings;
};

// Reads the profiles as the monitor reads them and collects the findings.
// False, with error set, when a profile cannot be read.
bool CheckProfiles(const CheckOptions& options, CheckResult* result, std::string* error);

// "FILE [SECTION] KEY: TEXT", leaving out what is empty.
std::string FormatFinding(const Finding& finding);

// "checked FILE with DEFAULT for "DRIVER", languages 1, 2: N findings".
std::string CheckSummary(const CheckResult& result);
