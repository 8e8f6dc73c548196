#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, SkipsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_STREQ(CommandLineArguments("statusmon.exe /S"), "/S");
    EXPECT_STREQ(CommandLineArguments("statusmon.exe    \t /s"), "/s");
    EXPECT_STREQ(CommandLineArguments("\"C:\\Program Files\\mon\\statusmon.exe\" /S"), "/S");
    EXPECT_STREQ(CommandLineArguments("\"C:\\a b\\statusmon.exe\"/S"), "/S");
    EXPECT_STREQ(CommandLineArguments("statusmon.exe"), "");
    EXPECT_STREQ(CommandLineArguments("\"unclosed quote /S"), "");
    EXPECT_STREQ(CommandLineArguments("statusmon.exe /S x"), "/S x");
}

TEST(CommandLine, OnlyTheWholeSwitchRequestsTheStart) {
    EXPECT_TRUE(IsStartRequest("/S"));
    EXPECT_TRUE(IsStartRequest("/s"));
    EXPECT_FALSE(IsStartRequest("/S x"));
    EXPECT_FALSE(IsStartRequest("/S "));
    EXPECT_FALSE(IsStartRequest("-S"));
    EXPECT_FALSE(IsStartRequest("/"));
    EXPECT_FALSE(IsStartRequest(""));
    EXPECT_FALSE(IsStartRequest("/SS"));
}

}  // namespace
