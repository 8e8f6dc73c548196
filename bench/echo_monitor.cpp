// The floor for the benchmark: a stand-in with the monitor's relay window and
// a dialog-class window with the status area, which does nothing with a code
// but put a fixed text for it into the area. Everything the real monitor costs
// beyond this is its lookups.
#include <windows.h>

#include "protocol/messages.h"
#include "bench/bench_texts.h"
#include "ui/resource.h"

namespace {

HWND g_dialog = nullptr;

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STATUSCODE || message == WM_STATUSQUIT) {
        PostMessageA(g_dialog, message, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC g_dialogDefault = nullptr;

LRESULT CALLBACK EchoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_STATUSCODE:
        SetWindowTextA(GetDlgItem(window, IDC_STATUSTEXT), bench::TextForCode(static_cast<int>(lParam)));
        return 0;
    case WM_STATUSQUIT:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        PostQuitMessage(0);
        break;
    }
    return CallWindowProcA(g_dialogDefault, window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA relayClass = {};
    relayClass.lpfnWndProc = RelayProc;
    relayClass.hInstance = instance;
    relayClass.lpszClassName = kRelayWindowName;
    RegisterClassA(&relayClass);
    CreateWindowExA(0, kRelayWindowName, kRelayWindowName, 0, 0, 0, 0, 0, nullptr, nullptr,
                    instance, nullptr);

    // A window of the dialog class, as the monitor's, so the benchmark finds
    // both the same way.
    // Shown only once complete, as a dialog from a template would be.
    g_dialog = CreateWindowExA(0, "#32770", "Echo", WS_POPUP | WS_CAPTION, 0, 0, 460,
                               110, nullptr, nullptr, instance, nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 50, 5, 400,
                    50, g_dialog, reinterpret_cast<HMENU>(IDC_STATUSTEXT), instance, nullptr);
    g_dialogDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EchoProc)));
    ShowWindow(g_dialog, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
