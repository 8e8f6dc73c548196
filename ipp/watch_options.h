// printwatch's command line and its polling interval, read strictly. The
// interval is also what statusctl stores and printwatch reads back.
#pragma once

#include <string>
#include <vector>

#include "ipp/printer_uri.h"

constexpr int kDefaultInterval = 5;
constexpr int kMinInterval = 1;
constexpr int kMaxInterval = 3600;

// Decimal seconds, 1 to 3600: digits only, no sign, blank or leading zero.
bool ParseInterval(const std::string& text, int* seconds);

// printwatch [URI] [--interval SECONDS], in any order.
struct WatchArguments {
    bool ok = false;
    bool hasUri = false;
    PrinterUri uri;
    int interval = 0;  // 0: not given
    std::string error;  // one line, when not ok
};
WatchArguments ParseWatchArguments(const std::vector<std::string>& args);
