#include "watch/relay_poster.h"

#include "peers/peer_windows.h"

void RelayPoster::SetCode(int code) {
    code_ = code;
    haveCode_ = true;
    Deliver();
}

void RelayPoster::Deliver() {
    if (!haveCode_) return;
    const HWND relay = FindRelayWindow();
    if (relay == nullptr) {
        relay_ = nullptr;
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(relay, &process);
    const bool known = relay == relay_ && process == relayProcess_;
    if (known && postedCode_ == code_) return;
    // A failed post is tried again at the next call.
    if (!PostStatusCode(relay, code_)) {
        relay_ = nullptr;
        return;
    }
    relay_ = relay;
    relayProcess_ = process;
    postedCode_ = code_;
}
