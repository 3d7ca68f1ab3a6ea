#include "platform/foundation/Dispatch.hpp"

#include "support/ManualClock.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

using namespace foundation;

namespace {

class DispatchTest : public testsupport::ManualClockTest {
protected:
    std::vector<std::string> log;
    std::function<void()> record(std::string entry) {
        return [this, entry] { log.push_back(entry); };
    }
};

TEST_F(DispatchTest, QueuedWorkRunsOnlyWhenDrainedAndInFifoOrderWithZeroDelaysAsQueuedWork) {
    auto& main = DispatchQueue::main();
    main.async(record("a"));
    main.async([&] {
        log.push_back("b");
        main.async(record("e")); // posted while draining: runs after what was already queued
    });
    main.asyncAfter(0, record("c"));
    main.asyncAfter(-1, record("d"));
    EXPECT_TRUE(log.empty());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(RunLoop::main().pendingCount(), 0u);
}

TEST_F(DispatchTest, TimersNeverFireEarlyAndFireInDueOrder) {
    auto& main = DispatchQueue::main();
    main.asyncAfter(0.3, record("t0.3"));
    main.asyncAfter(0.1, record("t0.1"));
    main.asyncAfter(0.2, record("t0.2a"));
    main.asyncAfter(0.2, record("t0.2b"));

    RunLoop::main().runUntilIdle(); // nothing is due yet
    EXPECT_FALSE(RunLoop::main().runUntil([] { return false; }, 0.02)) << "gives up; the manual clock stands still";
    Clock::advance(-3); // time never goes backwards
    Clock::advance(0.099);
    EXPECT_TRUE(log.empty());
    Clock::advance(0.001);
    EXPECT_EQ(log, (std::vector<std::string>{"t0.1"}));

    Clock::advance(1.0);
    EXPECT_EQ(log, (std::vector<std::string>{"t0.1", "t0.2a", "t0.2b", "t0.3"}));
}

TEST_F(DispatchTest, TimersScheduledByTimersFireWithinTheSameAdvance) {
    auto& main = DispatchQueue::main();
    // A repeating 0.1 s tick, like a display link, interleaved with a one-off timer at 0.25.
    std::function<void()> tick;
    int ticks = 0;
    tick = [&] {
        ++ticks;
        log.push_back("tick" + std::to_string(ticks));
        if (ticks < 4)
            main.asyncAfter(0.1, tick);
    };
    main.asyncAfter(0.1, tick);
    main.asyncAfter(0.25, record("once"));
    Clock::advance(0.3);
    EXPECT_EQ(log, (std::vector<std::string>{"tick1", "tick2", "once", "tick3"}));
    Clock::advance(0.1);
    EXPECT_EQ(log.back(), "tick4");
    Clock::advance(10);
    EXPECT_EQ(ticks, 4);
}

TEST_F(DispatchTest, QueuedWorkRunsBeforeTimersAndWorkPostedByATimerBeforeTheNextTimer) {
    auto& main = DispatchQueue::main();
    main.asyncAfter(0.1, [&] {
        log.push_back("timer1");
        main.async(record("posted by timer1"));
    });
    main.asyncAfter(0.2, record("timer2"));
    main.async(record("queued"));
    Clock::advance(0.5);
    EXPECT_EQ(log, (std::vector<std::string>{"queued", "timer1", "posted by timer1", "timer2"}));
}

TEST_F(DispatchTest, GlobalWorkRunsOnWorkerThreadsAndPostsBackToTheMainThread) {
    EXPECT_TRUE(isMainThread()) << "the thread that drives the run loop";
    std::atomic<bool> ranOffMain{false};
    std::thread::id mainId = std::this_thread::get_id();
    std::thread::id completedOn;
    bool completed = false;
    DispatchQueue::global(DispatchQoS::UserInitiated).async([&] {
        ranOffMain = !isMainThread() && std::this_thread::get_id() != mainId;
        DispatchQueue::main().async([&] {
            completedOn = std::this_thread::get_id();
            completed = true;
        });
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return completed; }, 10));
    EXPECT_TRUE(ranOffMain);
    EXPECT_EQ(completedOn, mainId);
}

TEST_F(DispatchTest, GlobalJobsMayWaitForEachOtherWithoutStarving) {
    // Each job but the last waits for the one after it: a fixed small pool would deadlock.
    constexpr int jobs = 12;
    struct Shared {
        std::mutex mutex;
        std::condition_variable cv;
        int released = jobs; // job i may finish once released <= i
        std::atomic<int> finished{0};
    };
    auto shared = std::make_shared<Shared>(); // outlives the test body if a worker lags behind
    for (int i = 0; i < jobs; ++i) {
        DispatchQueue::global().async([shared, i] {
            std::unique_lock<std::mutex> lock(shared->mutex);
            if (i == jobs - 1)
                shared->released = i;
            shared->cv.wait(lock, [&] { return shared->released <= i; });
            shared->released = i - 1;
            shared->cv.notify_all();
            ++shared->finished;
        });
    }
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return shared->finished.load() == jobs; }, 10));
}

TEST_F(DispatchTest, ManyThreadsPostingKeepEachThreadsOrder) {
    constexpr int threads = 4, perThread = 200;
    std::vector<std::vector<int>> seen(threads);
    std::vector<std::thread> posters;
    for (int t = 0; t < threads; ++t)
        posters.emplace_back([&, t] {
            for (int i = 0; i < perThread; ++i)
                DispatchQueue::main().async([&, t, i] { seen[t].push_back(i); });
        });
    for (auto& p : posters)
        p.join();
    RunLoop::main().runUntilIdle();
    std::vector<int> inOrder(perThread);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    EXPECT_EQ(seen, std::vector<std::vector<int>>(threads, inOrder));
}

TEST_F(DispatchTest, RealClockTimersFireWhileWaiting) {
    Clock::useRealClock();
    double scheduledAt = Clock::now();
    double firedAt = 0;
    DispatchQueue::main().asyncAfter(0.02, [&] { firedAt = Clock::now(); });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return firedAt > 0; }, 10));
    EXPECT_GE(firedAt - scheduledAt, 0.02);
}

} // namespace
