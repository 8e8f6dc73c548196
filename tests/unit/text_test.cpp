#include "text/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ParseDecimal, ReadsSignAndDigitsAfterWhiteSpace) {
    struct Row {
        const char* text;
        int value;
    } rows[] = {
        {"42", 42},        {"00042", 42},   {"  42", 42},     {" \t\r\n\v\f-7x", -7},
        {"+7", 7},         {"abc", 0},      {"", 0},          {"0x1F", 0},
        {"- 5", 0},        {"+-5", 0},      {"12 34", 12},    {"-2147483648", -2147483647 - 1},
        {"2147483647", 2147483647},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseDecimal(row.text), row.value) << row.text;
}

TEST(ParseDecimal, WrapsAroundInThirtyTwoBits) {
    EXPECT_EQ(ParseDecimal("4294967297"), 1);   // 2^32 + 1
    EXPECT_EQ(ParseDecimal("2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal("-4294967295"), 1);
    EXPECT_EQ(ParseDecimal("99999999999999999999"), 1661992959);  // (10^20 - 1) mod 2^32
}

TEST(ParseAutoBase, TakesTheBaseFromThePrefix) {
    EXPECT_EQ(ParseAutoBase("0x10"), 16);
    EXPECT_EQ(ParseAutoBase("0X1f"), 31);
    EXPECT_EQ(ParseAutoBase("010"), 8);
    EXPECT_EQ(ParseAutoBase("019"), 1);   // 9 is no octal digit
    EXPECT_EQ(ParseAutoBase("12"), 12);
    EXPECT_EQ(ParseAutoBase(" -0x10"), -16);
    EXPECT_EQ(ParseAutoBase("0x"), 0);    // the 0 alone
    EXPECT_EQ(ParseAutoBase("0xG"), 0);
    EXPECT_EQ(ParseAutoBase("0x100000001"), 1);
}

TEST(CopyBounded, CutsAndAlwaysTerminates) {
    char out[5];
    std::memset(out, 'x', sizeof out);
    CopyBounded(out, "abcdefg");
    EXPECT_STREQ(out, "abcd");
    CopyBounded(out, "ab");
    EXPECT_STREQ(out, "ab");
    char guard[3] = {'q', 'q', 'q'};
    CopyBounded(guard, 0, "abc");  // size 0 writes nothing
    EXPECT_EQ(guard[0], 'q');
}

TEST(FormatText, RefusesWhatDoesNotFit) {
    char out[8];
    EXPECT_TRUE(FormatText(out, sizeof out, "%s,%03d", "abc", 1));
    EXPECT_STREQ(out, "abc,001");
    EXPECT_FALSE(FormatText(out, sizeof out, "%s,%03d", "abcd", 1));
    EXPECT_STREQ(out, "");
}

TEST(FormatCodeKey, PadsToFiveDigitsAndKeepsEveryValueWhole) {
    EXPECT_STREQ(FormatCodeKey(7).text, "00007");
    EXPECT_STREQ(FormatCodeKey(12).text, "00012");
    EXPECT_STREQ(FormatCodeKey(99999).text, "99999");
    EXPECT_STREQ(FormatCodeKey(123456).text, "123456");
    EXPECT_STREQ(FormatCodeKey(-7).text, "-0007");
    EXPECT_STREQ(FormatCodeKey(-1000000).text, "-1000000");
    EXPECT_STREQ(FormatCodeKey(2147483647).text, "2147483647");
    EXPECT_STREQ(FormatCodeKey(-2147483647 - 1).text, "-2147483648");
}

}  // namespace
