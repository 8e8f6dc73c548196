// Small text helpers shared by every module. They use no platform call except
// CharNextA, so they also build natively for the sanitizer and fuzzing runs.
#pragma once

#include <cstddef>

// The one shared, read-only empty text that readers return instead of null.
extern const char kEmptyString[];

// Copies text into out, cut to size - 1 bytes and always terminated. The cut
// keeps whole characters: a double-byte character that does not fit is left
// out. A size of 0 writes nothing.
void CopyBounded(char* out, std::size_t size, const char* text);

template <std::size_t N>
void CopyBounded(char (&out)[N], const char* text) {
    CopyBounded(out, N, text);
}

// Formats into out like snprintf. Returns true when the whole text fitted;
// otherwise out holds the empty string, so a name that does not fit is never
// used cut short.
bool FormatText(char* out, std::size_t size, const char* format, ...);

// A status or message code in its key form, "%05d": zero-padded to at least
// five digits and never cut, whatever the 32-bit value ("-2147483648").
struct CodeKey {
    char text[12];
};
CodeKey FormatCodeKey(int code);

// The white space that the number readers skip: 9 to 13 and 32.
bool IsNumberSpace(char c);
// The value of a digit in bases up to 36 ('0'-'9', 'a'-'z', 'A'-'Z'); 99 for
// any other character.
int DigitValue(char c);

// Decimal text to a signed 32-bit integer: leading white space (9 to 13 and
// 32), one optional sign, then digits up to the first other character. No
// digits give 0; overflow wraps around in 32 bits.
int ParseDecimal(const char* text);

// As ParseDecimal, but with the base taken from the text: hexadecimal after
// 0x or 0X, octal after a leading 0, decimal otherwise.
int ParseAutoBase(const char* text);
