// Asking a printer for its state over IPP: the request POSTed with WinHTTP
// as application/ipp, and the answer read and decoded. One connection to the
// printer is kept alive from one poll to the next. There is no proxy, no
// credentials are ever sent, no redirect is followed, and every step has a
// time limit of 10 seconds. An ipps printer's certificate is accepted
// whatever its authority, name, dates and usage: printers' certificates are
// self-signed and often expired, and the program sends nothing secret.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ipp/printer_uri.h"
#include "ipp/status_choice.h"
#include "watch/winhttp_api.h"

constexpr DWORD kPollTimeLimitMs = 10000;

class IppClient {
public:
    explicit IppClient(const WinHttpApi& api);
    // The connection goes before the session it belongs to (the members'
    // order).
    ~IppClient() = default;
    IppClient(const IppClient&) = delete;
    IppClient& operator=(const IppClient&) = delete;

    // One Get-Printer-Attributes request and what came of it. Blocks for
    // up to about 10 seconds a step.
    PollOutcome Poll(const PrinterUri& uri);

private:
    bool OpenConnection(const PrinterUri& uri);
    PollOutcome Failure(DWORD error);

    const WinHttpApi& api_;
    HttpHandle session_;
    HttpHandle connection_;
    std::string host_;  // of the connection
    int port_ = 0;
    std::int32_t nextRequestId_ = 1;
    // The answer's bytes: one more than the decoder takes, so that it sees a
    // body too large. Allocated once.
    std::unique_ptr<unsigned char[]> answer_;
};

// What a failed step's error means, in a few words.
std::string NoAnswerText(DWORD error);
