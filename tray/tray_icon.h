// The monitor's one icon in the notification area: thin operations over the
// shell. Each returns whether the shell accepted the command.
//
// The icons handed in stay the caller's: they are the shared icons that the
// dialog keeps for the whole run, and the shell takes its own copy of the
// image, so these operations never destroy an icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Characters of the tip the shell reads from the first form of the record,
// terminator included: longer tips are cut after 63 characters.
constexpr int kTrayTipSize = 64;

BOOL TrayIconAdd(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip);
BOOL TrayIconDelete(HWND window, UINT id);
BOOL TrayIconSetTip(HWND window, UINT id, const char* tip);
BOOL TrayIconSetIcon(HWND window, UINT id, HICON icon);
// Shows the shell's balloon on the icon, with the error or the warning sign.
// Its record is of the larger size that carries the balloon's fields: a shell
// without balloons refuses this call, and only this one.
BOOL TrayIconShowBalloon(HWND window, UINT id, const char* title, const char* text, bool error);
// Takes the icon's balloon down, shown or still to come: the same call with an
// empty text.
BOOL TrayIconHideBalloon(HWND window, UINT id);
// Changes the icon's image; when there is no icon to change, adds it with the
// callback message and tip. On a present icon the tip is left as it is.
// added, when given, tells whether the icon had to be added. A window that
// was destroyed while the shell was asked (its call handles messages sent to
// this thread meanwhile) gets no icon added.
BOOL TrayIconUpdate(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip,
                    bool* added = nullptr);

// The shell call behind the operations. Tests put a recorder in front of the
// real one to see the records that reach the shell.
using ShellNotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
extern ShellNotifyIconFunction g_shellNotifyIcon;
