#include "ipp/status_choice.h"

#include <cstdio>

namespace {

constexpr unsigned kClientErrorForbidden = 0x0401;
constexpr unsigned kClientErrorNotAuthorized = 0x0403;
constexpr unsigned kClientErrorNotFound = 0x0406;

// Error before warning before normal.
int Weight(int severity) {
    if (severity == kWatchError) return 2;
    if (severity == kWatchWarning) return 1;
    return 0;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

WatchCode CodeForIppStatus(unsigned status) {
    if (status == kClientErrorNotFound) return StateCode(WatchState::kWrongPath);
    if (status >= kClientErrorForbidden && status <= kClientErrorNotAuthorized) {
        return StateCode(WatchState::kPasswordWanted);
    }
    return StateCode(WatchState::kIppError);
}

WatchCode CodeForHttpStatus(int status) {
    if (status == 404) return StateCode(WatchState::kWrongPath);
    if (status == 401 || status == 403) return StateCode(WatchState::kPasswordWanted);
    if (status == 426) return StateCode(WatchState::kTlsRequired);
    return StateCode(WatchState::kHttpError);
}

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFF);
    return text;
}

}  // namespace

PollOutcome NoAnswerOutcome(const std::string& why) {
    PollOutcome outcome;
    outcome.why = why;
    return outcome;
}

PollOutcome HttpOutcome(int httpStatus, const unsigned char* body, std::size_t size) {
    PollOutcome outcome;
    outcome.httpStatus = httpStatus;
    if (httpStatus != 200) {
        outcome.kind = PollOutcome::Kind::kHttpStatus;
        return outcome;
    }
    const DecodedAnswer decoded = DecodePrinterAnswer(body, size);
    if (!decoded.ok) {
        outcome.kind = PollOutcome::Kind::kNotIpp;
        outcome.why = "the answer is not IPP: " + decoded.error;
        return outcome;
    }
    outcome.kind = PollOutcome::Kind::kAnswer;
    outcome.answer = decoded.answer;
    return outcome;
}

ClassifiedReason ClassifyReason(std::string_view keyword) {
    ClassifiedReason result;
    if (keyword == "none") return result;
    if (EndsWith(keyword, "-error")) {
        keyword.remove_suffix(6);
    } else if (EndsWith(keyword, "-warning")) {
        keyword.remove_suffix(8);
        result.severity = kWatchWarning;
    } else if (EndsWith(keyword, "-report")) {
        keyword.remove_suffix(7);
        result.severity = kWatchNormal;
    }
    result.entry = FindReason(keyword);
    if (result.entry == nullptr) result.entry = &OtherReason();
    return result;
}

WatchCode CodeForAnswer(const PrinterAnswer& answer) {
    if (answer.statusCode >= kFirstIppErrorStatus) return CodeForIppStatus(answer.statusCode);
    ClassifiedReason best;
    for (const std::string& keyword : answer.reasons) {
        const ClassifiedReason reason = ClassifyReason(keyword);
        if (reason.entry == nullptr) continue;
        const bool first = best.entry == nullptr;
        if (first || Weight(reason.severity) > Weight(best.severity) ||
            (Weight(reason.severity) == Weight(best.severity) && RankOf(*reason.entry) < RankOf(*best.entry))) {
            best = reason;
        }
    }
    if (best.entry != nullptr) return ReasonCode(*best.entry, best.severity);
    if (answer.printerState == kPrinterProcessing) return StateCode(WatchState::kProcessing);
    if (answer.printerState == kPrinterStopped) return StateCode(WatchState::kStopped);
    return StateCode(WatchState::kIdle);
}

WatchCode CodeForOutcome(const PollOutcome& outcome) {
    switch (outcome.kind) {
    case PollOutcome::Kind::kNoAnswer:
        return StateCode(WatchState::kUnreachable);
    case PollOutcome::Kind::kHttpStatus:
        return CodeForHttpStatus(outcome.httpStatus);
    case PollOutcome::Kind::kNotIpp:
        return StateCode(WatchState::kNotIpp);
    case PollOutcome::Kind::kAnswer:
        break;
    }
    return CodeForAnswer(outcome.answer);
}

WatchCode StatusTracker::Next(const PollOutcome& outcome) {
    if (outcome.kind == PollOutcome::Kind::kNoAnswer) {
        // One poll without an answer may be a passing fault; two are not.
        if (++failuresInRow_ < 2) return current_;
        failuresInRow_ = 2;  // stays there, whatever the number of polls
    } else {
        failuresInRow_ = 0;
    }
    current_ = CodeForOutcome(outcome);
    return current_;
}

std::string DescribeFailure(const PollOutcome& outcome) {
    switch (outcome.kind) {
    case PollOutcome::Kind::kNoAnswer:
    case PollOutcome::Kind::kNotIpp:
        return outcome.why;
    case PollOutcome::Kind::kHttpStatus:
        return "HTTP status " + std::to_string(outcome.httpStatus) + ": " +
               CodeForHttpStatus(outcome.httpStatus).english;
    case PollOutcome::Kind::kAnswer:
        break;
    }
    const unsigned status = outcome.answer.statusCode;
    if (status < kFirstIppErrorStatus) return std::string();
    const std::string name = IppStatusName(status);
    return "IPP status " + Hex4(status) + (name.empty() ? "" : " " + name) + ": " + CodeForIppStatus(status).english;
}

const char* PrinterStateName(int state) {
    if (state == kPrinterIdle) return "idle";
    if (state == kPrinterProcessing) return "processing";
    if (state == kPrinterStopped) return "stopped";
    return "unknown";
}

const char* IppStatusName(unsigned status) {
    static const struct {
        unsigned status;
        const char* name;
    } kNames[] = {
        {0x0400, "client-error-bad-request"},        {0x0401, "client-error-forbidden"},
        {0x0402, "client-error-not-authenticated"},  {0x0403, "client-error-not-authorized"},
        {0x0404, "client-error-not-possible"},       {0x0405, "client-error-timeout"},
        {0x0406, "client-error-not-found"},          {0x0407, "client-error-gone"},
        {0x0408, "client-error-request-entity-too-large"},
        {0x040B, "client-error-attributes-or-values-not-supported"},
        {0x0500, "server-error-internal-error"},     {0x0501, "server-error-operation-not-supported"},
        {0x0502, "server-error-service-unavailable"}, {0x0503, "server-error-version-not-supported"},
        {0x0504, "server-error-device-error"},       {0x0505, "server-error-temporary-error"},
        {0x0507, "server-error-busy"},
    };
    for (const auto& entry : kNames) {
        if (entry.status == status) return entry.name;
    }
    return "";
}
