// The codes and texts of the benchmark's profile, shared by the benchmark and
// its echo stand-in.
#pragma once

namespace bench {

constexpr int kCodeA = 1;
constexpr int kCodeB = 2;
constexpr int kSentinel = 3;
constexpr int kNoEntry = 4;  // no status entry in the profile

inline const char* TextForCode(int code) {
    switch (code) {
    case kCodeA: return "Ready to print";
    case kCodeB: return "Paper low - please refill tray 1";
    case kSentinel: return "Burst complete";
    default: return "";
    }
}

}  // namespace bench
