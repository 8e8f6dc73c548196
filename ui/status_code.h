// Showing one status code: from the registry and the status profile to the
// status area, the severity icons and the tray tip.
#pragma once

#include <windows.h>

void HandleStatusCode(HWND dialog, int statusCode);
