#include "sdk/base/Logger.hpp"
#include "sdk/base/TimeMeasurement.hpp"

#include "platform/foundation/Dispatch.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        vyd::Logger::setOutput([this](std::string_view text) { printed.emplace_back(text); });
    }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        vyd::Logger::setOutput({});
    }

    std::vector<std::string> printed;
};

} // namespace

TEST_F(LoggerTest, VisibleMessageIsPrintedLaterOnTheMainQueueInExactForm) {
    vyd::Logger::log("🆔⚙️ℹ️ A new version", true);
    EXPECT_TRUE(printed.empty()) << "printed before the main queue ran";

    foundation::RunLoop::main().runUntilIdle();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0], "\n" + std::string(64, '-') + "\n\n🆔⚙️ℹ️ A new version\n");
}

TEST_F(LoggerTest, VisibleMessagesKeepTheirOrderAfterEarlierMainQueueWorkAndOthersAreNeverPrinted) {
    foundation::DispatchQueue::main().async([this] { printed.emplace_back("earlier work"); });
    vyd::Logger::log("first", true);
    vyd::Logger::log("hidden");
    vyd::Logger::log("hidden too", false);
    vyd::Logger::log("second", true);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(printed,
              (std::vector<std::string>{"earlier work", vyd::Logger::format("first"), vyd::Logger::format("second")}));
    EXPECT_EQ(foundation::RunLoop::main().pendingCount(), 0u);
}

TEST_F(LoggerTest, MessageLoggedFromAnotherThreadIsPrintedOnTheMain) {
    std::atomic<bool> posted{false};
    foundation::DispatchQueue::global().async([&posted] {
        vyd::Logger::log("from a worker", true);
        posted = true;
    });
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return posted.load() && !printed.empty(); }, 10));
    EXPECT_EQ(printed[0], vyd::Logger::format("from a worker"));
}

TEST_F(LoggerTest, MeasureTimeGivesTheBlocksResultAndPrintsNothing) {
    EXPECT_EQ(vyd::TimeMeasurement::measureTime("parse", [] { return std::string("parsed"); }), "parsed");
    vyd::TimeMeasurement::measureTime("void work", [] {});
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(printed.empty());
}

TEST(TimeMeasurementTest, ElapsedTimeIsFormattedWithSixDecimals) {
    EXPECT_EQ(vyd::TimeMeasurement::elapsedMessage("parse", 0.25),
              "🆔⏱️ For operation parse time passed: 0.250000 s");
    EXPECT_EQ(vyd::TimeMeasurement::elapsedMessage("load", 12.0000004),
              "🆔⏱️ For operation load time passed: 12.000000 s");
}
