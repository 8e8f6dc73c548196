// From a printer's answer, an HTTP error or a poll without an answer to the
// one status code printwatch posts, and the table of codes and texts itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ipp/status_choice.h"
#include "ipp/status_table.h"
#include "unit/ipp_bytes.h"

namespace {

using Reasons = std::vector<std::string>;

PrinterAnswer Answer(int state, const Reasons& reasons, unsigned status = 0) {
    PrinterAnswer answer;
    answer.statusCode = status;
    answer.printerState = state;
    answer.reasons = reasons;
    return answer;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Every status code once, below 1000; every message code from 1000 on, so
// that no status code is any entry's message code; plain texts that say
// what they mean.
TEST(StatusTable, CodesApartFromMessageCodesAndTextsThatNameTheCondition) {
    std::set<int> codes;
    for (std::size_t i = 0; i < WatchCodeCount(); ++i) {
        const WatchCode code = WatchCodeAt(i);
        EXPECT_TRUE(codes.insert(code.code).second) << code.code;
        EXPECT_TRUE(code.code > 0 && code.code < kMessageCodeBase) << code.code;
        EXPECT_GE(code.messageCode, kMessageCodeBase) << code.code;
        EXPECT_TRUE(code.severity == kWatchNormal || code.severity == kWatchError || code.severity == kWatchWarning);
        for (const std::string text : {code.english, code.german}) {
            EXPECT_TRUE(!text.empty() && text.size() <= 255 && text.find('"') == std::string::npos) << code.code;
            EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; })) << text;
        }
    }
    const std::pair<const char*, const char*> words[] = {  // keyword, a word its text must hold
        {"media-jam", "jam"}, {"media-empty", "paper"}, {"media-needed", "paper"}, {"media-low", "paper"},
        {"toner-empty", "toner"}, {"toner-low", "toner"}, {"cover-open", "cover"}, {"marker-waste-full", "waste"}};
    for (const auto& [keyword, word] : words) {
        ASSERT_NE(FindReason(keyword), nullptr) << keyword;
        EXPECT_NE(Lower(FindReason(keyword)->english).find(word), std::string::npos) << keyword;
    }
    EXPECT_NE(Lower(StateCode(WatchState::kUnreachable).english).find("reach"), std::string::npos);
    EXPECT_NE(Lower(StateCode(WatchState::kIdle).english).find("ready"), std::string::npos);
    EXPECT_EQ(std::string(OtherReason().keyword), "other");
    EXPECT_EQ(&ReasonAt(ReasonCount() - 1), &OtherReason());
    // The order of importance: a jam, an open cover, no paper, no toner.
    const char* order[] = {"media-jam", "cover-open", "media-empty", "toner-empty", "toner-low", "other"};
    for (std::size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
        EXPECT_LT(RankOf(*FindReason(order[i - 1])), RankOf(*FindReason(order[i]))) << order[i];
    }
    const char* required[] = {"media-jam", "cover-open", "door-open", "interlock-open", "input-tray-missing",
        "output-tray-missing", "media-empty", "media-low", "media-needed", "toner-empty", "toner-low",
        "marker-supply-empty", "marker-supply-low", "marker-waste-full", "marker-waste-almost-full",
        "output-area-full", "output-area-almost-full", "spool-area-full", "offline", "paused", "moving-to-paused",
        "shutdown", "timed-out", "fuser-over-temp", "fuser-under-temp", "opc-life-over", "opc-near-eol",
        "developer-empty", "developer-low", "other"};
    for (const char* keyword : required) EXPECT_NE(FindReason(keyword), nullptr) << keyword;
    EXPECT_EQ(StateCode(WatchState::kWaiting).code, 1);
}

TEST(StatusChoice, MostSevereReasonFirstInOrderAmongEqualsElseThePrinterState) {
    const struct {
        int state;
        Reasons reasons;
        int code;
        int severity;
    } rows[] = {
        {3, {}, 2, kWatchNormal},
        {4, {}, 3, kWatchNormal},
        {5, {}, 4, kWatchWarning},
        {4, {"none"}, 3, kWatchNormal},
        {3, {"media-jam"}, 101, kWatchError},  // no suffix: an error
        {3, {"media-jam-error"}, 101, kWatchError},
        {4, {"media-jam-warning"}, 102, kWatchWarning},
        {3, {"media-jam-report"}, 100, kWatchNormal},
        {3, {"toner-low-report", "cover-open-warning"}, 112, kWatchWarning},
        {4, {"cover-open-warning", "media-jam-warning"}, 102, kWatchWarning},
        {4, {"media-jam-warning", "cover-open-warning"}, 102, kWatchWarning},
        {3, {"media-jam-warning", "media-empty-error"}, 161, kWatchError},
        {3, {"toner-empty-error", "media-empty-error", "cover-open-error"}, 111, kWatchError},
        {3, {"media-low-report", "toner-low-report"}, 320, kWatchNormal},
        {3, {"none", "media-low-report"}, 320, kWatchNormal},
        {3, {"com.vendor-thing-warning"}, 392, kWatchWarning},
        {3, {"bogus"}, 391, kWatchError},
        {3, {"-report"}, 390, kWatchNormal},
        {3, {"MEDIA-JAM-ERROR"}, 391, kWatchError},
        {3, {"media-jam-errors"}, 391, kWatchError},
        {3, {"x-warning", "toner-low-warning"}, 332, kWatchWarning},
        {3, {"other-warning", "x-error"}, 391, kWatchError},
        {5, {"paused-report"}, 300, kWatchNormal},
        {5, {"paused"}, 301, kWatchError},
        {4, {"marker-supply-low-warning", "toner-low-warning", "media-needed-warning"}, 172, kWatchWarning},
    };
    for (const auto& row : rows) {
        const WatchCode code = CodeForAnswer(Answer(row.state, row.reasons));
        std::string shown;
        for (const std::string& reason : row.reasons) shown += reason + " ";
        EXPECT_EQ(code.code, row.code) << shown << row.state;
        EXPECT_EQ(code.severity, row.severity) << shown << row.state;
    }
    EXPECT_EQ(ClassifyReason("none").entry, nullptr);
    EXPECT_EQ(ClassifyReason("toner-low-report").entry, FindReason("toner-low"));
}

TEST(StatusChoice, HttpAndIppErrorsEachToTheirCode) {
    const std::string idle = ipptest::StateAnswer(3, {"none"});
    const auto* idleBytes = reinterpret_cast<const unsigned char*>(idle.data());
    const struct {
        PollOutcome outcome;
        int code;
        const char* failure;  // the start of the line statusctl ipp prints; empty: a state
    } rows[] = {
        {HttpOutcome(200, idleBytes, idle.size()), 2, ""},
        {HttpOutcome(404, nullptr, 0), 20, "HTTP status 404: No printer at this address"},
        {HttpOutcome(401, nullptr, 0), 21, "HTTP status 401: The printer asks for a password"},
        {HttpOutcome(403, nullptr, 0), 21, "HTTP status 403: The printer asks"},
        {HttpOutcome(426, nullptr, 0), 22, "HTTP status 426: The printer insists on an encrypted connection"},
        {HttpOutcome(500, nullptr, 0), 23, "HTTP status 500: The printer answered with an HTTP error"},
        {HttpOutcome(301, nullptr, 0), 23, "HTTP status 301"},
        {HttpOutcome(200, idleBytes, idle.size() - 1), 24, "the answer is not IPP: it ends before"},
        {HttpOutcome(200, nullptr, 0), 24, "the answer is not IPP: shorter than an IPP header"},
        {NoAnswerOutcome("no answer within 10 s"), 10, "no answer within 10 s"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CodeForOutcome(row.outcome).code, row.code) << row.failure;
        const std::string failure = DescribeFailure(row.outcome);
        EXPECT_EQ(failure.substr(0, std::string(row.failure).size()), row.failure);
        EXPECT_EQ(failure.empty(), std::string(row.failure).empty()) << failure;
    }
    const std::pair<unsigned, int> statuses[] = {  // IPP status, code
        {0x0406, 20}, {0x0401, 21}, {0x0402, 21}, {0x0403, 21}, {0x0400, 25}, {0x0404, 25}, {0x0407, 25},
        {0x0500, 25}, {0x0503, 25}, {0x0100, 25}, {0x0001, 3}, {0x00FF, 3}};
    for (const auto& [status, code] : statuses) {
        EXPECT_EQ(CodeForAnswer(Answer(4, {}, status)).code, code) << std::hex << status;
        PollOutcome outcome;
        outcome.kind = PollOutcome::Kind::kAnswer;
        outcome.answer = Answer(4, {}, status);
        EXPECT_EQ(DescribeFailure(outcome).empty(), status < 0x0100) << std::hex << status;
    }
    PollOutcome notFound;
    notFound.kind = PollOutcome::Kind::kAnswer;
    notFound.answer = Answer(0, {}, 0x0406);
    EXPECT_EQ(DescribeFailure(notFound),
              "IPP status 0x0406 client-error-not-found: No printer at this address: check the path");
}

// One poll without an answer keeps the code; two in a row make it "not
// reachable" until an answer comes.
TEST(StatusTracker, NotReachableAfterTwoPollsWithoutAnswerInARow) {
    const std::string idle = ipptest::StateAnswer(3, {});
    const PollOutcome ready = HttpOutcome(200, reinterpret_cast<const unsigned char*>(idle.data()), idle.size());
    const PollOutcome none = NoAnswerOutcome("cannot connect to the printer");
    const PollOutcome notFound = HttpOutcome(404, nullptr, 0);
    const PollOutcome restart{};  // kNoAnswer, but stands for a new address in this table
    const struct {
        std::vector<const PollOutcome*> polls;
        std::vector<int> codes;
    } rows[] = {
        {{&none}, {1}},
        {{&none, &none}, {1, 10}},
        {{&none, &none, &none, &none}, {1, 10, 10, 10}},
        {{&ready, &none}, {2, 2}},
        {{&ready, &none, &none}, {2, 2, 10}},
        {{&none, &ready, &none}, {1, 2, 2}},
        {{&none, &none, &ready, &none, &none}, {1, 10, 2, 2, 10}},
        {{&notFound, &none, &none}, {20, 20, 10}},
        {{&ready, &none, &restart, &none, &none}, {2, 2, 2, 10}},
    };
    for (const auto& row : rows) {
        StatusTracker tracker;
        std::vector<int> codes;
        for (const PollOutcome* poll : row.polls) {
            if (poll == &restart) {
                tracker.Restart();
                continue;
            }
            codes.push_back(tracker.Next(*poll).code);
        }
        EXPECT_EQ(codes, row.codes) << row.polls.size();
    }
}

}  // namespace
