#include "PanelTestSupport.hpp"

#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "sdk/panel/ModalTransition.hpp"
#include "sdk/panel/PassthroughView.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"

#include <gmock/gmock.h>

using namespace paneltests;
using ::testing::ElementsAre;
using uikit::UIViewController;
using uikit::UIViewControllerTransitionContext;
using vyd::SlidePanelController;
using vyd::SlidePanelState;

namespace {

class ModalTransitionTest : public PanelTest {
protected:
    // A web panel of the factory, presented with animation and come to rest at full.
    std::shared_ptr<SlidePanelController> presentedWebPanel(vyd::SlidePanelFactory::PanelBehavior behavior) {
        const auto panel =
            vyd::SlidePanelFactory().createSlidePanel(vyd::SlidePanelFactory::PanelStyle::web, behavior, delegate);
        root->present(panel, true);
        advance(1);
        settle();
        return panel;
    }
};
using ModalTransitionDeathTest = PanelTest;

std::shared_ptr<UIViewControllerTransitionContext> contextFor(const std::shared_ptr<UIViewController>& from,
                                                              const std::shared_ptr<UIViewController>& to,
                                                              bool* completed = nullptr) {
    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = from;
    parameters.toViewController = to;
    parameters.containerView = uikit::UIView::make({0, 0, 390, 844});
    parameters.onComplete = [completed](bool didComplete) {
        if (completed) {
            *completed = didComplete;
        }
    };
    return UIViewControllerTransitionContext::make(std::move(parameters));
}

TEST_F(ModalTransitionTest, AnimatedPresentationEndsWhenThePanelReachesItsInitialState) {
    const auto panel = SlidePanelController::make(delegate);
    bool presented = false;
    root->present(panel, true, [&] { presented = true; });

    // The panel's view is in the container before the animation runs.
    const auto container = panel->presentationController()->containerView();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(panel->view()->superview(), container);
    EXPECT_EQ(panel->view()->frame(), container->bounds());
    EXPECT_NE(std::dynamic_pointer_cast<vyd::PresentationController>(panel->presentationController()), nullptr);
    ASSERT_NE(panel->transitionAnimator(), nullptr);
    EXPECT_TRUE(panel->transitionAnimator()->isRunning());
    EXPECT_TRUE(panel->isTransitionAnimatorSuspended());

    advance(SlidePanelController::presentingDuration - 0.02);
    EXPECT_FALSE(presented);
    advance(0.03);
    settle();
    EXPECT_TRUE(presented);
    EXPECT_FALSE(panel->isTransitionAnimatorSuspended());
    EXPECT_EQ(panel->transitionAnimator(), nullptr);
    EXPECT_EQ(panel->state(), SlidePanelState::half());
    EXPECT_EQ(panel->surfaceLocation().y, halfTop);
    EXPECT_EQ(root->presentedViewController(), panel);
    EXPECT_THAT(delegate->log, ElementsAre("move:half"));
}

TEST_F(ModalTransitionTest, PresentationAndDismissalWithAndWithoutAnimation) {
    for (const bool animated : {false, true}) {
        SCOPED_TRACE(animated);
        delegate->log.clear();
        const auto panel = SlidePanelController::make(delegate);
        bool presented = false;
        root->present(panel, animated, [&] { presented = true; });
        if (animated) {
            advance(1);
        }
        settle();
        EXPECT_TRUE(presented);
        EXPECT_EQ(panel->state(), SlidePanelState::half());
        EXPECT_EQ(panel->surfaceLocation().y, halfTop);
        EXPECT_NE(panel->view()->window(), nullptr);

        bool dismissed = false;
        panel->dismiss(animated, [&] { dismissed = true; });
        advance(1);
        settle();
        EXPECT_TRUE(dismissed);
        EXPECT_EQ(panel->state(), SlidePanelState::hidden());
        EXPECT_EQ(panel->view()->superview(), nullptr);
        EXPECT_EQ(root->presentedViewController(), nullptr);
        EXPECT_EQ(panel->transitionAnimator(), nullptr);
        // A plain dismissal is not a removal.
        EXPECT_THAT(delegate->log, ElementsAre("move:half", "move:hidden"));
    }
}

TEST_F(ModalTransitionTest, BackdropTapRemovesAPresentedFactoryPanel) {
    const auto panel = presentedWebPanel(vyd::SlidePanelFactory::PanelBehavior::default_);
    ASSERT_EQ(panel->state(), SlidePanelState::full());
    EXPECT_NEAR(panel->backdropView()->alpha(), 0.3, 1e-9);

    // Above the surface, on the dimmed screen.
    const auto hit = ::testing::SimulatedUser::tap(panel->backdropView(), {195, 30});
    EXPECT_EQ(hit, panel->backdropView());
    EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:full"));
    advance(1);
    settle();
    EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:full", "didRemove:hidden"));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(panel->view()->superview(), nullptr);
}

TEST_F(ModalTransitionTest, DownwardFlickRemovesAPresentedPanelWithTheDelegateCallsInOrder) {
    const auto panel = presentedWebPanel(vyd::SlidePanelFactory::PanelBehavior::noDrag);
    delegate->log.clear();

    // A slow pull springs back: this panel cannot change state by drag.
    drag(*panel, 200, 100);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::full());
    EXPECT_TRUE(delegate->removals().empty());

    delegate->log.clear();
    drag(*panel, 120, 6000);
    advance(1);
    settle();
    EXPECT_THAT(delegate->log, ElementsAre("move:full", "willRemove:full", "move:hidden", "didRemove:hidden"));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(ModalTransitionTest, TouchesAroundThePanelReachThePresentingScreen) {
    int taps = 0;
    const auto button = uikit::UIView::make({20, 100, 120, 44});
    button->addGestureRecognizer(uikit::UITapGestureRecognizer::make([&](uikit::UIGestureRecognizer&) { ++taps; }));
    root->view()->addSubview(button);
    const auto panel = presentedPanel();
    const auto passthrough = std::dynamic_pointer_cast<vyd::PassthroughView>(panel->view());
    ASSERT_NE(passthrough, nullptr);
    EXPECT_EQ(passthrough->eventForwardingView(), root->view());
    EXPECT_EQ(::testing::SimulatedUser::tap(button), button);
    EXPECT_EQ(taps, 1);
}

TEST_F(ModalTransitionTest, ContainerLayoutLeavesAPanelThatPresentsAnotherAlone) {
    const auto lower = presentedPanel();
    const auto container = lower->presentationController()->containerView();
    const auto upper = SlidePanelController::make();
    lower->present(upper, false);
    settle();

    lower->view()->setFrame({0, 0, 10, 10});
    container->setNeedsLayout();
    container->layoutIfNeeded();
    EXPECT_EQ(lower->view()->frame(), uikit::CGRect(0, 0, 10, 10));
    EXPECT_EQ(lower->view()->superview(), container);

    upper->dismiss(false);
    settle();
    container->setNeedsLayout();
    container->layoutIfNeeded();
    EXPECT_EQ(lower->view()->frame(), container->bounds()) << "put back in place once it presents nothing";
}

TEST_F(ModalTransitionTest, AskingTwiceForTheAnimatorStartsTheMoveOnce) {
    class Counting : public vyd::SlidePanelPresentingAnimatorDelegate {
    public:
        std::shared_ptr<uikit::UIViewPropertyAnimator>
        slidePanelAnimatorForPresenting(const std::shared_ptr<SlidePanelController>&,
                                        const vyd::SlidePanelStateRef&) override {
            ++asked;
            return nullptr;
        }
        int asked = 0;
    };
    auto counting = std::make_shared<Counting>();
    const auto panel = SlidePanelController::make(counting);
    bool completed = false;
    const auto context = contextFor(root, panel, &completed);
    vyd::ModalPresentTransition transition;
    EXPECT_EQ(transition.transitionDuration(context), SlidePanelController::presentingDuration);
    EXPECT_EQ(counting->asked, 1);
    const auto first = transition.interruptibleAnimator(context);
    const auto second = transition.interruptibleAnimator(context);
    EXPECT_EQ(first, second);
    EXPECT_EQ(counting->asked, 2) << "one move";
    EXPECT_EQ(first->state(), uikit::UIViewAnimatingState::inactive) << "the platform starts it";
    transition.animateTransition(context);
    EXPECT_TRUE(first->isRunning());
    advance(1);
    EXPECT_TRUE(completed);
    EXPECT_FALSE(panel->isTransitionAnimatorSuspended());
}

TEST_F(ModalTransitionDeathTest, PresentingAPanelThatIsNotHiddenStops) {
    const auto panel = SlidePanelController::make();
    panel->move(SlidePanelState::half(), false);
    EXPECT_DEATH(root->present(panel, true), "Fatal error: The panel state must be `hidden` but it is `half`");
}

TEST_F(ModalTransitionDeathTest, TransitionPartsServePanelsOnly) {
    const auto plain = UIViewController::make();
    const auto context = contextFor(root, plain);
    const auto reversed = contextFor(plain, root);
    // The fatal error's own line, not any crash.
    const char* const fatal = "Fatal error: \n";
    EXPECT_DEATH(vyd::ModalPresentTransition().transitionDuration(nullptr), fatal);
    EXPECT_DEATH(vyd::ModalPresentTransition().transitionDuration(context), fatal);
    EXPECT_DEATH(vyd::ModalPresentTransition().interruptibleAnimator(context), fatal);
    EXPECT_DEATH(vyd::ModalPresentTransition().animateTransition(context), fatal);
    EXPECT_DEATH(vyd::ModalDismissTransition().transitionDuration(reversed), fatal);
    EXPECT_DEATH(vyd::ModalDismissTransition().interruptibleAnimator(reversed), fatal);
    // A plain view controller presented through a panel's transition.
    auto transition = std::make_shared<vyd::ModalTransition>();
    plain->setModalPresentationStyle(uikit::UIModalPresentationStyle::custom);
    plain->setTransitioningDelegate(transition);
    EXPECT_DEATH(root->present(plain, false), fatal);
}

} // namespace
