// The hidden window through which other programs reach the monitor.
#pragma once

#include <windows.h>

// Registers the relay window class and creates the window, which is never
// shown and lives as long as the process. Returns the window, null on failure.
HWND CreateRelayWindow(HINSTANCE instance);

LRESULT CALLBACK RelayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
