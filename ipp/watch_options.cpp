#include "ipp/watch_options.h"

namespace {

WatchArguments Refuse(const std::string& why) {
    WatchArguments result;
    result.error = why;
    return result;
}

}  // namespace

bool ParseInterval(const std::string& text, int* seconds) {
    if (text.empty() || text.size() > 4 || text[0] == '0') return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < kMinInterval || value > kMaxInterval) return false;
    *seconds = value;
    return true;
}

WatchArguments ParseWatchArguments(const std::vector<std::string>& args) {
    WatchArguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--interval") {
            if (result.interval != 0) return Refuse("--interval is given twice");
            if (i + 1 >= args.size()) return Refuse("--interval needs a number of seconds");
            if (!ParseInterval(args[++i], &result.interval)) {
                return Refuse("--interval takes 1 to 3600 seconds: \"" + args[i] + "\"");
            }
        } else if (arg.compare(0, 1, "-") == 0 || arg.compare(0, 1, "/") == 0) {
            return Refuse("unknown option: " + arg);
        } else {
            if (result.hasUri) return Refuse("only one printer address may be given");
            const ParsedUri parsed = ParsePrinterUri(arg);
            if (!parsed.ok) return Refuse(Printable(arg) + ": " + parsed.error);
            result.uri = parsed.uri;
            result.hasUri = true;
        }
    }
    result.ok = true;
    return result;
}
