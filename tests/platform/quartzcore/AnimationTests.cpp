#include "platform/foundation/Dispatch.hpp"
#include "platform/quartzcore/CABasicAnimation.hpp"
#include "platform/quartzcore/CALayer.hpp"

#include "support/ManualClock.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace quartzcore;
using foundation::Clock;

namespace {

struct Stop {
    std::string key;
    bool finished;
    friend bool operator==(const Stop&, const Stop&) = default;
};

struct OnStop : CAAnimationDelegate {
    explicit OnStop(std::function<void(bool)> action) : action(std::move(action)) {}
    void animationDidStop(const CAAnimation&, bool finished) override { action(finished); }
    std::function<void(bool)> action;
};

class AnimationTest : public testsupport::ManualClockTest {
protected:
    void TearDown() override {
        layer.reset();
        ManualClockTest::TearDown();
    }

    // A rotation whose stops are recorded under `key`, the key it is meant to be added under;
    // `afterStop` runs after each.
    std::shared_ptr<CABasicAnimation> rotation(double duration, float repeatCount, const std::string& key) {
        auto animation = CABasicAnimation::make("transform.rotation");
        animation->fromValue = 0.0;
        animation->toValue = M_PI;
        animation->duration = duration;
        animation->repeatCount = repeatCount;
        animation->delegate = std::make_shared<OnStop>([this, key](bool finished) {
            stops.push_back({key, finished});
            if (afterStop) {
                afterStop(key);
            }
        });
        return animation;
    }
    void add(double duration, float repeatCount, const std::string& key) {
        layer->add(rotation(duration, repeatCount, key), key);
    }

    std::shared_ptr<CALayer> layer = CALayer::make();
    std::vector<Stop> stops;
    std::function<void(const std::string&)> afterStop;
};

TEST_F(AnimationTest, InfiniteRepeatStaysUntilRemoved) {
    add(1.25, HUGE_VALF, "locations");
    Clock::advance(3600);
    EXPECT_EQ(layer->animationKeys(), (std::vector<std::string>{"locations"}));
    EXPECT_TRUE(stops.empty());

    layer->removeAnimation("locations");
    EXPECT_TRUE(layer->animationKeys().empty());
    EXPECT_EQ(stops, (std::vector<Stop>{{"locations", false}}));
}

// Two repeats of one second take two; no duration takes the transaction's 0.25.
TEST_F(AnimationTest, FiniteAnimationIsRemovedWhenItsTimeHasPassed) {
    // Columns: duration, repeat count, lifetime.
    for (const auto& [duration, repeatCount, lifetime] : {std::tuple(1.0, 2.0F, 2.0), std::tuple(0.0, 0.0F, 0.25)}) {
        SCOPED_TRACE(lifetime);
        stops.clear();
        add(duration, repeatCount, "spin");
        Clock::advance(lifetime - 0.01);
        EXPECT_NE(layer->animation("spin"), nullptr);
        Clock::advance(0.02);
        EXPECT_EQ(layer->animation("spin"), nullptr);
        EXPECT_EQ(stops, (std::vector<Stop>{{"spin", true}}));
    }
}

TEST_F(AnimationTest, ReplacingAKeyStopsTheOldAnimationAndTheNewOneKeepsItsOwnTime) {
    add(1, 0, "spin");
    Clock::advance(0.5);
    add(1, 0, "spin");
    EXPECT_EQ(stops, (std::vector<Stop>{{"spin", false}}));
    Clock::advance(0.6); // the first one's timer fires here and must not touch the second one
    EXPECT_NE(layer->animation("spin"), nullptr);
    Clock::advance(0.4);
    EXPECT_EQ(layer->animation("spin"), nullptr);
    EXPECT_EQ(stops, (std::vector<Stop>{{"spin", false}, {"spin", true}}));
}

TEST_F(AnimationTest, LayerKeepsACopyInAddedOrder) {
    auto animation = rotation(1, HUGE_VALF, "b");
    layer->add(animation, "b");
    add(1, HUGE_VALF, "a");
    animation->duration = 99;
    animation->keyPath = "changed";
    const auto stored = std::dynamic_pointer_cast<const CABasicAnimation>(layer->animation("b"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->duration, 1);
    EXPECT_EQ(stored->keyPath, "transform.rotation");
    EXPECT_EQ(stored->beginTime, Clock::now()) << "a zero begin time becomes the time of adding";
    EXPECT_EQ(layer->animationKeys(), (std::vector<std::string>{"b", "a"}));
}

TEST_F(AnimationTest, RemoveAllStopsEveryAnimationAsNotFinished) {
    add(1, HUGE_VALF, "one");
    add(10, 0, "two");
    add(10, 0, "");
    EXPECT_EQ(layer->animationKeys().size(), 2u) << "an animation without key is not listed";
    layer->removeAllAnimations();
    EXPECT_EQ(stops, (std::vector<Stop>{{"one", false}, {"two", false}, {"", false}}));
    Clock::advance(20);
    EXPECT_EQ(stops.size(), 3u) << "timers of removed animations do nothing";

    add(1, 0, "spin");
    std::weak_ptr<CALayer> weak = layer;
    layer.reset();
    EXPECT_TRUE(weak.expired()) << "pending timers do not keep a layer alive";
    Clock::advance(2);
    EXPECT_EQ(stops.size(), 3u);
}

TEST_F(AnimationTest, DelegateMayStartANewAnimationWhileStopsAreReported) {
    int restarts = 0;
    afterStop = [&](const std::string& key) {
        if (key == "step" && restarts++ < 2) {
            add(1, 0, "step");
        }
    };
    add(1, 0, "step");
    Clock::advance(1);
    Clock::advance(1);
    Clock::advance(1);
    EXPECT_EQ(restarts, 3);
    EXPECT_EQ(stops.size(), 3u);
    EXPECT_TRUE(layer->animationKeys().empty());
}

} // namespace
