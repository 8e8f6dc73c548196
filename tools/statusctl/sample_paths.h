// Where the sample profiles are when install is given no paths, and where
// the network printer's profiles are for install --ipp.
#pragma once

#include <string>

// The sample folder holding profile.ini: beside the program (an installed
// copy), two levels up from it (build/bin inside the source tree), or the
// source tree the program was built from. Empty when none holds it.
std::string FindSampleDirectory();

// The folder "network" beside the program that holds the network printer's
// profile.ini (made by the build in bin/network, installed beside
// statusctl.exe). Empty when it holds none.
std::string FindNetworkProfileDirectory();
