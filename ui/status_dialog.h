// The status dialog: the monitor's one window and its control centre.
#pragma once

#include <windows.h>

// Creates the modeless status dialog, visible, without owner. Null on failure.
HWND CreateStatusDialog(HINSTANCE instance);

INT_PTR CALLBACK StatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

constexpr const char* kTestModeOnNotice = "Testfunction enabled";
constexpr const char* kTestModeOffNotice = "Testfunction disabled";
