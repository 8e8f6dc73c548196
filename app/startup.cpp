#include "app/startup.h"

#include "app/command_line.h"
#include "protocol/messages.h"
#include "state/monitor_state.h"
#include "app/relay_window.h"
#include "ui/status_dialog.h"

namespace {

PlatformFamily ReadPlatformFamily() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return PlatformFamily::kOther;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return PlatformFamily::kWin95;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return PlatformFamily::kWinNt;
    return PlatformFamily::kOther;
}

int RunMessageLoop(HWND dialog) {
    MSG message;
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return 0;
        if (result == -1) {
            // An error repeats: do not spin on it. The dialog goes first, so
            // that its destruction takes the tray icon out of the shell.
            DestroyWindow(dialog);
            return 1;
        }
        // Keyboard navigation for the dialog; everything else as usual.
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

int RunMonitor(HINSTANCE instance, const char* arguments) {
    // The relay window marks a running monitor; a second one tells it nothing.
    if (FindWindowA(kRelayWindowName, kRelayWindowName) != nullptr) return 0;

    g_monitor.startRequest = IsStartRequest(arguments);
    g_monitor.instance = instance;
    g_monitor.platform = ReadPlatformFamily();

    // Without it the monitor cannot be reached, but the dialog still works.
    g_monitor.relayWindow = CreateRelayWindow(instance);

    g_monitor.dialog = CreateStatusDialog(instance);
    // No loop without a window of our own: the relay window would keep every
    // later monitor from starting while this one could never be ended.
    if (g_monitor.dialog == nullptr) return 1;
    return RunMessageLoop(g_monitor.dialog);
}
