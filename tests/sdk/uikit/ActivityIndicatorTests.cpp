#include "sdk/uikit/ActivityIndicator.hpp"
#include "sdk/uikit/LoadingView.hpp"

#include "platform/uikit/UIScene.hpp"
#include "sdk/panel/PanelTestSupport.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

#include <algorithm>

namespace {

using namespace uikit;
using namespace vyd;

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
using LoadingViewTest = ActivityIndicatorTest;

TEST_F(LoadingViewTest, SpinnerInItsOwnColoursUntilTintedAndBlockingDimsAndLetsTouchesThrough) {
    const auto host = UIView::make({0, 0, 200, 100});
    const auto underneath = UIView::make({0, 0, 200, 100});
    const auto view = LoadingView::make({0, 0, 200, 100});
    addSubviews(*host, {underneath, view});
    const auto spinner = view->spinnerImageView();
    view->layoutIfNeeded();
    EXPECT_EQ(spinner->center(), (CGPoint{100, 50}));
    for (const auto& colour : {std::optional(UIColor::red()), std::optional<UIColor>()}) {
        view->setActivityColor(colour);
        EXPECT_EQ(spinner->drawsWithTintColor(), colour.has_value());
        EXPECT_EQ(spinner->hasOwnTintColor(), colour.has_value());
        EXPECT_EQ(spinner->image()->renderingMode(),
                  colour ? UIImageRenderingMode::alwaysTemplate : UIImageRenderingMode::alwaysOriginal);
    }
    for (const bool blocking : {false, true, false}) {
        view->setBlockingSuperview(blocking);
        EXPECT_EQ(view->overlayView()->isHidden(), !blocking);
        EXPECT_EQ(host->hitTest({10, 10}), blocking ? underneath : std::static_pointer_cast<UIView>(view));
    }
}

TEST_F(LoadingViewTest, SpinnerTurnsHalfATurnPerSecondWhileShownAndNothingKeepsItAlive) {
    const auto host = UIView::make({0, 0, 100, 100});
    std::weak_ptr<LoadingView> weak;
    {
        const auto view = LoadingView::make();
        const auto spinner = view->spinnerImageView();
        host->addSubview(view);
        weak = view;
        EXPECT_NEAR(spinner->transform().a, -1, 1e-9) << "half a turn";
        advance(1.0);
        EXPECT_NEAR(spinner->transform().a, 1, 1e-9) << "a whole turn";
        advance(30);
        view->startAnimating();
        advance(0.5);
        EXPECT_EQ(spinner->layer()->animationKeys().size(), 1u) << "one loop however often it starts";
        view->removeFromSuperview();
        EXPECT_TRUE(spinner->layer()->animationKeys().empty()) << "a removed view stops turning";
    }
    drain();
    EXPECT_TRUE(weak.expired());
}

TEST_F(ActivityIndicatorTest, StartingTwiceLeavesOneLoadingViewStoppingTakesOnlyTheFirstDirectOneAndNoErrorView) {
    startActivityIndicator(*root, UIColor::red(), false, true);
    startActivityIndicator(*root, UIColor::blue(), false, false);
    const auto views = loadingViews(*root->view());
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(*views.front()->activityColor(), UIColor::red());
    EXPECT_TRUE(views.front()->isBlockingSuperview());
    settle();
    root->view()->layoutIfNeeded();
    EXPECT_EQ(views.front()->frame(), root->view()->bounds()) << "pinned to the host's edges";

    const auto holder = UIView::make();
    const auto deep = LoadingView::make();
    holder->addSubview(deep);
    root->view()->addSubview(holder);
    stopActivityIndicator(*root);
    EXPECT_EQ(views.front()->superview(), nullptr);
    stopActivityIndicator(*root);
    EXPECT_EQ(deep->superview(), holder) << "only direct subviews";

    // An error view is added once and never taken away.
    const auto error = UIView::make();
    startErrorView(*root, error);
    const auto constraints = root->view()->constraints().size();
    startErrorView(*root, error);
    EXPECT_EQ(root->view()->constraints().size(), constraints) << "no second set of constraints";
    EXPECT_EQ(std::count(root->view()->subviews().begin(), root->view()->subviews().end(), error), 1);
    stopActivityIndicator(*root);
    EXPECT_EQ(error->superview(), root->view());
}

TEST_F(ActivityIndicatorTest, PanelsShowItOnTheirSurfaceFittedToWhatShowsAndLetItGoWithThem) {
    std::weak_ptr<LoadingView> weakLoading;
    {
        const auto panel = presentedPanel();
        startActivityIndicator(*panel, std::nullopt);
        const auto views = loadingViews(*panel->surfaceView());
        ASSERT_EQ(views.size(), 1u);
        EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::fitToBounds);
        settle();
        panel->view()->layoutIfNeeded();
        // The spinner sits in the middle of the part of the surface on screen.
        const auto centre = views.front()->spinnerImageView()->convert(CGPoint{20, 20}, panel->view().get());
        EXPECT_NEAR(centre.y, paneltests::halfTop + (844 - paneltests::halfTop) / 2, 0.5);
        stopActivityIndicator(*panel);
        EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
        EXPECT_EQ(panel->contentMode(), SlidePanelContentMode::staticMode);

        startActivityIndicator(*panel, UIColor::red());
        weakLoading = loadingViews(*panel->surfaceView()).front();
        advance(1.5);
        panel->dismiss(false);
        settle();
    }
    settle();
    EXPECT_TRUE(weakLoading.expired());
}

TEST_F(ActivityIndicatorTest, OverTheFullScreenItGoesOnTheKeyWindowOrElseTheControllersOwnView) {
    const auto panel = presentedPanel();
    const auto window = device->keyWindow();
    startActivityIndicator(*panel, std::nullopt, true);
    EXPECT_EQ(loadingViews(*window).size(), 1u);
    EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
    ASSERT_TRUE(device->setActivationState(UISceneActivationState::background));
    startActivityIndicator(*panel, std::nullopt, true);
    EXPECT_TRUE(loadingViews(*panel->surfaceView()).empty());
    EXPECT_EQ(loadingViews(*panel->view()).size(), 1u) << "no active key window: the controller's own view";
}

} // namespace
