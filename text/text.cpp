#include "text/text.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "text/char_next.h"

const char kEmptyString[] = "";

void CopyBounded(char* out, std::size_t size, const char* text) {
    if (size == 0) return;
    // Whole characters, stepped as the system steps them: a double-byte
    // character that does not fit goes with both bytes, so no lead byte is
    // left at the end to show as garbage. Only the byte after a lead byte in
    // the last place is read beyond what is kept.
    std::size_t kept = 0;
    while (kept + 1 < size && text[kept] != '\0') {
        const std::size_t next = static_cast<std::size_t>(CharNextA(text + kept) - text);
        if (next + 1 > size) break;
        kept = next;
    }
    for (std::size_t i = 0; i < kept; ++i) out[i] = text[i];
    out[kept] = '\0';
}

bool FormatText(char* out, std::size_t size, const char* format, ...) {
    if (size == 0) return false;
    std::va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(out, size, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<std::size_t>(length) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

CodeKey FormatCodeKey(int code) {
    CodeKey key;
    (void)FormatText(key.text, sizeof key.text, "%05d", code);  // always fits
    return key;
}

bool IsNumberSpace(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u == ' ' || (u >= 9 && u <= 13);
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

namespace {

// Two's complement reinterpretation without implementation-defined casts.
int ToSigned(std::uint32_t value) {
    if (value <= 0x7FFFFFFFu) return static_cast<int>(value);
    return -static_cast<int>(~value) - 1;
}

// Reads digits of the given base; arithmetic is unsigned, so overflow wraps.
int ParseNumber(const char* text, bool detectBase) {
    const char* p = text;
    while (IsNumberSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    std::uint32_t base = 10;
    if (detectBase && p[0] == '0') {
        if ((p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16) {
            base = 16;
            p += 2;
        } else {
            base = 8;
        }
    }
    std::uint32_t value = 0;
    for (int digit = DigitValue(*p); digit < static_cast<int>(base); digit = DigitValue(*++p)) {
        value = value * base + static_cast<std::uint32_t>(digit);
    }
    return ToSigned(negative ? 0u - value : value);
}

}  // namespace

int ParseDecimal(const char* text) { return ParseNumber(text, false); }

int ParseAutoBase(const char* text) { return ParseNumber(text, true); }
