#include "ipp/status_table.h"

namespace {

const WatchCode kStates[] = {
#define WATCH_STATE(name, code, severity, english, german) {code, severity, kMessageCodeBase + code, english, german},
#define WATCH_REASON(name, keyword, block, english, german)
#include "ipp/status_table.def"
#undef WATCH_STATE
#undef WATCH_REASON
};

const ReasonEntry kReasons[] = {
#define WATCH_STATE(name, code, severity, english, german)
#define WATCH_REASON(name, keyword, block, english, german) {keyword, block, english, german},
#include "ipp/status_table.def"
#undef WATCH_STATE
#undef WATCH_REASON
};

constexpr std::size_t kStateCount = sizeof kStates / sizeof kStates[0];
constexpr std::size_t kReasonCount = sizeof kReasons / sizeof kReasons[0];
// The severities of a reason, in the order of its three codes.
constexpr int kReasonSeverities[] = {kWatchNormal, kWatchError, kWatchWarning};

}  // namespace

WatchCode StateCode(WatchState state) { return kStates[static_cast<std::size_t>(state)]; }

std::size_t ReasonCount() { return kReasonCount; }

const ReasonEntry& ReasonAt(std::size_t rank) { return kReasons[rank]; }

const ReasonEntry* FindReason(std::string_view keyword) {
    for (const ReasonEntry& entry : kReasons) {
        if (keyword == entry.keyword) return &entry;
    }
    return nullptr;
}

std::size_t RankOf(const ReasonEntry& entry) { return static_cast<std::size_t>(&entry - kReasons); }

const ReasonEntry& OtherReason() { return kReasons[kReasonCount - 1]; }

WatchCode ReasonCode(const ReasonEntry& entry, int severity) {
    return {entry.block + severity, severity, kMessageCodeBase + entry.block, entry.english, entry.german};
}

std::size_t WatchCodeCount() { return kStateCount + 3 * kReasonCount; }

WatchCode WatchCodeAt(std::size_t index) {
    if (index < kStateCount) return kStates[index];
    index -= kStateCount;
    return ReasonCode(kReasons[index / 3], kReasonSeverities[index % 3]);
}
