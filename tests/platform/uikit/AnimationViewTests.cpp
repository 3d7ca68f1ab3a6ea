#include "UIKitTestSupport.hpp"

#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include <cmath>
#include <memory>
#include <optional>
#include <string>
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
    EXPECT_DOUBLE_EQ(view->alpha(), 0.5);
    const auto keys = view->layer()->animationKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "position"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "opacity"), keys.end());
    EXPECT_EQ(std::find(keys.begin(), keys.end(), "bounds"), keys.end()); // the size did not change

    advance(0.49);
    EXPECT_FALSE(finished.has_value());
    advance(0.01);
    ASSERT_TRUE(finished.has_value());
    EXPECT_TRUE(*finished);
    EXPECT_TRUE(view->layer()->animationKeys().empty());
}

TEST_F(AnimationTest, CompletionComesAfterDelayAndDurationEvenWithNothingToAnimate) {
    struct Case {
        double duration;
        double delay;
        bool changes;
    };
    for (const Case& c :
         std::vector<Case>{{0, 0, false}, {0, 0, true}, {0.25, 0, false}, {0, 0.5, false}, {1.0, 0.5, false}}) {
        SCOPED_TRACE(testing::Message() << c.duration << " + " << c.delay << (c.changes ? " changing" : ""));
        view->setAlpha(1);
        std::optional<bool> finished;
        // Setting a value to what it already is animates nothing; neither does a duration of 0.
        UIView::animate(
            c.duration, c.delay, UIViewAnimationOptions::none, [&] { view->setAlpha(c.changes ? 0.5 : 1); },
            [&](bool f) { finished = f; });
        EXPECT_DOUBLE_EQ(view->alpha(), c.changes ? 0.5 : 1);
        EXPECT_TRUE(view->layer()->animationKeys().empty());
        EXPECT_FALSE(finished.has_value()); // never synchronously
        if (c.duration + c.delay > 0) {
            advance(c.duration + c.delay - 0.001);
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

TEST_F(AnimationTest, LayoutInsideAnAnimationBlockIsAnimated) {
    auto bar = UIView::make();
    bar->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(bar);
    auto top = bar->topAnchor().constraintEqualTo(root->bottomAnchor());
    NSLayoutConstraint::activate({top, bar->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 8),
                                  bar->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -8),
                                  bar->heightAnchor().constraintEqualToConstant(52)});
    root->layoutIfNeeded();
    EXPECT_EQ(bar->frame().origin.y, 480);

    bool done = false;
    top->setConstant(-8 - 52);
    UIView::animate(
        0.25, 0, UIViewAnimationOptions::curveEaseOut, [&] { root->layoutIfNeeded(); }, [&](bool) { done = true; });
    EXPECT_EQ(bar->frame().origin.y, 480 - 60);
    ASSERT_NE(bar->layer()->animation("position"), nullptr);
    advance(0.25);
    EXPECT_TRUE(done);
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

TEST_F(AnimationTest, AnimatorAppliesEndValuesOnStartAndCompletesAtTheEnd) {
    std::vector<UIViewAnimatingPosition> positions;
    auto animator = UIViewPropertyAnimator::make(0.75, CGFloat(0.9), [&] { view->setFrame({0, 380, 100, 100}); });
    animator->addCompletion([&](UIViewAnimatingPosition p) { positions.push_back(p); });
    EXPECT_EQ(animator->state(), UIViewAnimatingState::inactive);
    EXPECT_EQ(view->frame().origin.y, 0); // nothing before it starts

    animator->startAnimation();
    std::weak_ptr<UIViewPropertyAnimator> weak = animator;
    animator.reset(); // a running animator keeps itself
    ASSERT_FALSE(weak.expired());
    EXPECT_EQ(view->frame().origin.y, 380);
    EXPECT_EQ(weak.lock()->state(), UIViewAnimatingState::active);
    EXPECT_TRUE(weak.lock()->isRunning());
    advance(0.375);
    EXPECT_NEAR(weak.lock()->fractionComplete(), 0.5, 1e-9);
    advance(0.375);
    EXPECT_EQ(positions, std::vector<UIViewAnimatingPosition>{UIViewAnimatingPosition::end});
    EXPECT_TRUE(weak.expired());
}

TEST_F(AnimationTest, AnimatorPausesScrubsAndContinues) {
    std::vector<UIViewAnimatingPosition> positions;
    auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::linear, [&] {
        view->setCenter({50, 450});
    });
    animator->addCompletion([&](UIViewAnimatingPosition p) { positions.push_back(p); });
    animator->startAnimation();
    advance(0.4);
    animator->pauseAnimation();
    EXPECT_FALSE(animator->isRunning());
    EXPECT_NEAR(animator->fractionComplete(), 0.4, 1e-9);
    advance(5); // paused: time does not move it
    EXPECT_NEAR(animator->fractionComplete(), 0.4, 1e-9);
    EXPECT_TRUE(positions.empty());

    animator->setFractionComplete(0.8);
    EXPECT_NEAR(animator->fractionComplete(), 0.8, 1e-9);
    animator->continueAnimation(nullptr, 1);
    advance(0.19);
    EXPECT_TRUE(positions.empty());
    advance(0.01);
    EXPECT_EQ(positions, std::vector<UIViewAnimatingPosition>{UIViewAnimatingPosition::end});
    EXPECT_EQ(view->center(), (CGPoint{50, 450}));
}

TEST_F(AnimationTest, ReversedAnimatorReturnsToTheStart) {
    std::vector<UIViewAnimatingPosition> positions;
    auto animator = UIViewPropertyAnimator::make(0.75, CGFloat(0.9), [&] { view->setFrame({0, 380, 100, 100}); });
    animator->addCompletion([&](UIViewAnimatingPosition p) { positions.push_back(p); });
    // An interactive drive: inactive → paused by setting a fraction.
    animator->setFractionComplete(0.2);
    EXPECT_EQ(animator->state(), UIViewAnimatingState::active);
    EXPECT_EQ(view->frame().origin.y, 380);
    animator->setReversed(true);
    animator->continueAnimation(nullptr, 1);
    advance(0.75 * 0.2 - 0.001);
    EXPECT_TRUE(positions.empty());
    advance(0.001);
    EXPECT_EQ(positions, std::vector<UIViewAnimatingPosition>{UIViewAnimatingPosition::start});
    EXPECT_EQ(view->frame().origin.y, 0);
    EXPECT_EQ(animator->state(), UIViewAnimatingState::inactive);
}

TEST_F(AnimationTest, StoppingAndFinishingAnAnimator) {
    std::vector<UIViewAnimatingPosition> positions;
    auto record = [&](UIViewAnimatingPosition p) { positions.push_back(p); };
    {
        auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::linear, [&] { view->setAlpha(0); });
        animator->addCompletion(record);
        animator->startAnimation();
        advance(0.25);
        animator->stopAnimation(true); // stays where it is, no completion
        EXPECT_EQ(animator->state(), UIViewAnimatingState::inactive);
        EXPECT_NEAR(view->alpha(), 0.75, 1e-9);
        advance(2);
        EXPECT_TRUE(positions.empty());
    }
    {
        view->setAlpha(1);
        auto animator = UIViewPropertyAnimator::make(1.0, UIViewAnimationCurve::linear, [&] { view->setAlpha(0); });
        animator->addCompletion(record);
        animator->startAnimation(0.5);
        advance(0.5); // the delay
        EXPECT_NEAR(animator->fractionComplete(), 0, 1e-9);
        advance(0.5);
        EXPECT_THAT(stderrOf([&] { animator->finishAnimation(UIViewAnimatingPosition::end); }),
                    ::testing::HasSubstr("needs a stopped animator"));
        animator->stopAnimation(false);
        EXPECT_EQ(animator->state(), UIViewAnimatingState::stopped);
        animator->finishAnimation(UIViewAnimatingPosition::start);
        EXPECT_EQ(positions, std::vector<UIViewAnimatingPosition>{UIViewAnimatingPosition::start});
        EXPECT_DOUBLE_EQ(view->alpha(), 1);
        EXPECT_EQ(animator->state(), UIViewAnimatingState::inactive);
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
