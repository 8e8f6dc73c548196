// printwatch's hidden top-level window: it takes each poll's code and
// delivers it to the monitor, and it ends the program on the stop message's
// broadcast, at the end of the session, or on WM_QUIT. A message-only window
// would get neither broadcasts nor the session's end.
#pragma once

#include <windows.h>

HWND CreateWatchWindow(HINSTANCE instance);
// Runs the message loop until the window is gone or WM_QUIT comes; the exit
// code, 0 (or 1 when fetching a message failed).
int RunWatchLoop();
