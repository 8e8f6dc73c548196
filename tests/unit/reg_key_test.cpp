#include "config/reg_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "unit/test_support.h"

namespace {

using test_support::ScratchKey;

constexpr const char* kScratchPath = "SOFTWARE\\StatusMonTest\\RegKey";

class RegKeyTest : public ::testing::Test {
protected:
    ScratchKey scratch_{kScratchPath};
};

TEST_F(RegKeyTest, MissingKeyReadsEveryValueAsEmpty) {
    RegKey key(HKEY_LOCAL_MACHINE, (std::string(kScratchPath) + "\\Missing").c_str());
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Status(), ERROR_FILE_NOT_FOUND);
    for (const char* name : {"", "Code", "Profile", "Driver"}) {
        EXPECT_STREQ(key.QueryString(name), "") << name;
    }
    EXPECT_EQ(key.Buffer().Size(), 0u);
}

TEST_F(RegKeyTest, StatusKeepsTheErrorOfTheFailedOpen) {
    HKEY expectedKey = nullptr;
    const HKEY bogusRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    const LONG expected = RegOpenKeyExA(bogusRoot, "x", 0, KEY_READ, &expectedKey);
    ASSERT_NE(expected, ERROR_SUCCESS);
    ASSERT_NE(expected, ERROR_FILE_NOT_FOUND);  // so the check below tells them apart

    RegKey key(bogusRoot, "x");
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Status(), expected);
    EXPECT_STREQ(key.QueryString("x"), "");
}

TEST_F(RegKeyTest, OpenKeyReadsValuesAndMissingValuesAsEmpty) {
    ASSERT_TRUE(scratch_.SetString("Profile", "C:\\status.ini"));
    RegKey key(HKEY_LOCAL_MACHINE, kScratchPath);
    EXPECT_TRUE(key.IsOpen());
    EXPECT_EQ(key.Status(), ERROR_SUCCESS);
    EXPECT_STREQ(key.QueryString("Profile"), "C:\\status.ini");
    EXPECT_STREQ(key.QueryString("NoSuchValue"), "");

    key.Close();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Status(), ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(key.QueryString("Profile"), "");
}

TEST_F(RegKeyTest, BufferShrinksToTheShortValueAndKeepsTheBlockForTheSameSize) {
    const std::string longText(100, 'L');
    ASSERT_TRUE(scratch_.SetString("Long", longText));
    ASSERT_TRUE(scratch_.SetString("Short", "ab"));
    ASSERT_TRUE(scratch_.SetString("AlsoShort", "cd"));

    RegKey key(HKEY_LOCAL_MACHINE, kScratchPath);
    EXPECT_EQ(key.QueryString("Long"), longText);
    // The value's bytes with their terminator, and one byte for a terminator
    // of our own.
    EXPECT_EQ(key.Buffer().Size(), longText.size() + 2);

    EXPECT_STREQ(key.QueryString("Short"), "ab");
    EXPECT_EQ(key.Buffer().Size(), 4u);
    const char* block = key.Buffer().Data();

    EXPECT_STREQ(key.QueryString("AlsoShort"), "cd");
    EXPECT_EQ(key.Buffer().Size(), 4u);
    EXPECT_EQ(key.Buffer().Data(), block);
}

// Values that are not terminated text still come back terminated. A long
// value is read first each time, so the buffer holds stale bytes where a
// missing terminator would show.
TEST_F(RegKeyTest, EveryValueTypeComesBackTerminated) {
    const std::string filler(64, 'X');
    ASSERT_TRUE(scratch_.SetString("Filler", filler));

    const DWORD dword = 0x64636261;  // "abcd" in memory, no zero byte
    const char binary[] = {'x', 'y', 'z'};
    const char unterminated[] = {'t', 'e', 'x', 't'};
    ASSERT_TRUE(scratch_.SetRaw("Dword", REG_DWORD, &dword, sizeof dword));
    ASSERT_TRUE(scratch_.SetRaw("Binary", REG_BINARY, binary, sizeof binary));
    ASSERT_TRUE(scratch_.SetRaw("Unterminated", REG_SZ, unterminated, sizeof unterminated));
    ASSERT_TRUE(scratch_.SetRaw("EmptyBinary", REG_BINARY, nullptr, 0));
    ASSERT_TRUE(scratch_.SetRaw("EmptyString", REG_SZ, nullptr, 0));

    struct Row {
        const char* name;
        const char* expected;
    } rows[] = {
        {"Dword", "abcd"},
        {"Binary", "xyz"},
        {"Unterminated", "text"},
        {"EmptyBinary", ""},
        {"EmptyString", ""},
    };
    RegKey key(HKEY_LOCAL_MACHINE, kScratchPath);
    for (const Row& row : rows) {
        ASSERT_EQ(key.QueryString("Filler"), filler);
        const char* value = key.QueryString(row.name);
        EXPECT_STREQ(value, row.expected) << row.name;
        // The terminator lies inside the buffer that holds the value.
        EXPECT_LT(std::strlen(value), static_cast<std::size_t>(key.Buffer().Size()))
            << row.name;
    }
}

TEST_F(RegKeyTest, OpenMovesToAnotherKey) {
    ASSERT_TRUE(scratch_.SetString("Name", "first", "A"));
    ASSERT_TRUE(scratch_.SetString("Name", "second", "B"));
    const std::string pathA = std::string(kScratchPath) + "\\A";
    const std::string pathB = std::string(kScratchPath) + "\\B";

    RegKey key(HKEY_LOCAL_MACHINE, pathA.c_str());
    EXPECT_STREQ(key.QueryString("Name"), "first");

    EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, pathB.c_str()));
    EXPECT_TRUE(key.IsOpen());
    EXPECT_STREQ(key.QueryString("Name"), "second");

    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, (std::string(kScratchPath) + "\\C").c_str()));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Status(), ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(key.QueryString("Name"), "");

    EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, pathA.c_str()));
    EXPECT_STREQ(key.QueryString("Name"), "first");
}

}  // namespace
