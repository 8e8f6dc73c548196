// From what a poll brought (the printer's answer, an HTTP error, a body
// that is not IPP, or no answer at all) to the one status code printwatch
// posts, and in words why there is no printer state to show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ipp/printer_answer.h"
#include "ipp/status_table.h"

struct PollOutcome {
    enum class Kind {
        kNoAnswer,    // no connection, no name, no answer in time
        kHttpStatus,  // an HTTP status other than 200
        kNotIpp,      // a body that is not an IPP answer
        kAnswer,      // an IPP answer: a state, or an IPP error status
    };
    Kind kind = Kind::kNoAnswer;
    int httpStatus = 0;
    std::string why;  // kNoAnswer and kNotIpp: what went wrong, in a few words
    PrinterAnswer answer;
};

PollOutcome NoAnswerOutcome(const std::string& why);
// An HTTP answer with its status and body (the decoder decides on a 200).
PollOutcome HttpOutcome(int httpStatus, const unsigned char* body, std::size_t size);

// A reason keyword: its entry ("other" for a keyword the table lacks; null
// for "none") and the severity its suffix gives (-error or none: error,
// -warning: warning, -report: normal).
struct ClassifiedReason {
    const ReasonEntry* entry = nullptr;
    int severity = kWatchError;
};
ClassifiedReason ClassifyReason(std::string_view keyword);

// The code of an IPP answer: its error status, else the most severe reason,
// the first in the table's order among equals, else the printer's state.
WatchCode CodeForAnswer(const PrinterAnswer& answer);
// The code of one outcome; a poll without an answer gives "not reachable".
WatchCode CodeForOutcome(const PollOutcome& outcome);

// The code to post after each poll: a poll without an answer changes it only
// when the one before had none either.
class StatusTracker {
public:
    WatchCode Next(const PollOutcome& outcome);
    // Another address: its first failure counts as the first again.
    void Restart() { failuresInRow_ = 0; }

private:
    int failuresInRow_ = 0;
    WatchCode current_ = StateCode(WatchState::kWaiting);
};

// In one line why the outcome shows no printer state, e.g. "no answer
// within 10 s" or "HTTP status 404: no printer at this path"; empty when it
// does show one.
std::string DescribeFailure(const PollOutcome& outcome);
// "idle", "processing", "stopped".
const char* PrinterStateName(int state);
// "client-error-not-found" and the like; "" for a status without a name here.
const char* IppStatusName(unsigned status);
