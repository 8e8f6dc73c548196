#include "text/field_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Fields(const char* text, char separator = ',',
                                int maximum = FieldList::kNoLimit) {
    FieldList list;
    const int count = list.Split(text, separator, maximum);
    EXPECT_EQ(count, list.Count());
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) fields.push_back(list.Field(i));
    return fields;
}

using Strings = std::vector<std::string>;

TEST(FieldListSplit, CountsEveryFieldAndTrimsBlanks) {
    EXPECT_EQ(Fields(""), Strings({""}));
    EXPECT_EQ(Fields(","), Strings({"", ""}));
    EXPECT_EQ(Fields("a,,b"), Strings({"a", "", "b"}));
    EXPECT_EQ(Fields(" a , b "), Strings({"a", "b"}));
    EXPECT_EQ(Fields("a,"), Strings({"a", ""}));
    EXPECT_EQ(Fields("a  b, c"), Strings({"a  b", "c"}));
    EXPECT_EQ(Fields("\t1\r,\n2\x01"), Strings({"1", "2"}));
    EXPECT_EQ(Fields("0x0C,2,101"), Strings({"0x0C", "2", "101"}));
}

TEST(FieldListSplit, BytesAboveAsciiAreNotBlanks) {
    EXPECT_EQ(Fields("\xA0" "a\xA0,b"), Strings({"\xA0" "a\xA0", "b"}));
}

TEST(FieldListSplit, ABlankSeparatorStillSeparates) {
    EXPECT_EQ(Fields("a b  c", ' '), Strings({"a", "b", "", "c"}));
}

TEST(FieldListSplit, TheLimitLeavesTheRestInTheLastField) {
    EXPECT_EQ(Fields("a,b,c", ',', 2), Strings({"a", "b,c"}));
    EXPECT_EQ(Fields("a,b,c", ',', 3), Strings({"a", "b", "c"}));
    EXPECT_EQ(Fields("a, b ,c ", ',', 1), Strings({"a, b ,c"}));
    EXPECT_EQ(Fields("a,b,c", ',', 0), Strings());
    EXPECT_EQ(Fields("a,b,c", ',', -3), Strings());
}

TEST(FieldListSplit, NineThousandNineHundredNinetyNineMeansNoLimitButStillEndsAField) {
    std::string text;
    for (int i = 0; i < 10001; ++i) text += "x,";  // 10001 separators
    FieldList list;
    ASSERT_EQ(list.Split(text.c_str(), ',', FieldList::kNoLimit), 10002);
    EXPECT_STREQ(list.Field(0), "x");
    EXPECT_STREQ(list.Field(9997), "x");
    // The field numbered 9998 takes separators as text, up to the end.
    EXPECT_EQ(std::string(list.Field(9998)), text.substr(9998 * 2));
    EXPECT_STREQ(list.Field(9999), "");
    EXPECT_STREQ(list.Field(10001), "");
}

TEST(FieldListField, OutOfRangeGivesTheEmptyStringAndZero) {
    FieldList list;
    EXPECT_STREQ(list.Field(0), "");  // never split
    EXPECT_EQ(list.FieldInt(0), 0);
    list.Split("5,6", ',', FieldList::kNoLimit);
    EXPECT_STREQ(list.Field(-1), "");
    EXPECT_STREQ(list.Field(2), "");
    EXPECT_EQ(list.FieldInt(-1), 0);
    EXPECT_EQ(list.FieldInt(2), 0);
    EXPECT_EQ(list.FieldInt(1), 6);
}

TEST(FieldListFieldInt, ConvertsLikeTheDecimalReader) {
    FieldList list;
    list.Split("  -12abc,+7,0x1F,,4294967297", ',', FieldList::kNoLimit);
    EXPECT_EQ(list.FieldInt(0), -12);
    EXPECT_EQ(list.FieldInt(1), 7);
    EXPECT_EQ(list.FieldInt(2), 0);
    EXPECT_EQ(list.FieldInt(3), 0);
    EXPECT_EQ(list.FieldInt(4), 1);
}

TEST(FieldListSplit, FieldsLiveInAPrivateCopyUntilTheNextSplit) {
    char text[] = "a,b";
    FieldList list;
    list.Split(text, ',', FieldList::kNoLimit);
    text[0] = 'z';
    EXPECT_STREQ(list.Field(0), "a");
    list.Split("c", ',', FieldList::kNoLimit);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_STREQ(list.Field(0), "c");
    EXPECT_STREQ(list.Field(1), "");
}

}  // namespace
