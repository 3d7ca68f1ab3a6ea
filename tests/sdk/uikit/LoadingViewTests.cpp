#include "sdk/uikit/LoadingView.hpp"

#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <cmath>
#include <memory>

namespace {

using coregraphics::CGAffineTransform;
using uikit::CGRect;
using uikit::UIImageRenderingMode;
using uikit::UIView;
using vyd::LoadingView;

constexpr double pi = 3.14159265358979323846;

class LoadingViewTest : public uikittests::ManualClockTest {
protected:
    static bool near(const CGAffineTransform& a, const CGAffineTransform& b) {
        return std::fabs(a.a - b.a) < 1e-9 && std::fabs(a.b - b.b) < 1e-9 && std::fabs(a.c - b.c) < 1e-9 &&
               std::fabs(a.d - b.d) < 1e-9;
    }
};

TEST_F(LoadingViewTest, NewViewShowsTheSpinnerInItsOwnColoursOverAHiddenOverlay) {
    const auto view = LoadingView::make({0, 0, 200, 100});
    ASSERT_EQ(view->subviews().size(), 2u);
    EXPECT_EQ(view->subviews()[0], view->overlayView()) << "the spinner lies above the overlay";
    EXPECT_EQ(view->subviews()[1], view->spinnerImageView());
    EXPECT_FALSE(view->activityColor());
    EXPECT_FALSE(view->isBlockingSuperview());
    EXPECT_TRUE(view->isUserInteractionEnabled());
    EXPECT_TRUE(view->overlayView()->isHidden());
    ASSERT_TRUE(view->overlayView()->backgroundColor());
    for (const auto style : {uikit::UIUserInterfaceStyle::light, uikit::UIUserInterfaceStyle::dark}) {
        const auto traits = uikittests::style(style);
        EXPECT_EQ(view->overlayView()->backgroundColor()->resolvedColor(traits),
                  vyd::palette::overlay().resolvedColor(traits));
    }
    const auto image = view->spinnerImageView()->image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), vyd::Asset::spinner.image()->size());
    EXPECT_FALSE(view->spinnerImageView()->drawsWithTintColor());

    view->layoutIfNeeded();
    // Its frame is the box around the turned spinner: centre and bounds tell where it is.
    EXPECT_EQ(view->spinnerImageView()->center(), (uikit::CGPoint{100, 50}));
    EXPECT_EQ(view->spinnerImageView()->bounds().size, (uikit::CGSize{40, 40}));
    EXPECT_EQ(view->overlayView()->frame(), CGRect(0, 0, 200, 100));
}

TEST_F(LoadingViewTest, ActivityColourTintsTheSpinnerUntilClearedAgain) {
    const auto view = LoadingView::make();
    view->setActivityColor(uikit::UIColor::red());
    ASSERT_TRUE(view->activityColor());
    EXPECT_EQ(*view->activityColor(), uikit::UIColor::red());
    EXPECT_EQ(view->spinnerImageView()->image()->renderingMode(), UIImageRenderingMode::alwaysTemplate);
    EXPECT_TRUE(view->spinnerImageView()->drawsWithTintColor());
    EXPECT_EQ(view->spinnerImageView()->tintColor(), uikit::UIColor::red());

    view->setActivityColor(std::nullopt);
    EXPECT_FALSE(view->activityColor());
    EXPECT_EQ(view->spinnerImageView()->image()->renderingMode(), UIImageRenderingMode::alwaysOriginal);
    EXPECT_FALSE(view->spinnerImageView()->drawsWithTintColor());
    EXPECT_FALSE(view->spinnerImageView()->hasOwnTintColor());
}

TEST_F(LoadingViewTest, BlockingDimsAndLetsTouchesThroughNotBlockingTakesThem) {
    const auto host = UIView::make({0, 0, 300, 300});
    const auto underneath = UIView::make({0, 0, 300, 300});
    host->addSubview(underneath);
    const auto view = LoadingView::make({0, 0, 300, 300});
    host->addSubview(view);

    EXPECT_EQ(host->hitTest({10, 10}), view);
    view->setBlockingSuperview(true);
    EXPECT_TRUE(view->isBlockingSuperview());
    EXPECT_FALSE(view->overlayView()->isHidden());
    EXPECT_FALSE(view->isUserInteractionEnabled());
    EXPECT_EQ(host->hitTest({10, 10}), underneath);
    view->setBlockingSuperview(false);
    EXPECT_TRUE(view->overlayView()->isHidden());
    EXPECT_EQ(host->hitTest({10, 10}), view);
}

TEST_F(LoadingViewTest, SpinnerTurnsHalfATurnPerSecondForAsLongAsItShows) {
    const auto host = UIView::make({0, 0, 100, 100});
    const auto view = LoadingView::make();
    host->addSubview(view);
    const auto spinner = view->spinnerImageView();
    EXPECT_TRUE(view->isAnimating());
    EXPECT_FALSE(spinner->layer()->animationKeys().empty());
    EXPECT_TRUE(near(spinner->transform(), CGAffineTransform::rotation(pi)));
    advance(1.0);
    EXPECT_TRUE(near(spinner->transform(), CGAffineTransform::rotation(2 * pi)));
    advance(1.0);
    EXPECT_TRUE(near(spinner->transform(), CGAffineTransform::rotation(pi)));
    advance(30);
    EXPECT_TRUE(view->isAnimating());
    EXPECT_EQ(spinner->layer()->animationKeys().size(), 1u) << "one step at a time";

    // Starting again while it turns does not start a second loop.
    view->startAnimating();
    advance(0.5);
    EXPECT_EQ(spinner->layer()->animationKeys().size(), 1u);
}

TEST_F(LoadingViewTest, StoppingOrRemovingEndsTheLoopAndNothingKeepsTheViewAlive) {
    const auto host = UIView::make({0, 0, 100, 100});
    std::weak_ptr<LoadingView> weak;
    std::weak_ptr<UIView> weakSpinner;
    {
        const auto view = LoadingView::make();
        const auto spinner = view->spinnerImageView();
        host->addSubview(view);
        weak = view;
        weakSpinner = spinner;
        advance(0.4);
        view->stopAnimating();
        EXPECT_FALSE(view->isAnimating());
        EXPECT_TRUE(spinner->layer()->animationKeys().empty());
        const auto resting = spinner->transform();
        advance(10);
        EXPECT_TRUE(spinner->layer()->animationKeys().empty());
        EXPECT_TRUE(near(spinner->transform(), resting));
        view->startAnimating();
        EXPECT_FALSE(spinner->layer()->animationKeys().empty()) << "the first step turns";
        advance(5);

        view->removeFromSuperview();
        EXPECT_FALSE(view->isAnimating());
        EXPECT_TRUE(spinner->layer()->animationKeys().empty());
        // Put back, it turns again.
        host->addSubview(view);
        EXPECT_TRUE(view->isAnimating());
        advance(3);
        EXPECT_FALSE(spinner->layer()->animationKeys().empty());
        view->removeFromSuperview();
    }
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(weakSpinner.expired());

    // A view that never had a superview, turning, is not kept either.
    {
        const auto loose = LoadingView::make();
        weak = loose;
        advance(0.3);
    }
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weak.expired());
    advance(5);
}

} // namespace
