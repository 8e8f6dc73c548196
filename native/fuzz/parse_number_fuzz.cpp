// ParseDecimal and ParseAutoBase: any text reads as the reference reader
// reads it, never past its terminator, and every 32-bit value written out in
// the forms the program meets (with white space, a sign, leading zeros and
// text after the number) reads back as itself.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "text/text.h"

namespace {

const char kSpaces[] = " \t\n\v\f\r";

std::int32_t Decimal(const std::string& text) { return ParseDecimal(fuzz::HeapText(text).get()); }
std::int32_t AutoBase(const std::string& text) { return ParseAutoBase(fuzz::HeapText(text).get()); }

std::string Printed(const char* format, std::uint32_t value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);

    const std::uint32_t bits = input.Uint32();
    std::int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    const std::uint8_t shape = input.Byte();
    const std::uint8_t spaces = input.Byte();
    const std::uint8_t zeros = input.Byte() % 12;
    const std::string tail = input.Bytes(input.Byte() % 8);
    const std::string text = input.RestAsText();

    // Any text at all, against the reference reader.
    FUZZ_CHECK(Decimal(text) == fuzz::ReferenceDecimal(text));
    FUZZ_CHECK(AutoBase(text) == fuzz::ReferenceAutoBase(text));

    // The value written in decimal, then decorated.
    char plain[16];
    std::snprintf(plain, sizeof plain, "%" PRId32, value);
    FUZZ_CHECK(Decimal(plain) == value);
    FUZZ_CHECK(AutoBase(plain) == value);  // no leading 0 but for 0 itself

    std::string lead;
    lead.append(spaces & 7, kSpaces[(spaces >> 3) % 6]);
    for (int i = 0; i < (spaces >> 6); ++i) lead += kSpaces[i];
    const bool negative = value < 0;
    const std::uint32_t magnitude = negative ? 0u - bits : bits;
    const std::string sign = negative ? "-" : ((shape & 1) ? "+" : "");
    // Text after the number: cut at the first digit, so it does not continue it.
    const std::string after = tail.substr(0, tail.find_first_of(std::string("0123456789\0", 11)));
    const std::string decimal = lead + sign + std::string(zeros, '0') + Printed("%" PRIu32, magnitude) + after;
    FUZZ_CHECK(Decimal(decimal) == value);

    // Hexadecimal and octal with their prefixes, for ParseAutoBase.
    std::string hexAfter;
    for (char c : after) {
        if (fuzz::ReferenceDigit(static_cast<unsigned char>(c)) >= 16) hexAfter += c; else break;
    }
    std::string octalAfter;
    for (char c : after) {
        if (fuzz::ReferenceDigit(static_cast<unsigned char>(c)) >= 8) octalAfter += c; else break;
    }
    const char* hexFormat = (shape & 2) ? "0X%" PRIX32 : "0x%" PRIx32;
    FUZZ_CHECK(AutoBase(Printed(hexFormat, bits)) == value);
    FUZZ_CHECK(AutoBase(lead + sign + (shape & 2 ? "0X" : "0x") + std::string(zeros, '0') +
                        Printed("%" PRIx32, magnitude) + hexAfter) == value);
    FUZZ_CHECK(AutoBase(Printed("%#" PRIo32, bits)) == value);
    FUZZ_CHECK(AutoBase(lead + sign + "0" + std::string(zeros, '0') + Printed("%" PRIo32, magnitude) +
                        octalAfter) == value);
    if (magnitude != 0 || after.empty() || (after[0] != 'x' && after[0] != 'X')) {
        // Decimal without a leading 0 is decimal for ParseAutoBase too; a
        // lone 0 is octal, which comes to the same unless an x follows.
        FUZZ_CHECK(AutoBase(lead + sign + Printed("%" PRIu32, magnitude) + after) == value);
    }
    // The decimal reader stops at an x: "0x10" is 0 to it.
    FUZZ_CHECK(Decimal(Printed("0x%" PRIx32, bits)) == 0);
    return 0;
}
