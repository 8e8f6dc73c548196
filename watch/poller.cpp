#include "watch/poller.h"

#include "ipp/status_choice.h"
#include "ipp/watch_options.h"
#include "state/kept_key.h"
#include "watch/ipp_client.h"
#include "watch/stored_settings.h"

namespace {

class Poller {
public:
    Poller(const WinHttpApi& api, const PollerSetup& setup) : api_(api), setup_(setup), client_(api_) {
        address_ = setup.uri;
        interval_ = setup.interval != 0 ? setup.interval : kDefaultInterval;
    }
    Poller(const Poller&) = delete;
    Poller& operator=(const Poller&) = delete;

    // Returns only when the window is gone.
    void Run() {
        for (;;) {
            ReadSettings();
            const WatchCode code = tracker_.Next(client_.Poll(address_));
            if (!PostMessageA(setup_.window, WM_WATCHCODE, static_cast<WPARAM>(code.code), 0)) return;
            Sleep(static_cast<DWORD>(interval_) * 1000);
        }
    }

private:
    // The stored settings, when no address was given. A value that is
    // missing or not valid leaves the last good one in use.
    void ReadSettings() {
        if (setup_.fixedUri) return;
        const StoredSettings stored = ReadStoredSettings(monitorKey_);
        if (!stored.ok) return;
        if (stored.uri.Text() != address_.Text()) tracker_.Restart();
        address_ = stored.uri;
        if (setup_.interval == 0) interval_ = stored.interval != 0 ? stored.interval : kDefaultInterval;
    }

    // A copy of its own, declared before the client that uses it: the
    // caller's may be gone while a poll still runs at the program's end.
    const WinHttpApi api_;
    const PollerSetup setup_;
    IppClient client_;
    KeptKey monitorKey_;
    StatusTracker tracker_;
    PrinterUri address_;
    int interval_;
};

DWORD WINAPI RunPoller(void* parameter) {
    static_cast<Poller*>(parameter)->Run();
    return 0;
}

}  // namespace

bool StartPoller(const WinHttpApi& api, const PollerSetup& setup) {
    // Never deleted: the thread may be inside a poll when the process ends.
    Poller* poller = new Poller(api, setup);
    const HANDLE thread = CreateThread(nullptr, 0, RunPoller, poller, 0, nullptr);
    if (thread == nullptr) {
        delete poller;
        return false;
    }
    // Not waited for: nothing joins this thread.
    CloseHandle(thread);
    return true;
}
