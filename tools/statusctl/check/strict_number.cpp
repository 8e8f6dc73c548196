#include "tools/statusctl/check/strict_number.h"

#include <cstdint>

bool ParseStrictCode(const std::string& text, int* value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return false;
    // Accumulated as a magnitude in 64 bits; stopped as soon as it leaves the
    // range, so even a hundred digits cannot overflow the accumulator.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return false;
    }
    *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}
