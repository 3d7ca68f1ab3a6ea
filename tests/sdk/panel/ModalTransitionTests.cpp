#include "PanelTestSupport.hpp"

#include "platform/uikit/UIPresentationController.hpp"
#include "sdk/panel/ModalTransition.hpp"
#include "sdk/panel/PassthroughView.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"

#include <gmock/gmock.h>

using namespace paneltests;
using ::testing::ElementsAre;
using namespace uikit;
using namespace vyd;

namespace {

using ModalTransitionTest = PanelTest;
using ModalTransitionDeathTest = PanelTest;

std::shared_ptr<UIViewControllerTransitionContext> contextFor(const std::shared_ptr<UIViewController>& from,
                                                              const std::shared_ptr<UIViewController>& to,
                                                              std::function<void(bool)> onComplete = {}) {
    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = from;
    parameters.toViewController = to;
    parameters.containerView = UIView::make({0, 0, 390, 844});
    parameters.onComplete = std::move(onComplete);
    return UIViewControllerTransitionContext::make(std::move(parameters));
}

TEST_F(ModalTransitionTest, PresentationAndDismissalWithAndWithoutAnimation) {
    for (const bool animated : {true, false}) {
        SCOPED_TRACE(animated);
        delegate->log.clear();
        const auto panel = SlidePanelController::make(delegate);
        bool presented = false;
        root->present(panel, animated, [&] { presented = true; });
        const auto container = panel->presentationController()->containerView();
        ASSERT_NE(container, nullptr);
        EXPECT_EQ(panel->view()->superview(), container) << "in place before any animation runs";
        if (animated) {
            EXPECT_TRUE(panel->transitionAnimator()->isRunning());
            EXPECT_TRUE(panel->isTransitionAnimatorSuspended());
            advance(SlidePanelController::presentingDuration - 0.02);
            EXPECT_FALSE(presented) << "the transition ends when the panel's move does";
            advance(0.03);
        }
        settle();
        EXPECT_TRUE(presented);
        EXPECT_FALSE(panel->isTransitionAnimatorSuspended());
        EXPECT_EQ(panel->transitionAnimator(), nullptr);
        EXPECT_EQ(panel->state(), SlidePanelState::half());
        EXPECT_EQ(panel->surfaceLocation().y, halfTop);

        bool dismissed = false;
        panel->dismiss(animated, [&] { dismissed = true; });
        advance(1);
        settle();
        EXPECT_TRUE(dismissed);
        EXPECT_EQ(panel->view()->superview(), nullptr);
        EXPECT_EQ(root->presentedViewController(), nullptr);
        // A plain dismissal is not a removal.
        EXPECT_THAT(delegate->log, ElementsAre("move:half", "move:hidden"));
    }
}

TEST_F(ModalTransitionTest, BackdropTapOrDownwardFlickRemovesAPresentedFactoryPanel) {
    using Behavior = SlidePanelFactory::PanelBehavior;
    for (const auto behavior : {Behavior::default_, Behavior::noDrag}) {
        const auto panel = SlidePanelFactory().createSlidePanel(SlidePanelFactory::PanelStyle::web, behavior, delegate);
        root->present(panel, true);
        advance(1);
        settle();
        ASSERT_EQ(panel->state(), SlidePanelState::full());
        delegate->log.clear();
        if (behavior == Behavior::default_) {
            // Above the surface, on the dimmed screen.
            EXPECT_EQ(::testing::SimulatedUser::tap(panel->backdropView(), {195, 30}), panel->backdropView());
        } else {
            drag(*panel, 200, 100); // a slow pull springs back: this panel cannot change state by drag
            advance(2);
            EXPECT_EQ(panel->state(), SlidePanelState::full());
            EXPECT_TRUE(delegate->removals().empty());
            drag(*panel, 120, 6000);
        }
        EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:full"));
        advance(1);
        settle();
        EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:full", "didRemove:hidden"));
        EXPECT_EQ(root->presentedViewController(), nullptr);
        EXPECT_EQ(panel->view()->superview(), nullptr);
    }
}

TEST_F(ModalTransitionTest, ContainerLayoutLeavesAPanelThatPresentsAnotherAlone) {
    const auto lower = presentedPanel();
    const auto container = lower->presentationController()->containerView();
    // Touches around the panel reach the presenting screen.
    EXPECT_EQ(std::dynamic_pointer_cast<PassthroughView>(lower->view())->eventForwardingView(), root->view());
    const auto upper = SlidePanelController::make();
    lower->present(upper, false);
    settle();

    lower->view()->setFrame({0, 0, 10, 10});
    container->setNeedsLayout();
    container->layoutIfNeeded();
    EXPECT_EQ(lower->view()->frame(), CGRect(0, 0, 10, 10));
    EXPECT_EQ(lower->view()->superview(), container);

    upper->dismiss(false);
    settle();
    container->setNeedsLayout();
    container->layoutIfNeeded();
    EXPECT_EQ(lower->view()->frame(), container->bounds()) << "put back in place once it presents nothing";
}

TEST_F(ModalTransitionTest, AskingTwiceForTheAnimatorStartsTheMoveOnce) {
    const auto panel = SlidePanelController::make(delegate);
    bool completed = false;
    const auto context = contextFor(root, panel, [&completed](bool didComplete) { completed = didComplete; });
    ModalPresentTransition transition;
    const auto first = transition.interruptibleAnimator(context);
    EXPECT_EQ(transition.interruptibleAnimator(context), first);
    EXPECT_EQ(panel->transitionAnimator(), first) << "one move";
    EXPECT_EQ(first->state(), UIViewAnimatingState::inactive) << "the platform starts it";
    transition.animateTransition(context);
    EXPECT_TRUE(first->isRunning());
    advance(1);
    EXPECT_TRUE(completed);
    EXPECT_FALSE(panel->isTransitionAnimatorSuspended());
}

TEST_F(ModalTransitionDeathTest, PresentingAPanelThatIsNotHiddenOrAPlainControllerStops) {
    const auto panel = SlidePanelController::make();
    panel->move(SlidePanelState::half(), false);
    EXPECT_DEATH(root->present(panel, true), "Fatal error: The panel state must be `hidden` but it is `half`");
    const auto plain = UIViewController::make();
    // The fatal error's own line, not any crash.
    EXPECT_DEATH(ModalPresentTransition().transitionDuration(contextFor(root, plain)), "Fatal error: \n");
}

} // namespace
