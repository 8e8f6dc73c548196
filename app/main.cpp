#include <windows.h>

#include "app/command_line.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Read from the whole command line, the same way whatever the runtime
    // library passes as its own argument text.
    return RunMonitor(instance, CommandLineArguments(GetCommandLineA()));
}
