#include "ControllerTestsSupport.hpp"

#include <gmock/gmock.h>

#include <optional>

using namespace controllertests;
using ::testing::ElementsAre;

namespace {

const std::vector<std::string> events = {"pc.dismissal",      "pc.presentation", "presented.viewWill",
                                         "presented.viewDid", "animator.",       "completion"};

class TransitionInteractiveTest : public ControllerTest {
protected:
    // Presents `presented` without animation through a custom delegate whose dismissal is
    // interactive.
    std::shared_ptr<RecordingDelegate>
    presentWithInteractiveDismissal(const std::shared_ptr<UIViewController>& presented,
                                    bool offersInterruptible = true) {
        auto delegate = customDelegate(presented);
        delegate->offersInterruptible = offersInterruptible;
        delegate->dismissInteraction = std::make_shared<UIPercentDrivenInteractiveTransition>();
        root->present(presented, false);
        log->clear();
        return delegate;
    }
};

TEST_F(TransitionInteractiveTest, InteractiveDismissalFollowsTheGestureAndFinishes) {
    const auto presented = controller("presented");
    const auto delegate = presentWithInteractiveDismissal(presented);
    const auto interaction = delegate->dismissInteraction;
    bool completed = false;

    root->dismiss(true, [&] {
        log->push_back("completion");
        completed = true;
    });
    const auto context = delegate->dismissAnimator->lastContext;
    ASSERT_NE(context, nullptr);
    EXPECT_TRUE(context->isInteractive());
    EXPECT_THAT(only(*log, events), ElementsAre("pc.dismissalTransitionWillBegin", "presented.viewWillDisappear(true)",
                                                "animator.interruptibleAnimator"))
        << "an interactive transition uses the interruptible animator, not animateTransition";
    const auto animator = delegate->dismissAnimator->current;
    ASSERT_NE(animator, nullptr);
    EXPECT_FALSE(animator->isRunning()) << "paused until the gesture ends";

    interaction->updateInteractiveTransition(0.4);
    EXPECT_DOUBLE_EQ(animator->fractionComplete(), 0.4);
    EXPECT_DOUBLE_EQ(interaction->percentComplete(), 0.4);
    EXPECT_DOUBLE_EQ(std::dynamic_pointer_cast<UIViewControllerTransitionContext>(context)->percentComplete(), 0.4);
    interaction->updateInteractiveTransition(7);
    EXPECT_DOUBLE_EQ(animator->fractionComplete(), 1) << "progress is clamped";
    interaction->updateInteractiveTransition(0.5);
    advance(5);
    EXPECT_FALSE(completed) << "time alone does not end an interactive transition";

    log->clear();
    interaction->finishInteractiveTransition();
    EXPECT_FALSE(context->isInteractive());
    EXPECT_FALSE(context->transitionWasCancelled());
    advance(RecordingAnimator::duration * 0.5 - 0.01);
    EXPECT_FALSE(completed) << "the rest takes the share of the duration that is left";
    advance(0.01);
    EXPECT_TRUE(completed);
    EXPECT_THAT(only(*log, events),
                ElementsAre("animator.completion(end)", "pc.dismissalTransitionDidEnd(true)",
                            "presented.viewDidDisappear(true)", "animator.animationEnded(true)", "completion"));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(TransitionInteractiveTest, CancelledInteractiveDismissalLeavesThePresentationInPlace) {
    const auto presented = controller("presented");
    const auto delegate = presentWithInteractiveDismissal(presented);
    const auto interaction = delegate->dismissInteraction;
    const auto view = presented->view();
    const CGRect restingFrame = view->frame();
    bool completed = false;

    root->dismiss(true, [&] { completed = true; });
    const auto context = delegate->dismissAnimator->lastContext;
    interaction->updateInteractiveTransition(0.2);
    interaction->cancelInteractiveTransition();
    EXPECT_TRUE(context->transitionWasCancelled());
    advance(RecordingAnimator::duration);

    EXPECT_FALSE(completed) << "a cancelled dismissal does not call the completion";
    EXPECT_THAT(only(*log, events), ElementsAre("pc.dismissalTransitionWillBegin", "presented.viewWillDisappear(true)",
                                                "animator.interruptibleAnimator", "animator.completion(start)",
                                                "pc.dismissalTransitionDidEnd(false)", "presented.viewWillAppear(true)",
                                                "presented.viewDidAppear(true)", "animator.animationEnded(false)"));
    EXPECT_EQ(root->presentedViewController(), presented);
    EXPECT_EQ(presented->presentingViewController(), root);
    EXPECT_FALSE(presented->isBeingDismissed());
    EXPECT_TRUE(presented->isAppeared());
    EXPECT_EQ(view->superview(), delegate->presentation->containerView());
    EXPECT_EQ(view->frame(), restingFrame) << "the reversed animator put the view back";

    log->clear();
    interaction->setWantsInteractiveStart(false);
    completed = false;
    root->dismiss(true, [&] { completed = true; });
    EXPECT_THAT(only(*log, {"animator."}), ElementsAre("animator.transitionDuration", "animator.animateTransition"))
        << "without an interactive start the dismissal plays as an ordinary animation";
    advance(RecordingAnimator::duration);
    EXPECT_TRUE(completed);
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(TransitionInteractiveTest, AnimatorWithoutInterruptibleAnimatorRunsWhenTheGestureFinishes) {
    const auto presented = controller("presented");
    const auto delegate = presentWithInteractiveDismissal(presented, false);
    bool completed = false;

    root->dismiss(true, [&] { completed = true; });
    delegate->dismissInteraction->updateInteractiveTransition(0.3);
    EXPECT_THAT(only(*log, {"animator."}), ElementsAre("animator.interruptibleAnimator"));
    delegate->dismissInteraction->finishInteractiveTransition();
    EXPECT_THAT(only(*log, {"animator."}), ElementsAre("animator.interruptibleAnimator", "animator.animateTransition"));
    advance(RecordingAnimator::duration);
    EXPECT_TRUE(completed);

    root->present(presented, false);
    log->clear();
    completed = false;
    root->dismiss(true, [&] { completed = true; });
    delegate->dismissInteraction->cancelInteractiveTransition();
    EXPECT_THAT(only(*log, {"animator.", "pc.dismissalTransitionDidEnd"}),
                ElementsAre("animator.interruptibleAnimator", "pc.dismissalTransitionDidEnd(false)",
                            "animator.animationEnded(false)"))
        << "cancelled before it ran, the animator never runs";
    EXPECT_FALSE(completed);
    EXPECT_EQ(root->presentedViewController(), presented);
}

TEST_F(TransitionInteractiveTest, CancelledInteractivePresentationUnlinks) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    delegate->presentInteraction = std::make_shared<UIPercentDrivenInteractiveTransition>();
    bool completed = false;

    root->present(presented, true, [&] { completed = true; });
    EXPECT_EQ(root->presentedViewController(), presented);
    const auto container = delegate->presentation->containerView();
    ASSERT_NE(container, nullptr);
    delegate->presentInteraction->updateInteractiveTransition(0.6);
    delegate->presentInteraction->cancelInteractiveTransition();
    advance(RecordingAnimator::duration);

    EXPECT_FALSE(completed);
    EXPECT_THAT(only(*log, {"pc.presentationTransitionDidEnd", "presented.viewWill", "presented.viewDidAppear",
                            "presented.viewDidDisappear", "coordinator."}),
                ElementsAre("presented.viewWillAppear(true)", "pc.presentationTransitionDidEnd(false)",
                            "presented.viewWillDisappear(true)", "presented.viewDidDisappear(true)",
                            "coordinator.completion(cancelled=true)"));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(presented->presentingViewController(), nullptr);
    EXPECT_EQ(presented->presentationController(), nullptr);
    EXPECT_EQ(container->superview(), nullptr);
    EXPECT_EQ(delegate->presentation->containerView(), nullptr);

    bool shown = false;
    root->present(presented, false, [&] { shown = true; });
    EXPECT_TRUE(shown) << "the window is free for the next transition";
}

TEST_F(TransitionInteractiveTest, AlongsideAnimationsJoinTheInterruptibleAnimator) {
    const auto presented = controller("presented");
    const auto delegate = presentWithInteractiveDismissal(presented);
    const auto backdrop = UIView::make({0, 0, 10, 10});
    backdrop->setAlpha(1);

    root->dismiss(true);
    presented->transitionCoordinator()->animate(
        [&](const UIViewControllerTransitionCoordinatorContext&) { backdrop->setAlpha(0); }, {});
    const auto animator = delegate->dismissAnimator->current;
    delegate->dismissInteraction->updateInteractiveTransition(0.5);
    delegate->dismissInteraction->cancelInteractiveTransition();
    advance(RecordingAnimator::duration);
    EXPECT_DOUBLE_EQ(backdrop->alpha(), 1) << "reversed with the animator it joined";
}

TEST_F(TransitionInteractiveTest, InteractionControllerCallsOutsideATransitionDoNothing) {
    UIPercentDrivenInteractiveTransition interaction;
    interaction.updateInteractiveTransition(0.5);
    interaction.finishInteractiveTransition();
    interaction.cancelInteractiveTransition();
    interaction.pauseInteractiveTransition();
    EXPECT_DOUBLE_EQ(interaction.percentComplete(), 0);
    EXPECT_DOUBLE_EQ(interaction.duration(), 0);
}

} // namespace
