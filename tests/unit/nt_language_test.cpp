#include "config/nt_language.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseNtLanguage, TakesTheSecondTokenWithRunsOfDelimitersAsOne) {
    struct Row {
        const char* value;
        int language;
    } rows[] = {
        {"A,3", 3},     {"A,x", 0},    {"A", 1},        {"A,,7", 7},    {"A,:7", 7},
        {"A,7:B", 7},   {",7", 1},     {"A:7", 1},      {"A,", 1},      {"", 1},
        {",,,", 1},     {"A,::,", 1},  {"A,-2", -2},    {"A,7,8", 7},   {",,A,12", 12},
        {"A, 5", 5},    {"A,0", 0},    {"ABCDU,1031", 1031},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseNtLanguage(row.value), row.language) << row.value;
}

}  // namespace
