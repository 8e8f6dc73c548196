// The base of the tests that start the real monitor on a set-up of their own.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "e2e/fixture.h"
#include "e2e/monitor_process.h"

namespace e2e {

class MonitorTest : public ::testing::Test {
protected:
    // A monitor left over from a failed test would keep a new one from starting.
    void SetUp() override { EndStrayMonitors(); }

    // The monitor ends before its registry keys and files go.
    void TearDown() override {
        monitor_.reset();
        setup_.reset();
    }

    // Starts the monitor and waits until it can be reached.
    MonitorProcess& Start() {
        monitor_ = std::make_unique<MonitorProcess>();
        EXPECT_TRUE(monitor_->WaitUntilReady());
        return *monitor_;
    }

    std::unique_ptr<MonitorSetup> setup_;
    std::unique_ptr<MonitorProcess> monitor_;
};

}  // namespace e2e
