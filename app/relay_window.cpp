#include "app/relay_window.h"

#include "config/monitor_key.h"
#include "protocol/messages.h"
#include "state/monitor_state.h"

HWND CreateRelayWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RelayWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kRelayWindowName;
    (void)RegisterClassA(&windowClass);
    // A top-level window, not a message-only one: other programs find it with
    // FindWindow, which does not see message-only windows.
    return CreateWindowExA(0, kRelayWindowName, kRelayWindowName, 0, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

LRESULT CALLBACK RelayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_STATUSCODE:
        // Found afresh, so that a monitor key changed after start takes
        // effect with the next code.
        GetMonitorDataKeyPath(g_monitor.monitorKey, g_monitor.monitorDataKeyPath);
        PostMessageA(g_monitor.dialog, WM_STATUSCODE, wParam, lParam);
        return 0;
    case WM_STATUSQUIT:
        PostMessageA(g_monitor.dialog, WM_STATUSQUIT, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
