// The splitter in a double-byte code page, natively: the stand-in steps by
// the characters of code page 932, so this runs under the sanitizers without
// a Japanese locale. The same cases run under Wine in
// tests/unit/field_list_double_byte_test.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "char_next_stub.h"
#include "text/field_list.h"

namespace {

using Strings = std::vector<std::string>;

Strings Fields(const char* text, char separator = ',', int maximum = FieldList::kNoLimit) {
    FieldList list;
    const int count = list.Split(text, separator, maximum);
    EXPECT_EQ(count, list.Count());
    Strings fields;
    for (int i = 0; i < count; ++i) fields.push_back(list.Field(i));
    return fields;
}

class DoubleByteSplit : public ::testing::Test {
protected:
    ScopedDoubleByteMode mode_;
};

TEST(CharNextStandIn, StepsByCharactersOfCodePage932OnlyInDoubleByteMode) {
    const char text[] = "\x81,\xE0" "a\xFC" "b\x80" "c\xA0" "d\xFD" "e\x9F";
    EXPECT_EQ(CharNextA(text), text + 1);
    {
        ScopedDoubleByteMode mode;
        EXPECT_EQ(CharNextA(text), text + 2);       // 0x81 leads
        EXPECT_EQ(CharNextA(text + 2), text + 4);   // 0xE0 leads
        EXPECT_EQ(CharNextA(text + 4), text + 6);   // 0xFC leads
        EXPECT_EQ(CharNextA(text + 6), text + 7);   // 0x80 does not
        EXPECT_EQ(CharNextA(text + 8), text + 9);   // 0xA0 (half-width kana) does not
        EXPECT_EQ(CharNextA(text + 10), text + 11); // 0xFD does not
        EXPECT_EQ(CharNextA(text + 12), text + 13); // a lead byte before the end
        EXPECT_EQ(CharNextA(text + 13), text + 13); // the end stays put
    }
    EXPECT_FALSE(DoubleByteMode());
}

TEST_F(DoubleByteSplit, TrailByteEqualToTheSeparatorStaysInItsCharacter) {
    EXPECT_EQ(Fields("\x81,a,b"), Strings({"\x81,a", "b"}));
    EXPECT_EQ(Fields("\xE0,\xFC,"), Strings({"\xE0,\xFC,"}));
    EXPECT_EQ(Fields("a\x9F:b:c", ':'), Strings({"a\x9F:b", "c"}));
    // Bytes that lead nothing in code page 932 are characters of their own.
    EXPECT_EQ(Fields("\x80,\xA0,\xFD,"), Strings({"\x80", "\xA0", "\xFD", ""}));
}

TEST_F(DoubleByteSplit, ATrailByteMayBeATrailByteOnlyOnce) {
    // "\x81\x81" is one character, so the comma after it separates.
    EXPECT_EQ(Fields("\x81\x81,x"), Strings({"\x81\x81", "x"}));
    // Three lead bytes: the third starts a character whose trail is the comma.
    EXPECT_EQ(Fields("\x81\x81\x81,x"), Strings({"\x81\x81\x81,x"}));
}

TEST_F(DoubleByteSplit, ACharacterAtTheEndOfAFieldIsKeptWholeByTrimming) {
    EXPECT_EQ(Fields(" \x82\x20 ,x"), Strings({"\x82\x20", "x"}));
    EXPECT_EQ(Fields("\t\x82\x09\t"), Strings({"\x82\x09"}));
    EXPECT_EQ(Fields("a\xE0\x01"), Strings({"a\xE0\x01"}));
}

TEST_F(DoubleByteSplit, ABlankTrailByteIsNeitherABlankNorTheSeparator) {
    EXPECT_EQ(Fields("a\x81 b c", ' '), Strings({"a\x81 b", "c"}));
    EXPECT_EQ(Fields(" \x81  x", ' '), Strings({"", "\x81 ", "x"}));
}

TEST_F(DoubleByteSplit, ALeadByteBeforeTheEndIsACharacterOfItsOwn) {
    EXPECT_EQ(Fields("a,\x81"), Strings({"a", "\x81"}));
    EXPECT_EQ(Fields("\x81"), Strings({"\x81"}));
    EXPECT_EQ(Fields("x \x9F"), Strings({"x \x9F"}));
}

TEST_F(DoubleByteSplit, TheLimitCountsSeparatorsByCharacters) {
    EXPECT_EQ(Fields("\x81,a,b,c", ',', 2), Strings({"\x81,a", "b,c"}));
    EXPECT_EQ(Fields("\x81,a,b,c", ',', 3), Strings({"\x81,a", "b", "c"}));
    EXPECT_EQ(Fields("\x81,\x81,", ',', 1), Strings({"\x81,\x81,"}));
}

TEST(SingleByteSplit, WithoutTheModeEveryByteIsACharacter) {
    ASSERT_FALSE(DoubleByteMode());
    EXPECT_EQ(Fields("\x81,a,b"), Strings({"\x81", "a", "b"}));
    EXPECT_EQ(Fields(" \x82\x20 ,x"), Strings({"\x82", "x"}));
}

}  // namespace
