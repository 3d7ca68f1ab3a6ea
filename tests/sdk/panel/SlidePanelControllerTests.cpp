#include "PanelTestSupport.hpp"

#include "platform/uikit/UIScrollView.hpp"
#include "sdk/panel/ModalTransition.hpp"

#include <gmock/gmock.h>

#include <cmath>

using namespace paneltests;
using ::testing::ElementsAre;
using uikit::CGRect;
using vyd::SlidePanelController;
using vyd::SlidePanelState;

namespace {

class SlidePanelControllerTest : public PanelTest {
protected:
    // A panel added as a child of the root screen, hidden, with the recording delegate.
    std::shared_ptr<SlidePanelController> childPanel() {
        auto panel = SlidePanelController::make(delegate);
        root->addChild(panel);
        root->view()->addSubview(panel->view());
        panel->view()->setFrame(root->view()->bounds());
        panel->didMove(root);
        return panel;
    }
};

TEST_F(SlidePanelControllerTest, NewPanelIsHiddenBelowTheScreenAndPresentsThroughItsOwnTransition) {
    const auto panel = SlidePanelController::make();
    EXPECT_EQ(panel->modalPresentationStyle(), uikit::UIModalPresentationStyle::custom);
    ASSERT_NE(panel->modalTransition(), nullptr);
    EXPECT_EQ(panel->transitioningDelegate(), panel->modalTransition());
    EXPECT_EQ(panel->state(), SlidePanelState::hidden());
    EXPECT_EQ(panel->layout()->initialState(), SlidePanelState::half());
    const auto view = panel->view(); // loading the view places the surface
    EXPECT_EQ(panel->surfaceView()->superview(), view);
    EXPECT_EQ(panel->backdropView()->superview(), view);
    EXPECT_EQ(panel->surfaceLocation().y, hiddenTop);
}

TEST_F(SlidePanelControllerTest, MovesWithoutAnimationLandAtOnceAndTellTheDelegate) {
    const auto panel = childPanel();
    int completions = 0;
    struct Row {
        vyd::SlidePanelStateRef state;
        double top;
    };
    for (const Row& row : {Row{SlidePanelState::tip(), tipTop}, Row{SlidePanelState::full(), fullTop},
                           Row{SlidePanelState::half(), halfTop}, Row{SlidePanelState::hidden(), hiddenTop}}) {
        panel->move(row.state, false, [&] { ++completions; });
        EXPECT_EQ(panel->state(), row.state);
        EXPECT_EQ(panel->surfaceLocation().y, row.top) << row.state->description();
        EXPECT_EQ(panel->surfaceLocation(row.state).y, row.top) << row.state->description();
    }
    EXPECT_EQ(completions, 4);
    EXPECT_THAT(delegate->log, ElementsAre("move:tip", "move:full", "move:half", "move:hidden"));
    // Static content mode: the surface is as tall as at full, its lower part off screen.
    panel->move(SlidePanelState::half(), false);
    EXPECT_EQ(panel->surfaceView()->frame(), CGRect(0, halfTop, 390, 844 - fullTop));
    EXPECT_NEAR(panel->backdropView()->alpha(), 0, 1e-9);
    panel->setContentMode(vyd::SlidePanelContentMode::fitToBounds);
    EXPECT_EQ(panel->surfaceView()->frame(), CGRect(0, halfTop, 390, 844 - halfTop));
    panel->move(SlidePanelState::full(), false);
    EXPECT_NEAR(panel->backdropView()->alpha(), 0.3, 1e-9);
    // A state the layout lacks goes to the layout's nearest one.
    panel->move(SlidePanelState::make("peek", 600), false);
    EXPECT_EQ(panel->state(), SlidePanelState::half());
}

TEST_F(SlidePanelControllerTest, AnimatedMovesSpringBetweenVisibleStatesAndTransitionFromOrToHidden) {
    const auto panel = childPanel();

    bool shown = false;
    panel->show(true, [&] { shown = true; });
    ASSERT_NE(panel->transitionAnimator(), nullptr) << "a move from hidden runs a transition animator";
    EXPECT_TRUE(panel->transitionAnimator()->isRunning());
    EXPECT_EQ(panel->state(), SlidePanelState::half());
    advance(SlidePanelController::presentingDuration - 0.02);
    EXPECT_FALSE(shown);
    advance(0.03);
    EXPECT_TRUE(shown);
    EXPECT_EQ(panel->transitionAnimator(), nullptr) << "cleared before the completion";
    EXPECT_EQ(panel->surfaceLocation().y, halfTop);

    bool moved = false;
    panel->move(SlidePanelState::full(), true, [&] { moved = true; });
    EXPECT_EQ(panel->transitionAnimator(), nullptr) << "a move between visible states springs without one";
    EXPECT_TRUE(panel->isAttracting());
    EXPECT_EQ(panel->state(), SlidePanelState::full());
    advance(0.1);
    const double midway = panel->surfaceLocation().y;
    EXPECT_LT(midway, halfTop);
    EXPECT_GT(midway, fullTop);
    advance(2);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(panel->isAttracting());
    EXPECT_EQ(panel->surfaceLocation().y, fullTop);

    bool hidden = false;
    panel->hide(true, [&] { hidden = true; });
    EXPECT_NE(panel->transitionAnimator(), nullptr);
    advance(SlidePanelController::dismissingDuration + 0.01);
    EXPECT_TRUE(hidden);
    EXPECT_EQ(panel->state(), SlidePanelState::hidden());
    EXPECT_EQ(panel->surfaceLocation().y, hiddenTop);
    EXPECT_THAT(delegate->log, ElementsAre("move:half", "spring:full", "move:full", "move:hidden"));
}

TEST_F(SlidePanelControllerTest, ANewMoveEndsTheOneUnderWayWithItsCompletion) {
    const auto panel = childPanel();
    std::vector<std::string> done;
    panel->show(true, [&] { done.push_back("show"); });
    advance(0.1);
    panel->hide(true, [&] { done.push_back("hide"); });
    EXPECT_THAT(done, ElementsAre("show"));
    advance(1);
    EXPECT_THAT(done, ElementsAre("show", "hide"));
    EXPECT_EQ(panel->state(), SlidePanelState::hidden());

    panel->move(SlidePanelState::half(), false);
    panel->move(SlidePanelState::full(), true, [&] { done.push_back("spring"); });
    advance(0.05);
    panel->move(SlidePanelState::tip(), false, [&] { done.push_back("jump"); });
    EXPECT_THAT(done, ElementsAre("show", "hide", "spring", "jump"));
    EXPECT_FALSE(panel->isAttracting());
    EXPECT_EQ(panel->surfaceLocation().y, tipTop);
}

TEST_F(SlidePanelControllerTest, DelegateMaySupplyTheAnimators) {
    class Supplier : public vyd::SlidePanelPresentingAnimatorDelegate,
                     public vyd::SlidePanelDismissingAnimatorDelegate {
    public:
        std::shared_ptr<uikit::UIViewPropertyAnimator>
        slidePanelAnimatorForPresenting(const std::shared_ptr<SlidePanelController>&,
                                        const vyd::SlidePanelStateRef& toState) override {
            presentedTo = toState;
            return uikit::UIViewPropertyAnimator::make(1.5, uikit::UIViewAnimationCurve::linear);
        }
        std::shared_ptr<uikit::UIViewPropertyAnimator>
        slidePanelAnimatorForDismissing(const std::shared_ptr<SlidePanelController>&,
                                        coregraphics::CGVector withVelocity) override {
            velocity = withVelocity;
            return nullptr;
        }
        vyd::SlidePanelStateRef presentedTo;
        coregraphics::CGVector velocity{-1, -1};
    };
    auto supplier = std::make_shared<Supplier>();
    const auto panel = SlidePanelController::make(supplier);
    EXPECT_EQ(panel->animatorForPresenting(SlidePanelState::full())->duration(), 1.5);
    EXPECT_EQ(supplier->presentedTo, SlidePanelState::full());
    // No answer: the panel's own spring.
    const auto own = panel->animatorForDismissing({0, 2});
    EXPECT_EQ(own->duration(), SlidePanelController::dismissingDuration);
    EXPECT_EQ(supplier->velocity.dy, 2);
    EXPECT_NE(std::dynamic_pointer_cast<uikit::UISpringTimingParameters>(own->timingParameters()), nullptr);

    // The delegate is held weakly.
    std::weak_ptr<Supplier> weak = supplier;
    supplier.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(panel->delegate(), nullptr);
    EXPECT_EQ(panel->animatorForPresenting(SlidePanelState::full())->duration(),
              SlidePanelController::presentingDuration);
}

TEST_F(SlidePanelControllerTest, DraggingMovesBetweenStatesByDistanceAndSpeed) {
    const auto panel = childPanel();
    panel->move(SlidePanelState::half(), false);
    settle();
    delegate->log.clear();

    // A quick flick up goes one state up.
    drag(*panel, -120, -1500);
    EXPECT_EQ(panel->state(), SlidePanelState::full());
    EXPECT_TRUE(panel->isAttracting());
    advance(2);
    EXPECT_EQ(panel->surfaceLocation().y, fullTop);
    EXPECT_THAT(delegate->log, ElementsAre("move:half", "spring:full", "move:full"));

    // A slow drag ends at the state nearest to where it is let go.
    drag(*panel, 700, 40);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::tip());
    EXPECT_EQ(panel->surfaceLocation().y, tipTop);

    // Without the removal interaction, even a hard flick down stays at the lowest state.
    drag(*panel, 80, 9000);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::tip());
    EXPECT_TRUE(delegate->removals().empty());
}

TEST_F(SlidePanelControllerTest, ExtremeDragsEndAtAStateOfTheLayout) {
    const auto panel = childPanel();
    panel->move(SlidePanelState::half(), false);
    settle();
    const auto handle = panel->surfaceView()->grabberHandle();
    struct Row {
        uikit::CGPoint translation;
        uikit::CGPoint velocity;
        vyd::SlidePanelStateRef expected;
        double top;
    };
    const Row rows[] = {
        {{0, -1e9}, {0, -1e12}, SlidePanelState::full(), fullTop},
        {{0, 1e9}, {0, 1e12}, SlidePanelState::tip(), tipTop},
        {{1e9, -1e6}, {1e300, -1e300}, SlidePanelState::full(), fullTop},
        {{0, 1e300}, {0, 0}, SlidePanelState::tip(), tipTop},
    };
    for (const auto& row : rows) {
        ::testing::SimulatedUser::drag(handle, row.translation, row.velocity);
        // While it springs the surface stays near the screen.
        for (int frame = 0; frame < 120; ++frame) {
            advance(1.0 / 60);
            const double y = panel->surfaceLocation().y;
            ASSERT_TRUE(std::isfinite(y));
            ASSERT_GT(y, fullTop - 200);
            ASSERT_LE(y, hiddenTop + 200);
        }
        advance(5);
        EXPECT_EQ(panel->state(), row.expected) << row.translation.y;
        EXPECT_EQ(panel->surfaceLocation().y, row.top) << row.translation.y;
    }
}

TEST_F(SlidePanelControllerTest, DelegateCanHoldTheSurfaceBelowFull) {
    const auto panel = childPanel();
    panel->move(SlidePanelState::full(), false);
    settle();
    // As the choice flow does: never above the full state's place, except while springing.
    double highest = hiddenTop;
    delegate->onMove = [&highest](const std::shared_ptr<SlidePanelController>& p) {
        if (!p->isAttracting()) {
            const double top = p->surfaceLocation(SlidePanelState::full()).y;
            p->setSurfaceLocation({p->surfaceLocation().x, std::max(p->surfaceLocation().y, top)});
        }
        highest = std::min(highest, p->surfaceLocation().y);
    };
    drag(*panel, -150, -100);
    EXPECT_EQ(highest, fullTop);
}

TEST_F(SlidePanelControllerTest, RemoveTakesAChildPanelFromItsParentAndTellsTheDelegate) {
    const auto panel = childPanel();
    panel->move(SlidePanelState::half(), false);
    delegate->log.clear();
    panel->remove();
    EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:half"));
    EXPECT_EQ(panel->parent(), root) << "it leaves once hidden";
    advance(1);
    EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:half", "didRemove:hidden"));
    EXPECT_EQ(panel->parent(), nullptr);
    EXPECT_EQ(panel->view()->superview(), nullptr);
    EXPECT_TRUE(root->children().empty());

    // A panel with neither parent nor presenter is hidden.
    delegate->log.clear();
    panel->move(SlidePanelState::half(), false);
    panel->remove();
    advance(1);
    EXPECT_EQ(panel->state(), SlidePanelState::hidden());
    EXPECT_THAT(delegate->removals(), ElementsAre("willRemove:half", "didRemove:hidden"));
}

TEST_F(SlidePanelControllerTest, ContentFillsTheSurfaceAndLeavesWhenReplaced) {
    const auto panel = childPanel();
    const auto first = uikit::UIViewController::make();
    panel->set(first);
    EXPECT_EQ(first->parent(), panel);
    EXPECT_EQ(first->view()->superview(), panel->surfaceView()->containerView());
    EXPECT_EQ(panel->contentViewController(), first);
    panel->move(SlidePanelState::full(), false);
    panel->view()->layoutIfNeeded();
    EXPECT_EQ(first->view()->frame(), CGRect(0, 0, 390, 844 - fullTop));

    const auto second = uikit::UIViewController::make();
    panel->set(second);
    EXPECT_EQ(first->parent(), nullptr);
    EXPECT_EQ(first->view()->superview(), nullptr);
    EXPECT_EQ(second->parent(), panel);
    panel->set(nullptr);
    EXPECT_EQ(second->parent(), nullptr);
    EXPECT_EQ(panel->contentViewController(), nullptr);
    EXPECT_TRUE(panel->children().empty());
}

TEST_F(SlidePanelControllerTest, ThePanelAndItsContentDoNotOutliveTheirOwner) {
    std::weak_ptr<SlidePanelController> weakPanel;
    std::weak_ptr<uikit::UIViewController> weakContent;
    std::weak_ptr<uikit::UIView> weakSurface;
    {
        auto panel = SlidePanelController::make(delegate);
        auto content = uikit::UIViewController::make();
        panel->set(content);
        root->view()->addSubview(panel->view());
        panel->move(SlidePanelState::half(), false);
        // Leave it springing.
        panel->move(SlidePanelState::full(), true);
        weakPanel = panel;
        weakContent = content;
        weakSurface = panel->surfaceView();
        advance(0.05);
        panel->view()->removeFromSuperview();
    }
    settle();
    EXPECT_TRUE(weakPanel.expired());
    EXPECT_TRUE(weakContent.expired());
    EXPECT_TRUE(weakSurface.expired());
    advance(5);

    {
        auto panel = SlidePanelController::make();
        root->view()->addSubview(panel->view());
        bool completed = false;
        panel->show(true, [&] { completed = true; });
        weakPanel = panel;
        panel->view()->removeFromSuperview();
        panel.reset();
        EXPECT_TRUE(weakPanel.expired());
        // The move outlives the panel and only completes.
        advance(1);
        EXPECT_TRUE(completed);
    }
}

TEST_F(SlidePanelControllerTest, TrackedScrollViewAndPanelTakeTurnsOnOneDrag) {
    // A content whose scroll view covers it below a 40-point header, with 2000 points to scroll.
    auto content = uikit::UIViewController::make();
    auto scrollView = uikit::UIScrollView::make({0, 40, 390, 300});
    scrollView->setContentSize({390, 2000});
    scrollView->setContentInsetAdjustmentBehavior(uikit::UIScrollViewContentInsetAdjustmentBehavior::never);
    content->view()->addSubview(scrollView);
    const auto scroll = [&](double dy, double velocity) {
        ::testing::SimulatedUser::drag(scrollView, {0, dy}, {0, velocity});
    };
    const auto panel = childPanel();
    panel->set(content);
    panel->track(scrollView);
    EXPECT_EQ(panel->trackingScrollView(), scrollView);
    panel->move(SlidePanelState::half(), false);
    settle();

    // Up from half: the panel rises first, the content stays at its top.
    scroll(-200, -100);
    EXPECT_EQ(scrollView->contentOffset().y, 0);
    EXPECT_EQ(panel->surfaceLocation().y, halfTop - 200);
    advance(2);

    // Up the whole way: the panel reaches full, then the content scrolls by the rest.
    panel->move(SlidePanelState::half(), false);
    scroll(-(halfTop - fullTop) - 150, -100);
    EXPECT_EQ(panel->surfaceLocation().y, fullTop);
    EXPECT_EQ(scrollView->contentOffset().y, 150);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::full());

    // At full, dragging up only scrolls, and the release leaves the panel where it is.
    scroll(-100, -3000);
    EXPECT_EQ(scrollView->contentOffset().y, 250);
    EXPECT_FALSE(panel->isAttracting());
    EXPECT_EQ(panel->surfaceLocation().y, fullTop);

    // Down: the content scrolls back to its top first, then the panel follows.
    scroll(300, 100);
    EXPECT_EQ(scrollView->contentOffset().y, 0);
    EXPECT_EQ(panel->surfaceLocation().y, fullTop + 50);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::full());

    // A drag on the surface outside the scroll view moves only the panel.
    drag(*panel, 300, 100);
    EXPECT_EQ(scrollView->contentOffset().y, 0);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::half());

    // Held weakly.
    std::weak_ptr<uikit::UIScrollView> weakScroll = scrollView;
    panel->set(nullptr);
    scrollView->removeFromSuperview();
    scrollView.reset();
    content.reset();
    EXPECT_TRUE(weakScroll.expired());
    EXPECT_EQ(panel->trackingScrollView(), nullptr);
}

} // namespace
