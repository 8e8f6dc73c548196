// printwatch: reads a network printer's state over IPP and posts it to the
// status monitor's relay window as the printer's language monitor would.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "watch/printwatch.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The runtime library splits the command line for GUI programs too.
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return RunPrintWatch(instance, args);
}
