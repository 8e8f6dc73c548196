#include "config/monitor_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/config_names.h"
#include "unit/test_support.h"

namespace {

using test_support::ScratchKey;

// The caller's buffers keep the last path and setting that were read, as the
// monitor's state keeps its path; every test first puts a known value there.
class MonitorKeyTest : public ::testing::Test {
protected:
    void SetMonitor(const std::string& value) { ASSERT_TRUE(monitorKey_.SetString("Monitor", value)); }

    // Sets a short known value and checks that it made the path.
    void StartFrom(const std::string& value) {
        SetMonitor(value);
        ASSERT_STREQ(GetMonitorDataKeyPath(), (value + "\\BidiData").c_str());
        ASSERT_STREQ(ReadMonitorSetting("Monitor"), value.c_str());
    }

    const char* GetMonitorDataKeyPath() {
        ::GetMonitorDataKeyPath(path_);
        return path_;
    }
    const char* ReadMonitorSetting(const char* name) {
        (void)::ReadMonitorSetting(name, setting_);
        return setting_;
    }

    ScratchKey monitorKey_{kMonitorKeyPath};
    char path_[kMonitorPathSize] = "\\BidiData";
    char setting_[kMonitorPathSize] = "";
};

TEST_F(MonitorKeyTest, PathIsTheMonitorValueFollowedByBidiData) {
    SetMonitor("SOFTWARE\\StatusMonTest\\Language Monitor");
    EXPECT_STREQ(GetMonitorDataKeyPath(), "SOFTWARE\\StatusMonTest\\Language Monitor\\BidiData");
    EXPECT_STREQ(ReadMonitorSetting("Monitor"), "SOFTWARE\\StatusMonTest\\Language Monitor");

    SetMonitor("Other");
    EXPECT_STREQ(GetMonitorDataKeyPath(), "Other\\BidiData");
}

TEST_F(MonitorKeyTest, RemovedMonitorKeyKeepsTheLastPath) {
    StartFrom("SOFTWARE\\StatusMonTest\\Kept");
    monitorKey_.Remove();
    EXPECT_STREQ(GetMonitorDataKeyPath(), "SOFTWARE\\StatusMonTest\\Kept\\BidiData");
    EXPECT_STREQ(ReadMonitorSetting("Monitor"), "SOFTWARE\\StatusMonTest\\Kept");
}

TEST_F(MonitorKeyTest, NothingReadYetGivesAPathThatOpensNoKey) {
    monitorKey_.Remove();
    EXPECT_STREQ(GetMonitorDataKeyPath(), "\\BidiData");
    char value[kMonitorPathSize] = "kept";
    EXPECT_FALSE(::ReadMonitorSetting("Monitor", value));
    EXPECT_STREQ(value, "kept");
}

TEST_F(MonitorKeyTest, MissingValueKeepsTheLastSetting) {
    StartFrom("Before");
    EXPECT_STREQ(ReadMonitorSetting("NoSuchValue"), "Before");
    EXPECT_STREQ(GetMonitorDataKeyPath(), "Before\\BidiData");
}

// The path and its terminator must fit 256 bytes: 246 characters do, 247 and
// more keep the previous path.
TEST_F(MonitorKeyTest, OverlongMonitorValueKeepsThePreviousPath) {
    const std::string fits(246, 'f');
    StartFrom("Previous");
    SetMonitor(fits);
    EXPECT_EQ(std::string(GetMonitorDataKeyPath()), fits + "\\BidiData");

    for (std::size_t length : {247u, 250u, 254u, 255u, 256u, 300u}) {
        StartFrom("Previous");
        SetMonitor(std::string(length, 'm'));
        const char* path = GetMonitorDataKeyPath();
        EXPECT_STREQ(path, "Previous\\BidiData") << length;
        EXPECT_LT(std::strlen(ReadMonitorSetting("Monitor")), 256u) << length;
    }
}

TEST_F(MonitorKeyTest, SettingOfUpTo255CharactersIsReadWhole) {
    StartFrom("Previous");
    const std::string longest(255, 's');
    SetMonitor(longest);
    EXPECT_EQ(std::string(ReadMonitorSetting("Monitor")), longest);

    StartFrom("Previous");
    SetMonitor(std::string(300, 't'));
    EXPECT_STREQ(ReadMonitorSetting("Monitor"), "Previous");
}

TEST_F(MonitorKeyTest, ValueWithoutTerminatorStillEndsAsText) {
    StartFrom("Previous");
    const char text[] = {'N', 'o', 'E', 'n', 'd'};
    ASSERT_TRUE(monitorKey_.SetRaw("Monitor", REG_SZ, text, sizeof text));
    EXPECT_STREQ(GetMonitorDataKeyPath(), "NoEnd\\BidiData");
}

// 256 bytes without any zero byte do not fit the setting buffer as text.
TEST_F(MonitorKeyTest, FullBufferWithoutTerminatorIsRefused) {
    StartFrom("Previous");
    const std::string bytes(256, 'b');
    ASSERT_TRUE(monitorKey_.SetRaw("Monitor", REG_BINARY, bytes.data(), 256));
    EXPECT_STREQ(ReadMonitorSetting("Monitor"), "Previous");
    EXPECT_STREQ(GetMonitorDataKeyPath(), "Previous\\BidiData");
}

}  // namespace
