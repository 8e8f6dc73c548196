// The pure text code as tables of inputs and what they must give: the
// number readers and writers, the bounded copy and format, the NT language
// value, the command line and the splitter. The double-byte group (the
// splitter and the copy) needs code page 932: natively the CharNextA
// stand-in has it; under Wine the locale does, and CTest runs that group once
// more under a Japanese locale with STATUSMON_EXPECT_DOUBLE_BYTE set.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>

#include "app/command_line.h"
#include "config/nt_language.h"
#include "text/field_list.h"
#include "text/text.h"
#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#endif

namespace {

TEST(ParseNumber, WhiteSpaceOneSignDigitsWrapAroundAndTheBaseFromThePrefix) {
    const std::tuple<const char*, int, int> rows[] = {  // text, as ParseDecimal and as ParseAutoBase read it
        {"\t\n\v\f\r 42", 42, 42}, {"\b5", 0, 0}, {"\x0e" "5", 0, 0}, {"+7", 7, 7}, {"-7x", -7, -7}, {"+-5", 0, 0},
        {"- 5", 0, 0}, {"", 0, 0}, {"2147483647", INT_MAX, INT_MAX}, {"-2147483648", INT_MIN, INT_MIN},
        {"4294967297", 1, 1}, {"0x1F", 0, 31}, {" \t-0XAbC", 0, -2748}, {"+0xFFFFFFFF", 0, -1}, {"0x", 0, 0},
        {"0xg", 0, 0}, {"0x 1", 0, 0}, {"010", 10, 8}, {"-017", -17, -15}, {"09", 9, 0}, {"019", 19, 1},
    };
    for (const auto& [text, decimal, autoBase] : rows) {
        EXPECT_EQ(ParseDecimal(text), decimal) << text;
        EXPECT_EQ(ParseAutoBase(text), autoBase) << text;
    }
    const char digits[] = "09afzAFZ/:@[`{\xFF";  // and the terminator
    const int values[] = {0, 9, 10, 15, 35, 10, 15, 35, 99, 99, 99, 99, 99, 99, 99, 99};
    for (std::size_t i = 0; i < sizeof digits; ++i) EXPECT_EQ(DigitValue(digits[i]), values[i]) << i;
}

TEST(FormatCodeKey, ZeroPaddedToFiveAndNeverCut) {
    const std::pair<const char*, int> keys[] = {
        {"00007", 7}, {"100000", 100000}, {"-0007", -7}, {"-12345", -12345}, {"-2147483648", INT_MIN}};
    for (const auto& [key, value] : keys) EXPECT_STREQ(FormatCodeKey(value).text, key) << value;
}

TEST(BoundedText, CopyKeepsSizeLessOneAndReadsNoFurtherFormatWritesAllOrNothing) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};  // the sanitizer reports a read past it
    const std::tuple<std::size_t, const char*, const char*> rows[] = {  // size, text, out's six bytes after
        {5, "abcdefg", "abcd\0#"}, {1, "abc", "\0#####"}, {0, "abc", "######"}, {5, unterminated, "abcd\0#"}};
    for (const auto& [size, text, after] : rows) {
        char out[] = "######";
        CopyBounded(out, size, text);
        EXPECT_EQ(std::string(out, 6), std::string(after, 6)) << size << " " << after;
    }
    char out[6] = "#####";
    EXPECT_TRUE(FormatText(out, sizeof out, "%s-%03d", "a", 7) && std::strcmp(out, "a-007") == 0);
    EXPECT_FALSE(FormatText(out, sizeof out, "%s-%03d", "ab", 7));
    EXPECT_STREQ(out, "");
}

TEST(ParseNtLanguage, SecondTokenAfterCommasAndColonsElseOne) {
    const std::pair<const char*, int> rows[] = {
        {"A,:,:7", 7}, {"A,7:B", 7}, {",,A,12", 12}, {"A:B,3", 3}, {"A, -2", -2}, {"A,010", 10}, {"A,x", 0}, {",7", 1},
        {"A:7", 1}, {"A,:,", 1}, {"A", 1}, {"", 1}, {",,,", 1}};
    for (const auto& [text, language] : rows) EXPECT_EQ(ParseNtLanguage(text), language) << text;
}

TEST(CommandLine, ArgumentsAreTheTailAfterTheNameAndBlanksOnlySlashSStarts) {
    const std::pair<const char*, const char*> rows[] = {  // a command line and its arguments
        {"mon.exe\t\r\n /s", "/s"}, {"mon.exe\x01/S", "/S"}, {"  /S", "/S"}, {"\"C:\\a b\\m.exe\" /S", "/S"},
        {"mon.exe", ""}, {"\"a\"\"b\" c", "\"b\" c"}, {"\"unclosed /S", ""}, {"m\xE9.exe \xE9/S", "\xE9/S"}};
    for (const auto& [line, arguments] : rows) EXPECT_STREQ(CommandLineArguments(line), arguments) << line;
    for (const char* yes : {"/S", "/s"}) EXPECT_TRUE(IsStartRequest(yes)) << yes;
    for (const char* no : {"/S ", "/Sx", "/ss", "S", "/", "", "//S", "\\S"}) EXPECT_FALSE(IsStartRequest(no)) << no;
}

// A text split at a separator with a maximum, and the fields, each in brackets.
using SplitRow = std::tuple<const char*, char, int, const char*>;
const int kAll = FieldList::kNoLimit;

// No lead bytes of code page 932 here, so these hold in either code page.
const SplitRow kPlainRows[] = {
    {"", ',', kAll, "[]"}, {"a,,b", ',', kAll, "[a][][b]"}, {" a  b ,\t1\r,\n2\x01", ',', kAll, "[a  b][1][2]"},
    {"\xA0" "a\xFF,\xFD\x7F", ',', kAll, "[\xA0" "a\xFF][\xFD\x7F]"}, {" a\tb  c", ' ', kAll, "[][a\tb][][c]"},
    {" a, b ,c ", ',', 1, "[a, b ,c]"}, {"a,b, c ,", ',', 3, "[a][b][c ,]"}, {"a  b c ", ' ', 2, "[a][ b c]"},
    {"a,b", ',', 0, ""}, {"", ',', -1, ""},
};

template <std::size_t N>
void ExpectSplits(const SplitRow (&rows)[N]) {
    FieldList list;  // one for all rows, so each split replaces the last
    for (const auto& [text, separator, maximum, fields] : rows) {
        const int count = list.Split(text, separator, maximum);
        std::string shown;
        for (int i = 0; i < count; ++i) shown += std::string("[") + list.Field(i) + "]";
        EXPECT_EQ(shown, fields) << text << " at '" << separator << "', maximum " << maximum;
        EXPECT_EQ(list.Count(), std::count(shown.begin(), shown.end(), '[')) << text;
    }
}

TEST(FieldListSplit, TrimmedFieldsBetweenSeparatorsTheLastTakesTheRest) {
    ExpectSplits(kPlainRows);
    const std::string commas(10001, ',');  // without a limit, field 9998 still takes the rest
    FieldList list;
    ASSERT_EQ(list.Split(commas.c_str(), ',', kAll), 10002);
    EXPECT_EQ(list.Field(9998), commas.substr(9998));
}

TEST(FieldListField, OwnCopyDecimalValuesAndEmptyOutOfRange) {
    FieldList list;
    char text[] = " -12abc,010,";
    ASSERT_EQ(list.Split(text, ',', kAll), 3);
    text[1] = '9';
    EXPECT_TRUE(list.FieldInt(0) == -12 && list.FieldInt(1) == 10 && list.FieldInt(2) == 0);
    for (int i : {-1, 3, INT_MIN, INT_MAX}) EXPECT_TRUE(*list.Field(i) == '\0' && list.FieldInt(i) == 0) << i;
}

// A trail byte is never taken for a separator nor trimmed, and a cut never
// parts it from its lead byte; a lead byte that ends the text is a character
// of its own, and other bytes are cut as ever.
TEST(DoubleByte, TrailBytesStayWithTheirLeadBytes) {
#ifdef _WIN32
    if (GetACP() != 932 && std::getenv("STATUSMON_EXPECT_DOUBLE_BYTE") != nullptr) FAIL() << "code page " << GetACP();
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932, have " << GetACP();
#endif
    const SplitRow rows[] = {
        {"\x81,\x9F,\xE0,\xFC,a,b", ',', kAll, "[\x81,\x9F,\xE0,\xFC,a][b]"},
        {"\x80,\xA0,\xFD,\x81", ',', kAll, "[\x80][\xA0][\xFD][\x81]"},
        {"\x81\x81,\x81\x81\x81,x", ',', kAll, "[\x81\x81][\x81\x81\x81,x]"},
        {" \x82\x20 ,\t\x82\x09\t", ',', kAll, "[\x82\x20][\x82\x09]"},
    };
    ExpectSplits(rows);
    ExpectSplits(kPlainRows);
    const std::tuple<std::size_t, const char*, const char*> copies[] = {  // size, text, the copy
        {4, "ab\x82\xA0", "ab"}, {5, "ab\x82\xA0", "ab\x82\xA0"}, {4, "a\x9F\x40" "b", "a\x9F\x40"},
        {2, "\xE0\x40", ""}, {4, "ab\xFC", "ab\xFC"}, {3, "\x80\xA0\xFD", "\x80\xA0"}};
    for (const auto& [size, text, copy] : copies) {
        char out[8] = "#######";
        CopyBounded(out, size, text);
        EXPECT_EQ(std::string(out) + out[std::strlen(copy) + 1], std::string(copy) + '#') << size << " " << text;
    }
}

}  // namespace
