// The splitter steps by characters of the ANSI code page: in a double-byte
// code page the trail byte of a character is never taken for the separator.
// Wine takes the code page from the locale: CTest runs this group once more
// with a Japanese locale (code page 932) and STATUSMON_EXPECT_DOUBLE_BYTE set.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "text/field_list.h"

namespace {

TEST(FieldListDoubleByte, TrailByteEqualToTheSeparatorStaysInItsCharacter) {
    if (GetACP() != 932) {
        if (std::getenv("STATUSMON_EXPECT_DOUBLE_BYTE") != nullptr) {
            FAIL() << "expected code page 932, have " << GetACP();
        }
        GTEST_SKIP() << "needs code page 932, have " << GetACP();
    }
    // 0x81 is a lead byte in code page 932: "\x81," is one character.
    FieldList list;
    ASSERT_EQ(list.Split("\x81,a,b", ',', FieldList::kNoLimit), 2);
    EXPECT_STREQ(list.Field(0), "\x81,a");
    EXPECT_STREQ(list.Field(1), "b");
    // A double-byte character at the end of a field is kept whole by trimming.
    ASSERT_EQ(list.Split(" \x82\x20 ,x", ',', FieldList::kNoLimit), 2);
    EXPECT_STREQ(list.Field(0), "\x82\x20");
    EXPECT_STREQ(list.Field(1), "x");
}

}  // namespace
