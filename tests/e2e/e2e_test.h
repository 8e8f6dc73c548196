// The base of the end-to-end tests: a driver configuration of the test's own
// and the real monitor, started after it and ended before it goes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/monitor.h"
#include "harness/test_driver.h"

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { harness::EndStrayMonitors(); }
    void TearDown() override {
        monitor_.reset();
        driver_.reset();
    }

    harness::TestDriver& Driver(const std::string& name = "Hall Printer", const std::string& driverClass = "HALL") {
        driver_.reset();  // undone before the next one is written
        driver_ = std::make_unique<harness::TestDriver>(name, "EndToEnd", driverClass);
        return *driver_;
    }
    harness::Monitor& Start() {
        EXPECT_TRUE(driver_ == nullptr || driver_->Errors().empty()) << driver_->Errors();
        monitor_.reset();  // a monitor still running would keep the next one from starting
        monitor_ = std::make_unique<harness::Monitor>();
        EXPECT_TRUE(monitor_->Ready());
        return *monitor_;
    }
    // Posts the codes as one burst and waits until they have been handled.
    void Show(const std::vector<int>& codes) {
        EXPECT_TRUE(monitor_->PostBurst(codes));
        monitor_->Sync();
    }

    std::unique_ptr<harness::TestDriver> driver_;
    std::unique_ptr<harness::Monitor> monitor_;
};
