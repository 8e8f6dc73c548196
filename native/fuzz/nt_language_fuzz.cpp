// ParseNtLanguage on any text: it reads nothing past the terminator and
// gives what a reference reader, written here by splitting the text into
// tokens, gives.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/nt_language.h"
#include "fuzz_support.h"

namespace {

// The value is "first,language[:,]more": runs of commas before the first
// token are skipped, the first token ends at a comma (a colon is part of it),
// and the language number starts after the commas and colons that follow.
// Without a first token, a comma after it, or anything after the delimiters
// the language is 1; otherwise the number is read as decimal.
int ReferenceLanguage(const std::string& value) {
    const std::size_t first = value.find_first_not_of(',');
    if (first == std::string::npos) return 1;
    const std::size_t comma = value.find(',', first);
    if (comma == std::string::npos) return 1;
    const std::size_t number = value.find_first_not_of(",:", comma);
    if (number == std::string::npos) return 1;
    return fuzz::ReferenceDecimal(value.substr(number));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint32_t bits = input.Uint32();
    std::int32_t language;
    std::memcpy(&language, &bits, sizeof language);
    const std::uint8_t shape = input.Byte();
    const std::string value = input.RestAsText();

    // Any value at all.
    FUZZ_CHECK(ParseNtLanguage(fuzz::HeapText(value).get()) == ReferenceLanguage(value));

    // A value made to hold the number: a first token (no comma in it), then
    // a run of delimiters that starts with a comma, the number, and a
    // delimiter with anything after it.
    std::string token = "U";
    for (char c : value.substr(0, shape & 15)) {
        if (c != ',') token += c;
    }
    std::string delimiters = ",";
    for (int i = 0; i < ((shape >> 4) & 3); ++i) delimiters += (shape & 64) ? ':' : ',';
    char number[16];
    std::snprintf(number, sizeof number, "%" PRId32, language);
    const std::string made = std::string((shape & 128) ? ",," : "") + token + delimiters + number +
                             ((shape & 1) ? ":" : ",") + value;
    FUZZ_CHECK(ParseNtLanguage(fuzz::HeapText(made).get()) == language);
    return 0;
}
