// printwatch's status codes, severities and texts, from status_table.def:
// the states of the printer and of the connection to it, and the reason
// keywords in their order of importance.
#pragma once

#include <cstddef>
#include <string_view>

// Severities as the status profile writes them.
constexpr int kWatchNormal = 0;
constexpr int kWatchError = 1;
constexpr int kWatchWarning = 2;

// Message codes are the status code (a state) or the block (a reason) plus
// this; every status code stays below it.
constexpr int kMessageCodeBase = 1000;

enum class WatchState {
#define WATCH_STATE(name, code, severity, english, german) name,
#define WATCH_REASON(name, keyword, block, english, german)
#include "ipp/status_table.def"
#undef WATCH_STATE
#undef WATCH_REASON
};

// One status code as printwatch posts it and the profile describes it.
struct WatchCode {
    int code = 0;
    int severity = kWatchNormal;
    int messageCode = 0;
    const char* english = "";
    const char* german = "";
};

struct ReasonEntry {
    const char* keyword;
    int block;
    const char* english;
    const char* german;
};

WatchCode StateCode(WatchState state);

// The reason keywords in order of importance, the last being "other".
std::size_t ReasonCount();
const ReasonEntry& ReasonAt(std::size_t rank);
// The entry of a keyword without its suffix; null when the table lacks it.
const ReasonEntry* FindReason(std::string_view keyword);
// Its rank in the order of importance (0 the most important).
std::size_t RankOf(const ReasonEntry& entry);
const ReasonEntry& OtherReason();
WatchCode ReasonCode(const ReasonEntry& entry, int severity);

// Every status code of the table, states first, then each reason's three.
std::size_t WatchCodeCount();
WatchCode WatchCodeAt(std::size_t index);
