// Window messages and names through which other programs reach the monitor.
#pragma once

#include <windows.h>

// Posted to the relay window by the spooler side, forwarded to the dialog.
// wParam is passed on untouched; lParam carries the signed 32-bit status code.
constexpr UINT WM_STATUSCODE = WM_USER + 10;  // 1034
// Posted to the relay window to end the monitor; parameters are not read.
constexpr UINT WM_STATUSQUIT = WM_USER + 11;  // 1035
// The shell's callback for mouse activity on the tray icon.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 20;  // 1044

constexpr UINT ID_TRAYICON = 100;

// Class name and title of the relay window; also the single-instance marker.
constexpr const char* kRelayWindowName = "VoskMonStatusMonitor_mqvd";
// Class name and title of printwatch's hidden window; also its
// single-instance marker.
constexpr const char* kPrintWatchWindowName = "VoskMonPrintWatch";
// Registered window message that ends the monitor when it reaches the dialog,
// and printwatch when it reaches its window.
constexpr const char* kStopMessageName = "StopVoskMonStatusMonitor";
// Broadcast by the shell when it (re)starts and its notification area is empty.
constexpr const char* kTaskbarCreatedMessageName = "TaskbarCreated";
