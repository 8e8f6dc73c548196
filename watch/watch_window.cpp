#include "watch/watch_window.h"

#include "protocol/messages.h"
#include "watch/poller.h"
#include "watch/relay_poster.h"

namespace {

constexpr UINT_PTR kRelayTimer = 1;
// Often enough that a monitor started after printwatch shows the printer's
// state within a second.
constexpr UINT kRelayTimerMs = 500;

// The window's own state; one window per process.
RelayPoster g_relay;
UINT g_stopMessage = 0;

LRESULT CALLBACK WatchWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The stop message is registered at run time, so it is no constant for
    // the switch.
    if (message == g_stopMessage && g_stopMessage != 0) {
        DestroyWindow(window);
        return 0;
    }
    switch (message) {
    case WM_WATCHCODE:
        g_relay.SetCode(static_cast<int>(wParam));
        return 0;
    case WM_TIMER:
        g_relay.Deliver();
        return 0;
    case WM_ENDSESSION:
        // The session ends: nothing to save, so end at once.
        if (wParam) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kRelayTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateWatchWindow(HINSTANCE instance) {
    g_stopMessage = RegisterWindowMessageA(kStopMessageName);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WatchWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kPrintWatchWindowName;
    (void)RegisterClassA(&windowClass);  // a second registration fails harmlessly
    // Never shown. A top-level window: broadcasts and the session's end
    // reach top-level windows only, and FindWindow finds it.
    const HWND window = CreateWindowExA(0, kPrintWatchWindowName, kPrintWatchWindowName, WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr);
    if (window != nullptr && SetTimer(window, kRelayTimer, kRelayTimerMs, nullptr) == 0) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

int RunWatchLoop() {
    MSG message;
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return 0;
        if (result == -1) return 1;
        DispatchMessageA(&message);
    }
}
