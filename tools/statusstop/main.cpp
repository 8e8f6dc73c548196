// statusstop: ends the running status monitor and printwatch the way
// "statusctl stop" does, as a program of the Windows subsystem, so that the
// installer's uninstall and upgrade run it without a console window flashing
// up.
//
// Exit codes: 0 both have ended (or neither ran), 1 one of them has not.
#include <windows.h>

#include <string>

#include "tools/statusctl/monitor_link.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // There is no console to tell the reason to; the exit code says it all.
    std::string error;
    return BroadcastStop(&error) ? 0 : 1;
}
