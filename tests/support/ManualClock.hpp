#pragma once

// The one manual-clock fixture: time moves only when the test advances it, nothing an earlier
// test queued runs in this one, and the real clock comes back when the test ends.

#include "platform/foundation/Dispatch.hpp"

#include <gtest/gtest.h>

namespace testsupport {

class ManualClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
    }
    void TearDown() override {
        foundation::RunLoop::main().discardPending();
        foundation::Clock::useRealClock();
    }

    static void advance(double seconds) { foundation::Clock::advance(seconds); }
    static void drain() { foundation::RunLoop::main().runUntilIdle(); }
};

} // namespace testsupport
