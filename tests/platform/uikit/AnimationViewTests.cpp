#include "UIKitTestSupport.hpp"

#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace uikittests;

namespace {

class AnimationTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        root->addSubview(view);
    }

    std::shared_ptr<UIView> root = UIView::make({0, 0, 320, 480});
    std::shared_ptr<UIView> view = UIView::make({0, 0, 100, 100});
};

TEST_F(AnimationTest, EndValuesAtOnceCompletionAfterDelayAndDuration) {
    std::optional<bool> finished;
    UIView::animate(
        0.3, 0.2, UIViewAnimationOptions::curveEaseOut,
        [&] {
            view->setFrame({0, 200, 100, 100});
            view->setAlpha(0.5);
        },
        [&](bool f) { finished = f; });

    EXPECT_EQ(view->frame(), (CGRect{0, 200, 100, 100}));
    // The size did not change: no bounds animation.
    EXPECT_EQ(view->layer()->animationKeys(), (std::vector<std::string>{"position", "opacity"}));

    advance(0.49);
    EXPECT_FALSE(finished.has_value());
    advance(0.01);
    EXPECT_EQ(finished, std::optional<bool>(true));
    EXPECT_TRUE(view->layer()->animationKeys().empty());
}

TEST_F(AnimationTest, CompletionComesAfterDelayAndDurationEvenWithNothingToAnimate) {
    using Case = std::tuple<double, double, bool>; // duration, delay, whether the value changes
    for (const auto& [duration, delay, changes] :
         {Case{0, 0, false}, Case{0, 0, true}, Case{0.25, 0, false}, Case{0, 0.5, false}, Case{1.0, 0.5, false}}) {
        SCOPED_TRACE(testing::Message() << duration << " + " << delay << (changes ? " changing" : ""));
        view->setAlpha(1);
        std::optional<bool> finished;
        // Setting a value to what it already is animates nothing; neither does a duration of 0.
        const double to = changes ? 0.5 : 1;
        UIView::animate(
            duration, delay, UIViewAnimationOptions::none, [&] { view->setAlpha(to); }, [&](bool f) { finished = f; });
        EXPECT_DOUBLE_EQ(view->alpha(), to);
        EXPECT_TRUE(view->layer()->animationKeys().empty());
        EXPECT_FALSE(finished.has_value()); // never synchronously
        if (duration + delay > 0) {
            advance(duration + delay - 0.001);
            EXPECT_FALSE(finished.has_value());
            advance(0.001);
        } else {
            drain(); // the next turn of the main queue
        }
        EXPECT_EQ(finished, std::optional<bool>(true));
    }
}

TEST_F(AnimationTest, RemovingTheLayersAnimationsCompletesAsNotFinished) {
    std::vector<bool> results;
    UIView::animate(
        1.0, 0, UIViewAnimationOptions::curveLinear, [&] { view->setTransform(CGAffineTransform::rotation(M_PI)); },
        [&](bool f) { results.push_back(f); });
    advance(0.4);
    view->layer()->removeAllAnimations();
    EXPECT_TRUE(results.empty()); // delivered on the main queue, not inside the removal
    drain();
    EXPECT_EQ(results, std::vector<bool>{false});
    advance(2);
    EXPECT_EQ(results, std::vector<bool>{false});                    // once only
    EXPECT_EQ(view->transform(), CGAffineTransform::rotation(M_PI)); // the model value stays
}

TEST_F(AnimationTest, OverlappingAnimationsOfOnePropertyBothFinish) {
    std::vector<bool> results;
    UIView::animate(
        1.0, [&] { view->setAlpha(0); }, [&](bool f) { results.push_back(f); });
    advance(0.5);
    UIView::animate(
        1.0, [&] { view->setAlpha(1); }, [&](bool f) { results.push_back(f); });
    advance(0.5);
    EXPECT_EQ(results, std::vector<bool>{true});
    advance(0.5);
    EXPECT_EQ(results, (std::vector<bool>{true, true}));
}

// MARK: Property animator

TEST_F(AnimationTest, StoppingAndFinishingAnAnimator) {
    std::vector<UIViewAnimatingPosition> positions;
    auto record = [&](UIViewAnimatingPosition p) { positions.push_back(p); };
    {
        auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::linear, [&] { view->setAlpha(0); });
        animator->addCompletion(record);
        animator->startAnimation();
        advance(0.25);
        animator->stopAnimation(true); // stays where it is, no completion
        advance(2);
        EXPECT_NEAR(view->alpha(), 0.75, 1e-9);
        EXPECT_TRUE(positions.empty());
    }
    {
        view->setAlpha(1);
        auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::linear, [&] { view->setAlpha(0); });
        animator->addCompletion(record);
        animator->startAnimation(0.5);
        advance(1);
        EXPECT_THAT(stderrOf([&] { animator->finishAnimation(UIViewAnimatingPosition::end); }),
                    ::testing::HasSubstr("needs a stopped animator"));
        animator->stopAnimation(false);
        animator->finishAnimation(UIViewAnimatingPosition::start);
        EXPECT_EQ(positions, std::vector<UIViewAnimatingPosition>{UIViewAnimatingPosition::start});
        EXPECT_DOUBLE_EQ(view->alpha(), 1);
    }
}

TEST_F(AnimationTest, AnimationsAddedWhileRunningApplyAtOnce) {
    auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::easeInOut);
    animator->addAnimations([&] { view->setAlpha(0.5); });
    animator->startAnimation();
    animator->addAnimations([&] { view->setCenter({0, 0}); });
    EXPECT_EQ(view->center(), (CGPoint{0, 0}));
    animator->stopAnimation(false);
    animator->finishAnimation(UIViewAnimatingPosition::start);
    // Both properties go back.
    EXPECT_EQ(view->center(), (CGPoint{50, 50}));
    EXPECT_DOUBLE_EQ(view->alpha(), 1);
}

} // namespace
