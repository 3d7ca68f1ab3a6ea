#pragma once

// What the UI kit and panel tests share: a manual clock over an empty main queue, and the traits
// of one interface style.

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UITraitCollection.hpp"

#include <gtest/gtest.h>

namespace uikittests {

// Time moves only when the test advances it, and nothing an earlier test queued runs in this one.
class ManualClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
    }
    void TearDown() override { foundation::RunLoop::main().discardPending(); }

    // Lets time pass in frames, running what falls due.
    static void advance(double seconds) { foundation::Clock::advance(seconds); }
};

inline uikit::UITraitCollection style(uikit::UIUserInterfaceStyle value) {
    return uikit::UITraitCollection::withUserInterfaceStyle(value);
}

} // namespace uikittests
