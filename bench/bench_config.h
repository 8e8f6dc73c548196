// The benchmark's driver configuration and clock, shared by the burst
// benchmark and the step timings.
#pragma once

#include <string>

#include "harness/test_driver.h"

namespace bench {

constexpr const char* kDriver = "Bench Printer";

// A small profile: two codes with entries and texts, the sentinel, and no
// entry for kNoEntry; scrollMsg chooses scroll mode.
std::string Profile(int scrollMsg);

// The profile without scroll mode, the switch on, language 1.
void Configure(harness::TestDriver& driver);

// The performance counter in seconds.
double Now();

}  // namespace bench
