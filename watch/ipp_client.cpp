#include "watch/ipp_client.h"

#include "ipp/printer_answer.h"
#include "ipp/state_request.h"

namespace {

constexpr std::size_t kAnswerRoom = kMaxAnswerSize + 1;
constexpr DWORD kWinsockTimedOut = 10060;  // WSAETIMEDOUT, which WinHTTP may pass on
constexpr DWORD kIgnoredCertificateFaults = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                                            SECURITY_FLAG_IGNORE_CERT_DATE_INVALID |
                                            SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE;

// The address holds ASCII only, so each character widens as it is.
std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool SetDword(const WinHttpApi& api, HINTERNET handle, DWORD option, DWORD value) {
    return api.SetOption(handle, option, &value, sizeof value) != FALSE;
}

// Errors that mean something answered, but not in HTTP (or not in TLS where
// ipps asks for it): the address needs mending, as for a body that is not IPP.
bool IsWrongKindOfAnswer(DWORD error) {
    return error == ERROR_WINHTTP_INVALID_SERVER_RESPONSE || error == ERROR_WINHTTP_SECURE_FAILURE ||
           error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR;
}

}  // namespace

std::string NoAnswerText(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
    case kWinsockTimedOut:
        return "no answer within 10 s";
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return "cannot connect to the printer";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return "the printer's name is not found";
    case ERROR_WINHTTP_CONNECTION_ERROR:
        return "the printer closed the connection";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        return "the answer is not HTTP";
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        return "the secure connection failed (error " + std::to_string(error) + ")";
    default:
        return "no answer (error " + std::to_string(error) + ")";
    }
}

IppClient::IppClient(const WinHttpApi& api)
    : api_(api), session_(api), connection_(api), answer_(new unsigned char[kAnswerRoom]) {}

PollOutcome IppClient::Failure(DWORD error) {
    if (!IsWrongKindOfAnswer(error)) return NoAnswerOutcome(NoAnswerText(error));
    PollOutcome outcome;
    outcome.kind = PollOutcome::Kind::kNotIpp;
    outcome.why = NoAnswerText(error);
    return outcome;
}

bool IppClient::OpenConnection(const PrinterUri& uri) {
    if (session_.Get() == nullptr) {
        session_.Reset(api_.Open(L"printwatch", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0));
        if (session_.Get() == nullptr) return false;
        if (!api_.SetTimeouts(session_.Get(), kPollTimeLimitMs, kPollTimeLimitMs, kPollTimeLimitMs,
                              kPollTimeLimitMs)) {
            return false;
        }
    }
    if (connection_.Get() != nullptr && uri.host == host_ && uri.port == port_) return true;
    connection_.Reset(api_.Connect(session_.Get(), Wide(uri.ConnectHost()).c_str(),
                                   static_cast<INTERNET_PORT>(uri.port), 0));
    host_ = uri.host;
    port_ = uri.port;
    return connection_.Get() != nullptr;
}

PollOutcome IppClient::Poll(const PrinterUri& uri) {
    if (!OpenConnection(uri)) return Failure(GetLastError());
    HttpHandle request(api_, api_.OpenRequest(connection_.Get(), L"POST", Wide(uri.path).c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              uri.secure ? WINHTTP_FLAG_SECURE : 0));
    if (request.Get() == nullptr) return Failure(GetLastError());
    // The session's timeouts alone did not bound a send to a printer that
    // never answers (over 45 s under Wine); this one does.
    (void)SetDword(api_, request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, kPollTimeLimitMs);
    // Never the user's own credentials, no cookies, no redirects. Where a
    // WinHTTP lacks one of these options, it has nothing to turn off either.
    (void)SetDword(api_, request.Get(), WINHTTP_OPTION_AUTOLOGON_POLICY, WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH);
    (void)SetDword(api_, request.Get(), WINHTTP_OPTION_DISABLE_FEATURE,
                   WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS);
    if (uri.secure && !SetDword(api_, request.Get(), WINHTTP_OPTION_SECURITY_FLAGS, kIgnoredCertificateFaults)) {
        return Failure(GetLastError());
    }

    std::string body = EncodeStateRequest(uri, nextRequestId_++);
    const DWORD size = static_cast<DWORD>(body.size());
    if (!api_.SendRequest(request.Get(), L"Content-Type: application/ipp\r\n", static_cast<DWORD>(-1), &body[0],
                          size, size, 0) ||
        !api_.ReceiveResponse(request.Get(), nullptr)) {
        return Failure(GetLastError());
    }
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (!api_.QueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX)) {
        return Failure(GetLastError());
    }
    if (status != 200) return HttpOutcome(static_cast<int>(status), nullptr, 0);

    std::size_t got = 0;
    while (got < kAnswerRoom) {
        DWORD read = 0;
        if (!api_.ReadData(request.Get(), answer_.get() + got, static_cast<DWORD>(kAnswerRoom - got), &read)) {
            return Failure(GetLastError());
        }
        if (read == 0) break;
        got += read;
    }
    return HttpOutcome(200, answer_.get(), got);
}
