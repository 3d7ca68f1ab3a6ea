#include "PanelTestSupport.hpp"

#include "platform/uikit/UIScrollView.hpp"

#include <gmock/gmock.h>

using namespace paneltests;
using ::testing::ElementsAre;
using namespace uikit;
using namespace vyd;

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

TEST_F(SlidePanelControllerTest, NewPanelIsHiddenAndMovesWithoutAnimationLandAtOnceAndTellTheDelegate) {
    const auto panel = childPanel();
    EXPECT_EQ(panel->surfaceLocation().y, hiddenTop) << "a new panel is hidden";
    int completions = 0;
    for (const auto& [state, top] :
         std::vector<std::pair<SlidePanelStateRef, double>>{{SlidePanelState::tip(), tipTop},
                                                            {SlidePanelState::full(), fullTop},
                                                            {SlidePanelState::half(), halfTop},
                                                            {SlidePanelState::hidden(), hiddenTop}}) {
        panel->move(state, false, [&] { ++completions; });
        EXPECT_EQ(panel->surfaceLocation().y, top) << state->description();
    }
    EXPECT_EQ(completions, 4);
    EXPECT_THAT(delegate->log, ElementsAre("move:tip", "move:full", "move:half", "move:hidden"));
    // Static content mode: the surface is as tall as at full, its lower part off screen.
    panel->move(SlidePanelState::half(), false);
    EXPECT_EQ(panel->surfaceView()->frame(), CGRect(0, halfTop, 390, 844 - fullTop));
    EXPECT_NEAR(panel->backdropView()->alpha(), 0, 1e-9);
    panel->move(SlidePanelState::full(), false);
    EXPECT_NEAR(panel->backdropView()->alpha(), 0.3, 1e-9);
    // A state the layout lacks goes to the layout's nearest one.
    panel->move(SlidePanelState::make("peek", 600), false);
    EXPECT_EQ(panel->state(), SlidePanelState::half());
}

TEST_F(SlidePanelControllerTest,
       AnimatedMovesAndDragsSpringBetweenVisibleStatesTransitionFromOrToHiddenAndEndEachOther) {
    const auto panel = childPanel();
    bool shown = false;
    panel->show(true, [&] {
        shown = true;
        EXPECT_EQ(panel->transitionAnimator(), nullptr) << "cleared before the completion";
    });
    ASSERT_NE(panel->transitionAnimator(), nullptr) << "a move from hidden runs a transition animator";
    advance(SlidePanelController::presentingDuration + 0.01);
    EXPECT_TRUE(shown);
    EXPECT_EQ(panel->surfaceLocation().y, halfTop);

    // A quick flick up goes one state up, springing without a transition animator.
    drag(*panel, -120, -1500);
    EXPECT_EQ(panel->state(), SlidePanelState::full());
    EXPECT_TRUE(panel->isAttracting());
    EXPECT_EQ(panel->transitionAnimator(), nullptr);
    advance(2);
    EXPECT_FALSE(panel->isAttracting());
    EXPECT_EQ(panel->surfaceLocation().y, fullTop);
    EXPECT_THAT(delegate->log, ElementsAre("move:half", "spring:full", "move:full"));
    // A slow drag ends at the state nearest to where it is let go; without the removal
    // interaction even a hard flick down stays at the lowest state.
    drag(*panel, 700, 40);
    advance(2);
    EXPECT_EQ(panel->surfaceLocation().y, tipTop);
    drag(*panel, 80, 9000);
    advance(2);
    EXPECT_EQ(panel->state(), SlidePanelState::tip());
    EXPECT_TRUE(delegate->removals().empty());

    bool hidden = false;
    panel->hide(true, [&] { hidden = true; });
    EXPECT_NE(panel->transitionAnimator(), nullptr);
    advance(SlidePanelController::dismissingDuration + 0.01);
    EXPECT_TRUE(hidden);
    EXPECT_EQ(panel->surfaceLocation().y, hiddenTop);

    // A new move ends the one under way with its completion.
    std::vector<std::string> done;
    panel->show(true, [&] { done.push_back("show"); });
    advance(0.1);
    panel->hide(true, [&] { done.push_back("hide"); });
    EXPECT_THAT(done, ElementsAre("show"));
    advance(1);
    EXPECT_THAT(done, ElementsAre("show", "hide"));
}

TEST_F(SlidePanelControllerTest, DelegateCanHoldTheSurfaceBelowFull) {
    const auto panel = childPanel();
    panel->move(SlidePanelState::full(), false);
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
    const auto first = UIViewController::make();
    panel->set(first);
    EXPECT_EQ(first->parent(), panel);
    panel->move(SlidePanelState::full(), false);
    panel->view()->layoutIfNeeded();
    EXPECT_EQ(first->view()->frame(), CGRect(0, 0, 390, 844 - fullTop));

    panel->set(UIViewController::make());
    EXPECT_EQ(first->view()->superview(), nullptr);
    EXPECT_EQ(first->parent(), nullptr);
    panel->set(nullptr);
    EXPECT_TRUE(panel->children().empty());
}

TEST_F(SlidePanelControllerTest, ThePanelAndItsContentDoNotOutliveTheirOwner) {
    std::weak_ptr<SlidePanelController> weakPanel;
    std::weak_ptr<UIViewController> weakContent;
    {
        auto panel = SlidePanelController::make(delegate);
        auto content = UIViewController::make();
        panel->set(content);
        root->view()->addSubview(panel->view());
        panel->move(SlidePanelState::half(), false);
        panel->move(SlidePanelState::full(), true); // left springing
        weakPanel = panel;
        weakContent = content;
        advance(0.05);
        panel->view()->removeFromSuperview();
    }
    settle();
    EXPECT_TRUE(weakPanel.expired());
    EXPECT_TRUE(weakContent.expired());
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
    auto content = UIViewController::make();
    auto scrollView = UIScrollView::make({0, 40, 390, 300});
    scrollView->setContentSize({390, 2000});
    scrollView->setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior::never);
    content->view()->addSubview(scrollView);
    const auto scroll = [&](double dy, double v) { ::testing::SimulatedUser::drag(scrollView, {0, dy}, {0, v}); };
    const auto panel = childPanel();
    panel->set(content);
    panel->track(scrollView);
    panel->move(SlidePanelState::half(), false);

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
}

} // namespace
