// A number as a person writes it plainly: an optional sign and decimal
// digits, nothing else. statusctl's command line takes its numbers this way,
// and the checker calls any other form in a profile "not a plain number".
#pragma once

#include <string>

// An optional sign and decimal digits, nothing else, within the signed 32-bit
// range. Unlike the monitor's own lenient conversion, anything else is
// refused rather than read as 0 or wrapped around.
bool ParseStrictCode(const std::string& text, int* value);
