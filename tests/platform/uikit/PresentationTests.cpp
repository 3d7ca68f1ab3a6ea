#include "ControllerTestsSupport.hpp"

#include <gmock/gmock.h>

using namespace controllertests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

using PresentationTest = ControllerTest;

const std::vector<std::string> sequence = {"delegate.",      "pc.presentation", "pc.dismissal",
                                           "presented.view", "root.view",       "animator.",
                                           "alongside",      "coordinator.",    "completion"};

TEST_F(PresentationTest, AnimatedCustomPresentationRunsTheHooksInOrderAndEndsWithItsAnimator) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    int completions = 0;

    root->present(presented, true, [&] {
        log->push_back("completion");
        ++completions;
    });

    EXPECT_EQ(root->presentedViewController(), presented) << "linked as soon as the presentation starts";
    EXPECT_EQ(presented->presentingViewController(), root);
    EXPECT_TRUE(presented->isBeingPresented());
    EXPECT_TRUE(delegate->presentation->coordinatorDuringWillBegin);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("delegate.presentationController", "delegate.animationControllerForPresented",
                            "delegate.interactionControllerForPresentation", "presented.viewDidLoad",
                            "pc.presentationTransitionWillBegin", "presented.viewWillAppear(true)",
                            "animator.transitionDuration", "alongside", "animator.animateTransition"));
    const auto layoutHooks = only(*log, {"pc.container"});
    ASSERT_GE(layoutHooks.size(), 2u) << "the container is laid out before the animation";
    EXPECT_EQ(layoutHooks[0], "pc.containerViewWillLayoutSubviews");
    EXPECT_EQ(layoutHooks[1], "pc.containerViewDidLayoutSubviews");

    const auto container = delegate->presentation->containerView();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->window(), device->keyWindow());
    EXPECT_EQ(presented->view()->superview(), container);
    EXPECT_EQ(presented->view()->frame(), (CGRect{0, 422, 390, 422})) << "the model value is the final frame";
    EXPECT_EQ(root->view()->window(), device->keyWindow()) << "a custom presentation keeps the presenter's view";

    // The context gives the animator the views, frames and container of the presentation.
    const auto context = delegate->presentAnimator->lastContext;
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->viewController(UITransitionContextViewControllerKey::from), root);
    EXPECT_EQ(context->viewController(UITransitionContextViewControllerKey::to), presented);
    EXPECT_EQ(context->view(UITransitionContextViewKey::to), presented->view());
    EXPECT_EQ(context->view(UITransitionContextViewKey::from), nullptr)
        << "the presenter's view is not the animator's to move when it stays";
    EXPECT_EQ(context->containerView(), container);
    EXPECT_EQ(context->finalFrame(presented), (CGRect{0, 422, 390, 422}));
    EXPECT_EQ(context->initialFrame(presented), CGRect::zero());
    EXPECT_EQ(context->finalFrame(controller("stranger")), CGRect::zero());
    EXPECT_TRUE(context->isAnimated());
    EXPECT_FALSE(context->isInteractive());
    EXPECT_EQ(context->presentationStyle(), UIModalPresentationStyle::custom);

    log->clear();
    advance(RecordingAnimator::duration - 0.01);
    EXPECT_THAT(only(*log, sequence), IsEmpty()) << "the transition runs as long as its animator";
    EXPECT_EQ(completions, 0);

    advance(0.01);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("animator.completion(end)", "pc.presentationTransitionDidEnd(true)",
                            "presented.viewDidAppear(true)", "coordinator.completion(cancelled=false)",
                            "animator.animationEnded(true)", "completion"));
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(presented->isBeingPresented());
    EXPECT_EQ(presented->transitionCoordinator(), nullptr) << "the coordinator lives as long as the transition";
    EXPECT_EQ(presented->presentationController(), delegate->presentation);
    EXPECT_THAT(only(*log, {"root.viewWill", "root.viewDid"}), IsEmpty());

    EXPECT_THAT(stderrOf([&] { context->completeTransition(true); }), HasSubstr("already completed"));
    EXPECT_EQ(root->presentedViewController(), presented) << "a second completion changes nothing";
}

TEST_F(PresentationTest, CustomPresentationAndDismissalWithoutAnimationAskNoAnimatorAndCompleteAtOnce) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    bool completed = false;

    root->present(presented, false, [&] {
        log->push_back("completion");
        completed = true;
    });

    EXPECT_TRUE(completed) << "no animation: the completion runs before present returns";
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("delegate.presentationController", "presented.viewDidLoad",
                            "pc.presentationTransitionWillBegin", "presented.viewWillAppear(false)", "alongside",
                            "pc.presentationTransitionDidEnd(true)", "presented.viewDidAppear(false)",
                            "coordinator.completion(cancelled=false)", "completion"));
    EXPECT_EQ(presented->view()->superview(), delegate->presentation->containerView())
        << "the platform puts the presented view into the container";
    EXPECT_EQ(presented->view()->frame(), delegate->presentation->frameOfPresentedViewInContainerView());

    log->clear();
    completed = false;
    presented->dismiss(false, [&] { completed = true; });
    EXPECT_TRUE(completed);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("pc.dismissalTransitionWillBegin", "presented.viewWillDisappear(false)",
                            "pc.dismissalTransitionDidEnd(true)", "presented.viewDidDisappear(false)"));
    EXPECT_EQ(presented->view()->superview(), nullptr);
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(PresentationTest, AnimatedCustomDismissalEndsWithItsAnimatorAndUnlinks) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    root->present(presented, false);
    const auto container = delegate->presentation->containerView();
    log->clear();
    bool completed = false;

    root->dismiss(true, [&] {
        log->push_back("completion");
        completed = true;
    });
    EXPECT_TRUE(presented->isBeingDismissed());
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("delegate.animationControllerForDismissed", "delegate.interactionControllerForDismissal",
                            "pc.dismissalTransitionWillBegin", "presented.viewWillDisappear(true)",
                            "animator.transitionDuration", "animator.animateTransition"));
    EXPECT_EQ(root->presentedViewController(), presented) << "still presented while the animation runs";

    log->clear();
    advance(RecordingAnimator::duration);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("animator.completion(end)", "pc.dismissalTransitionDidEnd(true)",
                            "presented.viewDidDisappear(true)", "animator.animationEnded(true)", "completion"));
    EXPECT_TRUE(completed);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(presented->presentingViewController(), nullptr);
    EXPECT_EQ(presented->presentationController(), nullptr);
    EXPECT_FALSE(presented->isBeingDismissed());
    EXPECT_EQ(container->superview(), nullptr) << "the container leaves the window";
    EXPECT_EQ(presented->view()->window(), nullptr);

    bool again = false;
    root->present(presented, true, [&] { again = true; });
    advance(RecordingAnimator::duration);
    EXPECT_TRUE(again) << "the same view controller can be presented again";
}

TEST_F(PresentationTest, PresentationThatRemovesThePresenterGivesItsViewAndPutsItBack) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    delegate->removesPresenter = true;
    const auto rootView = root->view();
    const CGRect rootFrame = rootView->frame();

    root->present(presented, true);
    EXPECT_EQ(delegate->presentAnimator->lastContext->view(UITransitionContextViewKey::from), rootView);
    advance(RecordingAnimator::duration);
    EXPECT_THAT(only(*log, {"root.viewWill", "root.viewDid"}),
                ElementsAre("root.viewWillDisappear(true)", "root.viewDidDisappear(true)"));
    EXPECT_EQ(rootView->window(), nullptr) << "the presenter's view leaves the window";

    log->clear();
    root->dismiss(true);
    EXPECT_EQ(delegate->dismissAnimator->lastContext->view(UITransitionContextViewKey::to), rootView);
    advance(RecordingAnimator::duration);
    EXPECT_THAT(only(*log, {"root.viewWill", "root.viewDid", "presented.viewWill", "presented.viewDid"}),
                ElementsAre("presented.viewWillDisappear(true)", "root.viewWillAppear(true)",
                            "presented.viewDidDisappear(true)", "root.viewDidAppear(true)"));
    EXPECT_EQ(rootView->superview(), device->keyWindow());
    EXPECT_EQ(device->keyWindow()->subviews().front(), rootView) << "back where it was";
    EXPECT_EQ(rootView->frame(), rootFrame);
}

TEST_F(PresentationTest, PlatformStylesDecideWhereThePresentedViewRestsAndWhetherThePresenterDisappears) {
    using Style = UIModalPresentationStyle;
    struct Case {
        Style style;
        Style runsAs;
        bool presenterDisappears;
    };
    const Case cases[] = {
        {Style::automatic, Style::pageSheet, false},
        {Style::pageSheet, Style::pageSheet, false},
        {Style::fullScreen, Style::fullScreen, true},
        {Style::overFullScreen, Style::overFullScreen, false},
        {Style::overCurrentContext, Style::overCurrentContext, false},
        {Style::currentContext, Style::currentContext, true},
        {Style::custom, Style::custom, false}, // without a transitioning delegate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(rawValue(c.style));
        const auto presented = controller("presented");
        presented->setModalPresentationStyle(c.style);
        log->clear();
        bool completed = false;
        root->present(presented, true, [&] { completed = true; });
        advance(0.5);
        ASSERT_TRUE(completed) << "the platform's own animation takes half a second";
        EXPECT_EQ(presented->presentationController()->presentationStyle(), c.runsAs);
        EXPECT_EQ(presented->view()->window(), device->keyWindow());
        const CGRect sheet{0, 57, 390, 844 - 57};
        EXPECT_EQ(presented->view()->frame(), c.runsAs == Style::pageSheet ? sheet : device->keyWindow()->bounds())
            << "a sheet rests below the status bar";
        EXPECT_EQ(root->view()->window() == nullptr, c.presenterDisappears);
        EXPECT_EQ(only(*log, {"root.viewDidDisappear"}).size(), c.presenterDisappears ? 1u : 0u);

        completed = false;
        root->dismiss(true, [&] { completed = true; });
        advance(0.5);
        ASSERT_TRUE(completed);
        EXPECT_EQ(root->view()->window(), device->keyWindow());
        EXPECT_EQ(presented->view()->window(), nullptr);
        EXPECT_EQ(only(*log, {"root.viewDidAppear"}).size(), c.presenterDisappears ? 1u : 0u);
    }
}

TEST_F(PresentationTest, TransitioningDelegateIsHeldWeakly) {
    const auto presented = controller("presented");
    auto delegate = customDelegate(presented);
    const std::weak_ptr<RecordingDelegate> weak = delegate;
    EXPECT_EQ(presented->transitioningDelegate(), delegate);
    delegate.reset();
    EXPECT_TRUE(weak.expired()) << "the view controller does not keep its transitioning delegate";
    EXPECT_EQ(presented->transitioningDelegate(), nullptr);
    root->present(presented, false);
    EXPECT_EQ(root->presentedViewController(), presented);
}

TEST_F(PresentationTest, RefusedPresentationsPrintThePlatformMessagesAndChangeNothing) {
    const auto presented = controller("presented");
    const auto other = controller("other");
    root->present(presented, false);
    bool completed = false;
    const auto complete = [&] { completed = true; };

    struct Case {
        std::string name;
        std::function<void()> attempt;
        std::string message;
        bool whole = false; // the message is all that is printed
    };
    const auto detached = controller("detached");
    const auto child = controller("child");
    embed(root, child);
    const Case cases[] = {
        {"nil", [&] { other->present(nullptr, false, complete); },
         "Application tried to present a nil modal view controller on target " + other->description() + "."},
        {"already presented", [&] { other->present(presented, false, complete); },
         "that is already being presented by " + root->description() + "."},
        {"already presenting", [&] { root->present(other, false, complete); }, "which is already presenting"},
        {"child of a presenting one", [&] { child->present(other, false, complete); },
         "Attempt to present " + other->description() + " on " + root->description() + " (from " +
             child->description() + ") which is already presenting " + presented->description() + ".\n",
         true},
        {"child of the presenter", [&] { presented->present(child, false, complete); },
         "Application tried to present modally an active controller"},
        {"itself", [&] { presented->present(presented, false, complete); }, "already being presented by"},
        {"not in a window", [&] { detached->present(other, false, complete); },
         "whose view is not in the window hierarchy."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string printed = stderrOf(c.attempt);
        EXPECT_THAT(printed, c.whole ? ::testing::Matcher<std::string>(c.message) : HasSubstr(c.message));
        EXPECT_FALSE(completed) << "a refused presentation never completes";
    }
    EXPECT_EQ(root->presentedViewController(), presented);
    EXPECT_EQ(other->presentingViewController(), nullptr);
    EXPECT_EQ(presented->presentedViewController(), nullptr);
}

TEST_F(PresentationTest, DismissingWithNothingPresentedDoesNothingNotEvenTheCompletion) {
    bool completed = false;
    root->dismiss(true, [&] { completed = true; });
    controller("loose")->dismiss(false, [&] { completed = true; });
    advance(1);
    EXPECT_FALSE(completed);
    EXPECT_THAT(only(*log, sequence), IsEmpty());
}

TEST_F(PresentationTest, ChildrenPresentFromAndDismissThroughTheirOutermostAncestor) {
    const auto child = controller("child");
    embed(root, child);
    const auto presented = controller("presented");
    const auto inner = controller("inner");
    presented->addChild(inner);

    child->present(presented, false);
    EXPECT_EQ(root->presentedViewController(), presented) << "the outermost ancestor presents";
    EXPECT_EQ(child->presentedViewController(), presented) << "and children see it";
    EXPECT_EQ(presented->presentingViewController(), root);
    EXPECT_EQ(inner->presentingViewController(), root) << "children of the presented one see the presenter";

    bool completed = false;
    inner->dismiss(false, [&] { completed = true; });
    EXPECT_TRUE(completed) << "a child of the presented view controller dismisses it";
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(PresentationTest, DismissingFromBelowTakesTheWholeChainWithOneAnimation) {
    const auto first = controller("first");
    const auto second = controller("second");
    first->setModalPresentationStyle(UIModalPresentationStyle::fullScreen);
    second->setModalPresentationStyle(UIModalPresentationStyle::fullScreen);
    root->present(first, false);
    first->present(second, false);
    EXPECT_EQ(root->view()->window(), nullptr);
    EXPECT_EQ(first->view()->window(), nullptr);
    log->clear();
    int completions = 0;

    root->dismiss(true, [&] { ++completions; });
    EXPECT_THAT(only(*log, {"root.viewWill", "first.viewWill", "second.viewWill"}),
                ElementsAre("second.viewWillDisappear(true)", "root.viewWillAppear(true)"))
        << "the middle one had disappeared already";
    advance(0.49);
    EXPECT_EQ(completions, 0);
    advance(0.01);
    EXPECT_EQ(completions, 1);
    EXPECT_THAT(only(*log, {"root.viewDid", "first.viewDid", "second.viewDid"}),
                ElementsAre("second.viewDidDisappear(true)", "root.viewDidAppear(true)"));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(first->presentedViewController(), nullptr);
    EXPECT_EQ(second->presentingViewController(), nullptr);
    EXPECT_EQ(first->presentingViewController(), nullptr);
    EXPECT_EQ(device->keyWindow()->subviews().size(), 1u) << "only the root's view is left in the window";
    EXPECT_EQ(root->view()->window(), device->keyWindow());
}

TEST_F(PresentationTest, ARequestDuringATransitionWaitsForItsEnd) {
    const auto choice = controller("choice");
    const auto list = controller("list");
    root->present(choice, false);
    choice->present(list, false);
    bool listGone = false;
    bool choiceGone = false;

    list->dismiss(true, [&] { listGone = true; });
    root->dismiss(false, [&] { choiceGone = true; });
    EXPECT_FALSE(choiceGone) << "the second dismissal waits for the running one";
    EXPECT_EQ(root->presentedViewController(), choice);

    advance(0.5);
    EXPECT_TRUE(listGone);
    EXPECT_TRUE(choiceGone) << "then runs";
    EXPECT_EQ(root->presentedViewController(), nullptr);

    const auto next = controller("next");
    root->present(choice, true);
    bool nextShown = false;
    EXPECT_THAT(stderrOf([&] {
                    root->present(next, false, [&] { nextShown = true; });
                    advance(0.5);
                }),
                HasSubstr("which is already presenting"))
        << "a waiting request is checked when it runs";
    EXPECT_FALSE(nextShown);
}

TEST_F(PresentationTest, CoordinatorAnimatesAlongsideAndCompletesAfterAnyTransition) {
    const auto presented = controller("presented");
    presented->setModalPresentationStyle(UIModalPresentationStyle::overFullScreen);
    root->present(presented, true);
    const auto coordinator = presented->transitionCoordinator();
    ASSERT_NE(coordinator, nullptr);
    EXPECT_EQ(root->transitionCoordinator(), coordinator) << "the presenter shares the coordinator";

    const auto backdrop = UIView::make();
    bool ran = false;
    std::optional<bool> cancelled;
    EXPECT_TRUE(coordinator->animate(
        [&](const UIViewControllerTransitionCoordinatorContext& context) {
            ran = true;
            EXPECT_TRUE(UIView::isInAnimationBlock()) << "alongside runs inside the transition's animation";
            EXPECT_DOUBLE_EQ(context.transitionDuration(), 0.5);
            backdrop->setAlpha(0.25);
        },
        [&](const UIViewControllerTransitionCoordinatorContext& context) { cancelled = context.isCancelled(); }));
    EXPECT_TRUE(ran) << "registered after the start, it runs at once";
    EXPECT_DOUBLE_EQ(backdrop->alpha(), 0.25);
    EXPECT_FALSE(cancelled.has_value());

    advance(0.5);
    ASSERT_TRUE(cancelled.has_value());
    EXPECT_FALSE(*cancelled);
    EXPECT_EQ(presented->transitionCoordinator(), nullptr);
    EXPECT_FALSE(coordinator->animate([](const UIViewControllerTransitionCoordinatorContext&) {},
                                      [](const UIViewControllerTransitionCoordinatorContext&) {}))
        << "nothing is kept once the transition is over";
}

} // namespace
