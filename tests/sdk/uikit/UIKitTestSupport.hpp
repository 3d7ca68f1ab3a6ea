#pragma once

// What the UI kit and panel tests share: a manual clock over an empty main queue, and the traits
// of one interface style.

#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "support/ManualClock.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace uikittests {

using testsupport::ManualClockTest;

// A 390 x 844 phone with safe-area insets 47 (top) and 34 (bottom), on the manual clock.
class PhoneTest : public ManualClockTest {
protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        device = std::make_unique<::testing::SimulatedDevice>();
        root = device->rootViewController();
        settle();
    }
    void TearDown() override {
        settle();
        device.reset();
        ManualClockTest::TearDown();
    }

    static void settle() { ::testing::SimulatedDevice::settle(); }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::shared_ptr<uikit::UIViewController> root;
};

inline uikit::UITraitCollection style(uikit::UIUserInterfaceStyle value) {
    return uikit::UITraitCollection::withUserInterfaceStyle(value);
}

} // namespace uikittests
