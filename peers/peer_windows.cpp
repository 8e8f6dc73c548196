#include "peers/peer_windows.h"

#include "protocol/messages.h"

HWND FindRelayWindow() { return FindWindowA(kRelayWindowName, kRelayWindowName); }

HWND FindPrintWatchWindow() { return FindWindowA(kPrintWatchWindowName, kPrintWatchWindowName); }

bool PostStatusCode(HWND relay, int code) {
    return PostMessageA(relay, WM_STATUSCODE, 0, static_cast<LPARAM>(code)) != FALSE;
}

HANDLE OpenWindowProcess(HWND window) {
    if (window == nullptr) return nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId == 0 ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, processId);
}
