// Writing into the dialog's status area.
#pragma once

#include <windows.h>

// With append set, adds text and a line end after the last character and
// scrolls the end into view; otherwise replaces the whole text.
void ShowStatusText(HWND control, const char* text, bool append);
