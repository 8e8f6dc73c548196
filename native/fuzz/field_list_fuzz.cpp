// FieldList::Split and Field: any text, any separator byte, any maximum, in
// single-byte mode and in the stand-in's double-byte mode (code page 932).
//
// Properties checked, with characters as the stand-in's CharNextA steps:
//  - Split and Count give min(separators + 1, maximum), with a negative
//    maximum taken as 0, and separators + 1 for kNoLimit (9999). Only
//    characters whose first byte is the separator count: the trail byte of a
//    double-byte character never does.
//  - Each field equals the reference split below: the text between two
//    separators, where the field numbered maximum - 1 (9998 for kNoLimit)
//    runs to the end of the text, separators and all; then trimmed of
//    leading single-byte characters <= 32 that are not the separator and of
//    trailing single-byte characters <= 32 (the separator included).
//  - So no field ends in a character that is a single byte <= 32 (a
//    double-byte character may end in a trail byte <= 32), and no field
//    starts with a byte <= 32 except the separator, and that only in the
//    field that takes the rest of the text.
//  - Every field is terminated inside the private copy: fields lie in text
//    order at the reference offsets, inside one block of the text's length
//    plus 1, apart from the caller's text; changing the caller's text after
//    Split changes no field.
//  - Field(i) out of range is the empty string and FieldInt(i) is 0;
//    FieldInt(i) in range is ParseDecimal of the field.
// The caller's text is in a heap block of exactly its size, so that reading
// past the terminator stops the run.
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "../char_next_stub.h"
#include "fuzz_support.h"
#include "text/field_list.h"
#include "text/text.h"

namespace {

struct Piece {
    std::size_t offset;
    std::size_t length;
};

inline bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The characters of text: a 932 lead byte with a byte after it is one
// character of two bytes in double-byte mode; every other byte is one.
std::vector<Piece> Characters(const std::string& text, bool doubleByte) {
    std::vector<Piece> characters;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        const std::size_t length = doubleByte && lead && i + 1 < text.size() ? 2 : 1;
        characters.push_back({i, length});
        i += length;
    }
    return characters;
}

// The fields as offsets into the text, by the rules above.
std::vector<Piece> ReferenceSplit(const std::string& text, char separator, int maximum,
                                  bool doubleByte) {
    const std::vector<Piece> characters = Characters(text, doubleByte);
    auto isSeparator = [&](const Piece& c) { return text[c.offset] == separator; };
    std::size_t separators = 0;
    for (const Piece& c : characters) separators += isSeparator(c) ? 1 : 0;
    const long long limit = maximum < 0 ? 0 : maximum;
    long long count = static_cast<long long>(separators) + 1;
    if (maximum != FieldList::kNoLimit && count > limit) count = limit;

    std::vector<Piece> fields;
    std::size_t next = 0;  // index into characters
    for (long long i = 0; i < count; ++i) {
        std::size_t first = next;
        std::size_t stop = next;
        while (stop < characters.size() && !(i + 1 < limit && isSeparator(characters[stop]))) ++stop;
        next = stop < characters.size() ? stop + 1 : stop;
        while (first < stop && characters[first].length == 1 && Blank(text[characters[first].offset]) &&
               !isSeparator(characters[first])) {
            ++first;
        }
        std::size_t last = stop;  // one past the last character kept
        while (last > first && characters[last - 1].length == 1 && Blank(text[characters[last - 1].offset])) {
            --last;
        }
        const std::size_t begin = first < characters.size() ? characters[first].offset : text.size();
        const std::size_t end = last > first ? characters[last - 1].offset + characters[last - 1].length : begin;
        fields.push_back({begin, end - begin});
    }
    return fields;
}

int PickMaximum(fuzz::Input& input) {
    const std::uint16_t raw = input.Uint16();
    switch (raw % 8) {
        case 0: return FieldList::kNoLimit;
        case 1: return -static_cast<int>((raw >> 3) % 3);  // 0, -1, -2
        case 2: return INT_MIN + (raw >> 3) % 2;
        case 3:
        case 4: return 1 + (raw >> 3) % 8;                 // the usual small ones
        default: return (raw >> 3) % 4097;                 // up to 4096
    }
}

void CheckSplit(const std::string& text, char separator, int maximum, bool doubleByte) {
    SetDoubleByteMode(doubleByte);
    fuzz::HeapText caller(text);
    FieldList list;
    const int count = list.Split(caller.get(), separator, maximum);
    const std::vector<Piece> expected = ReferenceSplit(caller.get(), separator, maximum, doubleByte);
    FUZZ_CHECK(count == static_cast<int>(expected.size()));
    FUZZ_CHECK(list.Count() == count);

    const std::size_t length = caller.length();
    // Where the private copy must start, from the first field's offset.
    const std::uintptr_t base =
        count > 0 ? reinterpret_cast<std::uintptr_t>(list.Field(0)) - expected[0].offset : 0;
    const std::uintptr_t callerStart = reinterpret_cast<std::uintptr_t>(caller.get());
    for (int i = 0; i < count; ++i) {
        const char* field = list.Field(i);
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(field);
        FUZZ_CHECK(at == base + expected[i].offset);
        FUZZ_CHECK(!(at >= callerStart && at <= callerStart + length));
        FUZZ_CHECK(std::strlen(field) == expected[i].length);  // terminated where expected
        FUZZ_CHECK(at + expected[i].length <= base + length);
        FUZZ_CHECK(std::memcmp(field, caller.get() + expected[i].offset, expected[i].length) == 0);
        FUZZ_CHECK(list.FieldInt(i) == ParseDecimal(field));

        const std::size_t n = expected[i].length;
        if (n > 0) {
            const bool takesTheRest = i + 1 >= (maximum < 0 ? 0 : maximum);
            FUZZ_CHECK(!Blank(field[0]) || (takesTheRest && field[0] == separator));
            const std::vector<Piece> characters = Characters(field, doubleByte);
            const Piece lastCharacter = characters.back();
            FUZZ_CHECK(lastCharacter.length == 2 || !Blank(field[lastCharacter.offset]));
            if (!takesTheRest) {
                for (const Piece& c : characters) FUZZ_CHECK(field[c.offset] != separator);
            }
        }
    }
    for (int index : {-1, count, count + 1, INT_MIN, INT_MAX}) {
        FUZZ_CHECK(list.Field(index) != nullptr && list.Field(index)[0] == '\0');
        FUZZ_CHECK(list.FieldInt(index) == 0);
    }

    // The fields are the list's own: the caller's text may change at once.
    std::vector<std::string> before;
    for (int i = 0; i < count; ++i) before.emplace_back(list.Field(i));
    std::memset(caller.get(), '#', length);
    for (int i = 0; i < count; ++i) FUZZ_CHECK(before[i] == list.Field(i));

    // A second split on the same list replaces the first.
    FUZZ_CHECK(list.Split("x", separator == 'x' ? ',' : separator, 5) == 1);
    FUZZ_CHECK(list.Count() == 1 && std::strcmp(list.Field(0), "x") == 0);
    FUZZ_CHECK(list.Field(1)[0] == '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t flags = input.Byte();
    const char separator = static_cast<char>(input.Byte());
    const int maximum = PickMaximum(input);
    const std::string text = input.RestAsText();

    const bool doubleByte = (flags & 1) != 0;
    CheckSplit(text, separator, maximum, doubleByte);
    if (flags & 2) CheckSplit(text, separator, maximum, !doubleByte);
    SetDoubleByteMode(false);
    return 0;
}
