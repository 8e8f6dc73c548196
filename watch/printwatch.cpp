#include "watch/printwatch.h"

#include "ipp/watch_options.h"
#include "peers/peer_windows.h"
#include "state/kept_key.h"
#include "watch/poller.h"
#include "watch/reason_line.h"
#include "watch/stored_settings.h"
#include "watch/watch_window.h"
#include "watch/winhttp_api.h"

int RunPrintWatch(HINSTANCE instance, const std::vector<std::string>& args) {
    const WatchArguments arguments = ParseWatchArguments(args);
    if (!arguments.ok) {
        WriteReasonLine(arguments.error);
        return kWatchExitUsage;
    }
    StoredSettings stored;
    if (!arguments.hasUri) {
        // The address stored must be there and valid at the start; later
        // polls read it afresh.
        KeptKey monitorKey;
        stored = ReadStoredSettings(monitorKey);
        if (!stored.ok) {
            WriteReasonLine(stored.error);
            return kWatchExitUsage;
        }
    }
    // One per desktop: a second start ends at once and changes nothing.
    if (FindPrintWatchWindow() != nullptr) return kWatchExitDone;

    WinHttpApi api;
    std::string error;
    if (!LoadWinHttp(&api, &error)) {
        WriteReasonLine(error);
        return kWatchExitFailed;
    }
    PollerSetup setup;
    setup.window = CreateWatchWindow(instance);
    setup.fixedUri = arguments.hasUri;
    setup.uri = arguments.hasUri ? arguments.uri : stored.uri;
    setup.interval = arguments.interval;
    if (setup.window == nullptr || !StartPoller(api, setup)) {
        WriteReasonLine("cannot create its window or its polling thread (error " + std::to_string(GetLastError()) +
                        ")");
        return kWatchExitFailed;
    }
    return RunWatchLoop();
}
