// statusstop: ends the running status monitor the way "statusctl stop" does,
// as a program of the Windows subsystem, so that the installer's uninstall
// and upgrade run it without a console window flashing up.
//
// Exit codes: 0 the monitor has ended (or none ran), 1 it has not.
#include <windows.h>

#include <string>

#include "tools/statusctl/monitor_link.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // There is no console to tell the reason to; the exit code says it all.
    std::string error;
    return BroadcastStop(&error) ? 0 : 1;
}
