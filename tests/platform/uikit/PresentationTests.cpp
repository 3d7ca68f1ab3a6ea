#include "ControllerTestsSupport.hpp"

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>

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
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("delegate.presentationController", "delegate.animationControllerForPresented",
                            "delegate.interactionControllerForPresentation", "presented.viewDidLoad",
                            "pc.presentationTransitionWillBegin", "presented.viewWillAppear(true)",
                            "animator.transitionDuration", "alongside", "animator.animateTransition"));

    const auto container = delegate->presentation->containerView();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(presented->view()->frame(), (CGRect{0, 422, 390, 422})) << "the model value is the final frame";
    EXPECT_EQ(root->view()->window(), device->keyWindow()) << "a custom presentation keeps the presenter's view";

    // The context gives the animator the views, frames and container of the presentation.
    const auto context = delegate->presentAnimator->lastContext;
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->view(UITransitionContextViewKey::from), nullptr)
        << "the presenter's view is not the animator's to move when it stays";
    EXPECT_EQ(context->containerView(), container);

    log->clear();
    advance(RecordingAnimator::duration - 0.01);
    EXPECT_THAT(only(*log, sequence), IsEmpty()) << "the transition runs as long as its animator";
    EXPECT_EQ(completions, 0);

    advance(0.01);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("animator.completion(end)", "pc.presentationTransitionDidEnd(true)",
                            "presented.viewDidAppear(true)", "coordinator.completion(cancelled=false)",
                            "animator.animationEnded(true)", "completion"));
    EXPECT_FALSE(presented->isBeingPresented());
    EXPECT_EQ(presented->transitionCoordinator(), nullptr) << "the coordinator lives as long as the transition";
    EXPECT_THAT(only(*log, {"root.viewWill", "root.viewDid"}), IsEmpty());

    EXPECT_THAT(stderrOf([&] { context->completeTransition(true); }), HasSubstr("already completed"));
    EXPECT_EQ(root->presentedViewController(), presented) << "a second completion changes nothing";
}

TEST_F(PresentationTest, AnimatedCustomDismissalRunsTheHooksInOrderAndTheControllerCanComeBack) {
    const auto presented = controller("presented");
    const auto delegate = customDelegate(presented);
    bool completed = false;
    root->present(presented, false, [&] { completed = true; });
    EXPECT_TRUE(completed) << "no animation: the completion runs before present returns";
    const auto container = delegate->presentation->containerView();
    log->clear();

    root->dismiss(true);
    EXPECT_EQ(root->presentedViewController(), presented) << "still presented while the animation runs";
    advance(RecordingAnimator::duration);
    EXPECT_THAT(only(*log, sequence),
                ElementsAre("delegate.animationControllerForDismissed", "delegate.interactionControllerForDismissal",
                            "pc.dismissalTransitionWillBegin", "presented.viewWillDisappear(true)",
                            "animator.transitionDuration", "animator.animateTransition", "animator.completion(end)",
                            "pc.dismissalTransitionDidEnd(true)", "presented.viewDidDisappear(true)",
                            "animator.animationEnded(true)"));
    EXPECT_EQ(presented->presentationController(), nullptr);
    EXPECT_EQ(container->superview(), nullptr) << "the container leaves the window";

    completed = false;
    root->present(presented, true, [&] { completed = true; });
    advance(RecordingAnimator::duration);
    EXPECT_TRUE(completed) << "the same view controller can be presented again";
}

TEST_F(PresentationTest, PlatformStylesDecideWhereThePresentedViewRestsAndWhetherThePresenterDisappears) {
    using Style = UIModalPresentationStyle;
    // Columns: style asked for, style it runs as, whether the presenter's view leaves the window.
    const std::tuple<Style, Style, bool> cases[] = {
        {Style::automatic, Style::pageSheet, false},
        {Style::pageSheet, Style::pageSheet, false},
        {Style::fullScreen, Style::fullScreen, true},
        {Style::overFullScreen, Style::overFullScreen, false},
        {Style::overCurrentContext, Style::overCurrentContext, false},
        {Style::currentContext, Style::currentContext, true},
        {Style::custom, Style::custom, false}, // without a transitioning delegate
    };
    for (const auto& [style, runsAs, presenterDisappears] : cases) {
        SCOPED_TRACE(rawValue(style));
        const auto presented = controller("presented");
        presented->setModalPresentationStyle(style);
        log->clear();
        bool completed = false;
        root->present(presented, true, [&] { completed = true; });
        advance(0.5);
        ASSERT_TRUE(completed) << "the platform's own animation takes half a second";
        const CGRect sheet{0, 57, 390, 844 - 57}; // below the status bar
        EXPECT_EQ(std::tuple(presented->presentationController()->presentationStyle(), presented->view()->window(),
                             presented->view()->frame(), root->view()->window() == nullptr,
                             only(*log, {"root.viewDidDisappear"}).size()),
                  std::tuple(runsAs, device->keyWindow(),
                             runsAs == Style::pageSheet ? sheet : device->keyWindow()->bounds(), presenterDisappears,
                             presenterDisappears ? 1u : 0u));

        completed = false;
        root->dismiss(true, [&] { completed = true; });
        advance(0.5);
        ASSERT_TRUE(completed);
        EXPECT_EQ(
            std::tuple(root->view()->window(), presented->view()->window(), only(*log, {"root.viewDidAppear"}).size()),
            std::tuple(device->keyWindow(), nullptr, presenterDisappears ? 1u : 0u));
    }
}

TEST_F(PresentationTest, RefusedPresentationsPrintThePlatformMessagesAndChangeNothing) {
    const auto presented = controller("presented");
    const auto other = controller("other");
    root->present(presented, false);
    bool completed = false;
    const auto complete = [&] { completed = true; };

    const auto child = controller("child");
    embed(root, child);
    const auto detached = controller("detached");
    // Columns: what, the attempt, the message, whether the message is all that is printed.
    const std::tuple<const char*, std::function<void()>, std::string, bool> cases[] = {
        {"already presented", [&] { other->present(presented, false, complete); },
         "that is already being presented by " + root->description() + ".", false},
        {"already presenting", [&] { root->present(other, false, complete); }, "which is already presenting", false},
        {"child of a presenting one", [&] { child->present(other, false, complete); },
         "Attempt to present " + other->description() + " on " + root->description() + " (from " +
             child->description() + ") which is already presenting " + presented->description() + ".\n",
         true},
        {"not in a window", [&] { detached->present(other, false, complete); },
         "whose view is not in the window hierarchy.", false},
    };
    for (const auto& [name, attempt, message, whole] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THAT(stderrOf(attempt), whole ? ::testing::Matcher<std::string>(message) : HasSubstr(message));
        EXPECT_FALSE(completed) << "a refused presentation never completes";
    }
    EXPECT_EQ(root->presentedViewController(), presented);
    EXPECT_EQ(other->presentingViewController(), nullptr);
}

TEST_F(PresentationTest, DismissingWithNothingPresentedDoesNothingNotEvenTheCompletion) {
    bool completed = false;
    root->dismiss(true, [&] { completed = true; });
    controller("loose")->dismiss(false, [&] { completed = true; });
    advance(1);
    EXPECT_EQ(std::tuple(completed, only(*log, sequence)), std::tuple(false, Log{}));
}

TEST_F(PresentationTest, ChildrenPresentFromAndDismissThroughTheirOutermostAncestor) {
    const auto child = controller("child");
    embed(root, child);
    const auto presented = controller("presented");
    const auto inner = controller("inner");
    presented->addChild(inner);

    child->present(presented, false);
    // The outermost ancestor presents; its children and those of the presented one see it.
    EXPECT_EQ(std::tuple(root->presentedViewController(), child->presentedViewController(),
                         inner->presentingViewController()),
              std::tuple(presented, presented, root));

    bool completed = false;
    inner->dismiss(false, [&] { completed = true; });
    EXPECT_TRUE(completed) << "a child of the presented view controller dismisses it";
    EXPECT_EQ(root->presentedViewController(), nullptr);
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
    EXPECT_EQ(std::pair(listGone, choiceGone), std::pair(true, true)) << "then runs";
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

TEST_F(PresentationTest, InteractionControllerCallsOutsideATransitionDoNothing) {
    UIPercentDrivenInteractiveTransition interaction;
    interaction.updateInteractiveTransition(0.5);
    interaction.finishInteractiveTransition();
    interaction.cancelInteractiveTransition();
    interaction.pauseInteractiveTransition();
    EXPECT_EQ(std::tuple(interaction.percentComplete(), interaction.duration()), std::tuple(0.0, 0.0));
}

} // namespace
