// Bursts of status codes: the monitor shows every code, and the shell learns
// the state that the last one left.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "e2e/monitor_test.h"

namespace e2e {
namespace {

constexpr const char* kDriver = "Burst Printer";
constexpr int kBurst = 300;

int CountLines(const std::string& text) {
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

class BurstTest : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        setup_ = std::make_unique<MonitorSetup>("Burst", kDriver);
        setup_->SetLanguage("X,1");
        setup_->UseProfiles("[Burst Printer]\r\nScrollMsg=1\r\n"
                            "00001=0,2,101\r\n00002=0,1,102\r\n"
                            "[Default,001]\r\nCaption=Burst\r\n00101=Paper low\r\n00102=Cover open\r\n",
                            "");
    }
};

TEST_F(BurstTest, ShellGetsTheLastCodesTipAndTheAreaEveryLine) {
    MonitorProcess& monitor = Start();
    for (int i = 0; i < kBurst; ++i) monitor.PostStatusCode(i % 2 == 0 ? 2 : 1);
    monitor.Sync();
    const std::string text = monitor.StatusText();
    EXPECT_EQ(CountLines(text), kBurst);
    EXPECT_EQ(text.substr(text.size() - 11), "Paper low\r\n");
    EXPECT_TRUE(monitor.HasTrayIcon());
    EXPECT_EQ(monitor.TrayTip(), "Paper low");
}

TEST_F(BurstTest, SingleCodeChangesTheTipAtOnce) {
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(2);
    monitor.Sync();
    EXPECT_EQ(monitor.TrayTip(), "Cover open");
    monitor.PostStatusCode(1);
    monitor.Sync();
    EXPECT_EQ(monitor.TrayTip(), "Paper low");
}

TEST_F(BurstTest, BurstThatEndsSwitchedOffLeavesNoIcon) {
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(2);
    monitor.Sync();
    ASSERT_TRUE(monitor.HasTrayIcon());
    for (int i = 0; i < kBurst; ++i) monitor.PostStatusCode(i % 2 == 0 ? 2 : 1);
    setup_->SetBidiMode("0");
    for (int i = 0; i < kBurst; ++i) monitor.PostStatusCode(i % 2 == 0 ? 2 : 1);
    monitor.Sync();
    EXPECT_FALSE(monitor.HasTrayIcon());
    EXPECT_TRUE(monitor.IsHidden());
    EXPECT_EQ(CountLines(monitor.StatusText()), 1 + 2 * kBurst);
}

}  // namespace
}  // namespace e2e
