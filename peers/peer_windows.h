// The windows through which the programs reach one another, found by class
// and title: the monitor's relay window, which takes status codes, and
// printwatch's hidden window. Shared by printwatch and statusctl.
#pragma once

#include <windows.h>

HWND FindRelayWindow();
HWND FindPrintWatchWindow();

// Posts WM_STATUSCODE with the code to the relay window (wParam 0).
bool PostStatusCode(HWND relay, int code);

// The process that owns the window, opened so that its end can be awaited;
// null when the window is null or the process cannot be opened.
HANDLE OpenWindowProcess(HWND window);
