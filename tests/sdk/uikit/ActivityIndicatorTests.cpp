#include "sdk/uikit/ActivityIndicator.hpp"

#include "platform/uikit/UIScene.hpp"
#include "sdk/panel/PanelTestSupport.hpp"
#include "sdk/uikit/LoadingView.hpp"

#include <algorithm>

namespace {

using uikit::UIView;
using vyd::LoadingView;
using vyd::SlidePanelContentMode;
using vyd::SlidePanelController;

// A simulated phone on the manual clock, as the panel tests have it.
class ActivityIndicatorTest : public paneltests::PanelTest {
protected:
    static std::vector<std::shared_ptr<LoadingView>> loadingViews(const UIView& host) {
        std::vector<std::shared_ptr<LoadingView>> found;
        for (const auto& subview : host.subviews()) {
            if (auto loading = std::dynamic_pointer_cast<LoadingView>(subview)) {
                found.push_back(loading);
            }
        }
        return found;
    }
};

TEST_F(ActivityIndicatorTest, StartingTwiceLeavesOneLoadingViewWithTheFirstSettings) {
    vyd::startActivityIndicator(*root, uikit::UIColor::red(), false, true);
    vyd::startActivityIndicator(*root, uikit::UIColor::blue(), false, false);
    const auto views = loadingViews(*root->view());
    ASSERT_EQ(views.size(), 1u);
    const auto& loading = views.front();
    EXPECT_EQ(root->view()->subviews().back(), loading);
    ASSERT_TRUE(loading->activityColor());
    EXPECT_EQ(*loading->activityColor(), uikit::UIColor::red());
    EXPECT_TRUE(loading->isBlockingSuperview());
    settle();
    root->view()->layoutIfNeeded();
    EXPECT_EQ(loading->frame(), root->view()->bounds()) << "pinned to the host's edges";
    EXPECT_FALSE(loading->translatesAutoresizingMaskIntoConstraints());
}

TEST_F(ActivityIndicatorTest, StoppingTakesAwayOnlyTheFirstDirectLoadingView) {
    // Nothing to stop: nothing changes.
    const auto before = root->view()->subviews();
    vyd::stopActivityIndicator(*root);
    EXPECT_EQ(root->view()->subviews(), before);

    const auto first = LoadingView::make();
    const auto second = LoadingView::make();
    const auto holder = UIView::make();
    const auto deep = LoadingView::make();
    holder->addSubview(deep);
    root->view()->addSubview(first);
    root->view()->addSubview(holder);
    root->view()->addSubview(second);
    vyd::stopActivityIndicator(*root);
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(second->superview(), root->view());
    EXPECT_EQ(deep->superview(), holder);
}

TEST_F(ActivityIndicatorTest, PanelsShowItOnTheirSurfaceFittedToWhatShows) {
    const auto panel = presentedPanel();
    ASSERT_EQ(panel->state(), vyd::SlidePanelState::half());
    vyd::startActivityIndicator(*panel, std::nullopt);
    const auto views = loadingViews(*panel->surfaceView());
    ASSERT_EQ(views.size(), 1u);
    EXPECT_TRUE(loadingViews(*panel->view()).empty());
    EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::fitToBounds);
    settle();
    panel->view()->layoutIfNeeded();
    // The spinner sits in the middle of the part of the surface on screen.
    const auto spinner = views.front()->spinnerImageView();
    const auto centre = spinner->convert(uikit::CGPoint{20, 20}, panel->view().get());
    const double top = panel->surfaceLocation().y;
    EXPECT_NEAR(centre.y, top + (844 - top) / 2, 0.5);
    EXPECT_NEAR(centre.x, 195, 0.5);

    vyd::stopActivityIndicator(*panel);
    EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
    EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::staticMode);
    // The mode changes even when there is nothing to do.
    vyd::startErrorView(*panel, UIView::make());
    EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::fitToBounds);
    vyd::stopActivityIndicator(*panel);
    EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::staticMode);
}

TEST_F(ActivityIndicatorTest, OverTheFullScreenItGoesOnTheKeyWindowOrElseTheControllersOwnView) {
    const auto panel = presentedPanel();
    const auto window = device->keyWindow();
    vyd::startActivityIndicator(*panel, std::nullopt, true);
    EXPECT_EQ(loadingViews(*window).size(), 1u);
    EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
    EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::fitToBounds);
    vyd::stopActivityIndicator(*panel, true);
    EXPECT_TRUE(loadingViews(*window).empty());

    // No active key window: the view controller's own view, also for a panel.
    ASSERT_TRUE(device->setActivationState(uikit::UISceneActivationState::background));
    vyd::startActivityIndicator(*panel, std::nullopt, true);
    EXPECT_TRUE(loadingViews(*window).empty());
    EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
    EXPECT_EQ(loadingViews(*panel->view()).size(), 1u);
    // Stopping looks at the key window of any scene: the loading view on the panel stays.
    vyd::stopActivityIndicator(*panel, true);
    EXPECT_EQ(loadingViews(*panel->view()).size(), 1u);
}

TEST_F(ActivityIndicatorTest, ErrorViewIsAddedOnceAndNeverTakenAway) {
    const auto error = UIView::make();
    vyd::startErrorView(*root, error);
    EXPECT_EQ(error->superview(), root->view());
    EXPECT_EQ(root->view()->subviews().back(), error);
    const auto constraints = root->view()->constraints().size();
    vyd::startErrorView(*root, error);
    EXPECT_EQ(root->view()->constraints().size(), constraints) << "no second set of constraints";
    EXPECT_EQ(std::count(root->view()->subviews().begin(), root->view()->subviews().end(), error), 1);
    vyd::stopActivityIndicator(*root);
    EXPECT_EQ(error->superview(), root->view());

    vyd::startErrorView(*root, nullptr);
    const auto windowError = UIView::make();
    vyd::startErrorView(*root, windowError, true);
    EXPECT_EQ(windowError->superview(), device->keyWindow());
}

TEST_F(ActivityIndicatorTest, LoadingViewGoesWithItsHost) {
    std::weak_ptr<LoadingView> weakLoading;
    std::weak_ptr<SlidePanelController> weakPanel;
    {
        const auto panel = presentedPanel();
        vyd::startActivityIndicator(*panel, uikit::UIColor::red());
        weakLoading = loadingViews(*panel->surfaceView()).front();
        weakPanel = panel;
        advance(1.5);
        panel->dismiss(false);
        settle();
    }
    settle();
    EXPECT_TRUE(weakPanel.expired());
    EXPECT_TRUE(weakLoading.expired());
    // Its loop has nothing left to turn.
    advance(5);
}

} // namespace
