// The pure text code on any text and any 32-bit value. Every text it is
// given sits in a heap block of exactly its size, so that AddressSanitizer
// reports a read past the end. Properties the tables cannot give:
//  - every value comes back through ParseDecimal from its decimal form and
//    through ParseAutoBase from its 0x and leading-zero octal forms, with
//    white space, a sign, leading zeros, multiples of 2^32 and text after
//    it; and from FormatCodeKey, at least five characters long;
//  - FormatText writes only whole texts, and CopyBounded as many whole
//    characters as fit, byte by byte and in code page 932, within exactly
//    sized blocks; the copy reads no more of its text than it keeps (in code
//    page 932 it may look at the byte after a lead byte in the last place);
//  - ParseNtLanguage gives the number of "<token>,<delimiters><number>...";
//  - the arguments of any command line start at no blank, and only "/S" or
//    "/s" asks for a start;
//  - FieldList, byte by byte and in the stand-in's code page 932 (with a
//    separator below 128, as the program's are): byte by byte, the count is
//    one more than the separators, cut to the maximum, and never more in
//    code page 932; no field starts with a byte <= 32, unless the field that
//    takes the rest starts with a blank separator, nor ends in a character
//    whose first byte is <= 32; joined at the separator, the fields hold
//    every byte above 32 of the text, in order, and split again into the
//    same fields; they live in the list's own copy.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "config/nt_language.h"
#include "text/char_next.h"
#include "text/field_list.h"
#include "text/text.h"

extern bool g_doubleByteMode;  // the stand-in's: code page 932, or byte by byte when cleared

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : (std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition), std::abort()))

namespace {

// The first size bytes of text, by default all of it with its terminator, in
// a heap block of exactly that size.
struct HeapText : std::unique_ptr<char[]> {
    explicit HeapText(const std::string& text) : HeapText(text.c_str(), text.size() + 1) {}
    HeapText(const char* bytes, std::size_t size) : unique_ptr(new char[size]) { std::memcpy(get(), bytes, size); }
};

int Decimal(const std::string& text) { return ParseDecimal(HeapText(text).get()); }
int AutoBase(const std::string& text) { return ParseAutoBase(HeapText(text).get()); }

// The text from its first character that is none of characters.
std::string From(const std::string& text, const char* characters) {
    return text.substr(std::min(text.find_first_not_of(characters), text.size()));
}

// A number as the program's own FormatText writes it.
std::string Number(const char* format, long long n) {
    char out[32];
    FUZZ_CHECK(FormatText(out, sizeof out, format, n));
    return out;
}

void CheckNumbers(std::int32_t value, std::uint8_t shape, const std::string& text) {
    const std::string lead(shape & 3, " \t\n\v\f\r"[(shape >> 2) % 6]);
    const std::string sign = value < 0 ? "-" : (shape & 32) != 0 ? "+" : "";
    const std::string zeros((shape >> 4) & 3, '0');
    const long long written = (value < 0 ? -static_cast<long long>(value) : value) + ((shape >> 6) * (1LL << 32));
    FUZZ_CHECK(Decimal(lead + sign + zeros + Number("%lld", written) + From(text, "0123456789")) == value);
    FUZZ_CHECK(AutoBase(lead + sign + (shape & 64 ? "0X" : "0x") + zeros + Number("%llx", written) +
                        From(text, "0123456789abcdefABCDEF")) == value);
    FUZZ_CHECK(AutoBase(lead + sign + "0" + zeros + Number("%llo", written) + From(text, "01234567")) == value);
    const CodeKey key = FormatCodeKey(value);
    FUZZ_CHECK(std::strlen(key.text) >= 5 && Decimal(key.text) == value);
}

void CheckCopies(std::size_t room, bool doubleByte, const std::string& text) {
    g_doubleByteMode = doubleByte;
    const std::size_t places = room > 0 ? room - 1 : 0, fits = std::min(text.size(), places);
    const HeapText source(text.c_str(), std::min(text.size() + 1, places + doubleByte));  // to the byte it needs
    const HeapText out(std::string(room, '#').c_str(), room);
    CopyBounded(out.get(), room, source.get());
    std::size_t kept = 0;  // the end of the last character that fits
    for (std::size_t next; kept < text.size() && (next = CharNextA(&text[kept]) - text.c_str()) <= fits;) kept = next;
    FUZZ_CHECK(kept == fits || (doubleByte && kept + 1 == fits));
    FUZZ_CHECK(std::string(out.get(), room) == (text.substr(0, kept) + '\0' + std::string(room, '#')).substr(0, room));
    const bool whole = FormatText(out.get(), room, "%s", HeapText(text).get());
    FUZZ_CHECK(whole == (text.size() < room) && (room == 0 || out.get() == (whole ? text : "")));
}

void CheckNtLanguage(std::int32_t value, std::uint8_t shape, const std::string& text) {
    std::string made = "U" + text.substr(0, shape & 7);  // a token without commas, delimiters, the number
    made.erase(std::remove(made.begin(), made.end(), ','), made.end());
    made += std::string(",:,:", 1 + (shape >> 6)) + (shape & 8 ? " " : "") + Number("%05lld", value);
    FUZZ_CHECK(ParseNtLanguage(HeapText(made + (shape & 16 ? ":" : ",") + text).get()) == value);
    ParseNtLanguage(HeapText(text).get());
}

void CheckCommandLine(const std::string& text) {
    const HeapText line(text);
    const char* arguments = CommandLineArguments(line.get());
    FUZZ_CHECK(*arguments == '\0' || static_cast<unsigned char>(*arguments) > 32);
    FUZZ_CHECK(IsStartRequest(HeapText(text).get()) == (text == "/S" || text == "/s"));
}

bool IsBlank(unsigned char c) { return c <= 32; }

void CheckFieldList(std::uint8_t flags, char separator, int maximum, const std::string& text) {
    g_doubleByteMode = flags & 2;
    separator = static_cast<char>(flags & 2 ? separator & 0x7F : separator);
    FieldList list;
    const int count = list.Split(HeapText(text).get(), separator, maximum);  // freed: the list keeps a copy
    const int bound = static_cast<int>(std::count(text.begin(), text.end(), separator)) + 1;
    const int expected = maximum == FieldList::kNoLimit ? bound : std::min(bound, std::max(maximum, 0));
    FUZZ_CHECK(list.Count() == count && count <= expected && (flags & 2 || count == expected));

    std::string joined;
    for (int i = 0; i < count; ++i) {
        const char* field = list.Field(i);
        const char* last = field;
        while (*CharNextA(last) != '\0') last = CharNextA(last);
        FUZZ_CHECK(!IsBlank(*field) || *field == '\0' || (i + 1 >= maximum && *field == separator));
        FUZZ_CHECK(!IsBlank(*last) || *field == '\0');
        joined += (i > 0 ? std::string(1, separator) : "") + field;
    }
    if (count == 0 || count >= FieldList::kNoLimit) return;
    std::string squeezed[2] = {joined, text};
    for (std::string& s : squeezed) s.erase(std::remove_if(s.begin(), s.end(), IsBlank), s.end());
    FUZZ_CHECK(squeezed[0] == squeezed[1]);
    FieldList again;
    FUZZ_CHECK(again.Split(HeapText(joined).get(), separator, maximum) == count);
    for (int i = 0; i < count; ++i) FUZZ_CHECK(std::strcmp(again.Field(i), list.Field(i)) == 0);
}

}  // namespace

// The input: a 32-bit value, a shape byte, the room for the copies and their
// mode, the splitter's mode, separator and maximum, then the text up to a
// zero byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    std::int32_t value;
    std::memcpy(&value, data, sizeof value);
    const char* start = reinterpret_cast<const char*>(data) + 9;
    const std::string text(start, std::find(start, start + (size - 9), '\0'));
    CheckNumbers(value, data[4], text);
    CheckCopies(data[5] % 48, data[5] >= 128, text);
    CheckNtLanguage(value, data[4], text);
    CheckCommandLine(text);
    CheckFieldList(data[6], static_cast<char>(data[7]), data[6] & 1 ? FieldList::kNoLimit : data[8] - 2, text);
    return 0;
}
