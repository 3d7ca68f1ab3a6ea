#include "sdk/panel/SpringAnimator.hpp"
#include "sdk/panel/SpringMotion.hpp"

#include "sdk/uikit/UIKitTestSupport.hpp"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

using vyd::SpringAnimator;
using vyd::SpringMotion;
using vyd::SpringParameters;

using SpringTest = uikittests::ManualClockTest;

TEST(SpringMotionTest, EveryDampingStartsWhereToldAndComesToRest) {
    for (const double ratio : {0.5, 1.0, 1.8}) {
        const SpringMotion motion(-300, 1200, SpringParameters{0.4, ratio, 6000});
        EXPECT_DOUBLE_EQ(motion.offset(0), -300) << ratio;
        EXPECT_NEAR(motion.velocity(0), 1200, 1e-6) << ratio;
        // The velocity is the rate of change of the offset.
        const double h = 1e-6;
        EXPECT_NEAR((motion.offset(0.1 + h) - motion.offset(0.1 - h)) / (2 * h), motion.velocity(0.1), 1e-2) << ratio;
        const double settle = motion.settlingTime();
        EXPECT_GT(settle, 0.1) << ratio;
        EXPECT_LE(settle, 5.0) << ratio;
        for (double t = settle; t < settle + 2; t += 0.01) {
            ASSERT_LT(std::fabs(motion.offset(t)), 0.1) << ratio << " at " << t;
        }
    }
}

TEST(SpringMotionTest, CriticalDampingNeverOvershootsFromRest) {
    const SpringMotion motion(-500, 0, SpringParameters{0.35, 1.0, 6000});
    for (double t = 0; t < 2; t += 1.0 / 120) {
        ASSERT_LE(motion.offset(t), 0) << t;
    }
}

TEST(SpringMotionTest, WildInputIsTamed) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A fling at an absurd speed is cut to the spring's limit: the overshoot stays bounded.
    const SpringMotion flung(0, -1e300, SpringParameters{0.35, 1.0, 6000});
    EXPECT_DOUBLE_EQ(flung.initialVelocity(), -6000);
    for (double t = 0; t < 3; t += 1.0 / 60) {
        ASSERT_TRUE(std::isfinite(flung.offset(t)));
        // The furthest a critically damped spring from rest travels is v / (omega e).
        ASSERT_GT(flung.offset(t), -6000 / (2 * 3.14159265358979 / 0.35) / std::exp(1.0) - 0.5);
    }
    const SpringMotion broken(nan, inf, SpringParameters{-1, nan, nan});
    EXPECT_EQ(broken.initialDisplacement(), 0);
    EXPECT_EQ(broken.initialVelocity(), 0);
    EXPECT_EQ(broken.offset(nan), 0);
    EXPECT_EQ(broken.settlingTime(), 0);
}

TEST_F(SpringTest, AnimatorStepsOnTheClockAndLandsExactlyOnTheTarget) {
    std::vector<double> values;
    std::vector<bool> ends;
    auto animator = SpringAnimator::make(
        600, 100, 0, {}, [&](double v) { values.push_back(v); }, [&](bool finished) { ends.push_back(finished); });
    const double duration = animator->duration();
    ASSERT_GT(duration, 0.2);
    animator->start();
    EXPECT_TRUE(animator->isRunning());
    advance(duration / 2);
    ASSERT_FALSE(values.empty());
    EXPECT_TRUE(ends.empty());
    EXPECT_LT(values.back(), 600);
    EXPECT_GT(values.back(), 100);
    // Frames come at 60 Hz.
    EXPECT_NEAR(static_cast<double>(values.size()), duration / 2 * 60, 1.5);
    for (std::size_t i = 1; i < values.size(); ++i) {
        EXPECT_LE(values[i], values[i - 1]);
    }
    advance(duration);
    ASSERT_EQ(ends, std::vector<bool>{true});
    EXPECT_EQ(values.back(), 100);
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(animator->value(), 100);
}

TEST_F(SpringTest, RunningAnimatorKeepsItselfButNotWhatItMoves) {
    auto target = std::make_shared<double>(0);
    std::weak_ptr<double> weakTarget = target;
    bool finished = false;
    std::weak_ptr<SpringAnimator> weakAnimator;
    {
        auto animator = SpringAnimator::make(
            0, 50, 0, {},
            [weakTarget](double v) {
                if (auto strong = weakTarget.lock()) {
                    *strong = v;
                }
            },
            [&](bool f) { finished = f; });
        weakAnimator = animator;
        animator->start();
    }
    advance(0.05);
    EXPECT_FALSE(weakAnimator.expired());
    target.reset();
    EXPECT_TRUE(weakTarget.expired());
    advance(5);
    EXPECT_TRUE(finished);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weakAnimator.expired());
}

} // namespace
