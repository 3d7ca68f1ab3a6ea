#include "platform/foundation/NSCache.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using Cache = foundation::NSCache<std::string, const int>;

std::shared_ptr<const int> number(int value) { return std::make_shared<const int>(value); }

TEST(NSCache, TheObjectUsedLongestAgoMakesRoom) {
    Cache cache(2);
    const auto a = number(1);
    const auto c = number(3);
    cache.setObject(a, "a");
    cache.setObject(number(2), "b");
    EXPECT_EQ(cache.object("a"), a); // "b" is now the oldest in use
    cache.setObject(c, "c");
    EXPECT_EQ(cache.count(), 2u);
    EXPECT_EQ(cache.object("b"), nullptr);
    EXPECT_EQ(cache.object("a"), a);
    EXPECT_EQ(cache.object("c"), c);
    cache.setObject(c, "a");
    EXPECT_EQ(cache.object("a"), c) << "a new object replaces the old under the same key";
    EXPECT_EQ(cache.count(), 2u);

    Cache none(0);
    none.setObject(a, "a");
    EXPECT_EQ(none.object("a"), nullptr);
}

TEST(NSCache, UsableFromManyThreadsAtOnce) {
    Cache cache(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cache, t] {
            for (int i = 0; i < 500; ++i) {
                const int value = (t * 7 + i) % 16;
                cache.setObject(number(value), std::to_string(value));
                const auto held = cache.object(std::to_string(value));
                EXPECT_TRUE(held == nullptr || *held == value);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_LE(cache.count(), 8u);
}

} // namespace
