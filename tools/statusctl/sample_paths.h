// Where the sample profiles are when install is given no paths.
#pragma once

#include <string>

// The sample folder holding profile.ini: beside the program (an installed
// copy), two levels up from it (build/bin inside the source tree), or the
// source tree the program was built from. Empty when none holds it.
std::string FindSampleDirectory();
