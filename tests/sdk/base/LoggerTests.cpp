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

TEST_F(LoggerTest, OnlyVisibleMessagesArePrintedLaterOnTheMainQueueInOrderAndExactFormFromAnyThread) {
    foundation::DispatchQueue::main().async([this] { printed.emplace_back("earlier work"); });
    vyd::Logger::log("🆔⚙️ℹ️ A new version", true);
    vyd::Logger::log("hidden");
    vyd::Logger::log("hidden too", false);
    EXPECT_EQ(vyd::TimeMeasurement::measureTime("parse", [] { return std::string("parsed"); }), "parsed");
    vyd::Logger::log("second", true);
    EXPECT_TRUE(printed.empty()) << "printed before the main queue ran";
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(printed, (std::vector<std::string>{"earlier work",
                                                 "\n" + std::string(64, '-') + "\n\n🆔⚙️ℹ️ A new version\n",
                                                 vyd::Logger::format("second")}));

    // A message logged from another thread is printed on the main one.
    printed.clear();
    std::atomic<bool> posted{false};
    foundation::DispatchQueue::global().async([&posted] {
        vyd::Logger::log("from a worker", true);
        posted = true;
    });
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return posted.load() && !printed.empty(); }, 10));
    EXPECT_EQ(printed[0], vyd::Logger::format("from a worker"));
}
