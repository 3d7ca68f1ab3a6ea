#include "sdk/panel/PassthroughView.hpp"
#include "sdk/panel/SurfaceView.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

using uikit::UIView;
using vyd::PassthroughView;
using vyd::SurfaceView;

TEST(PassthroughViewTest, TouchesAroundTheSurfaceReachTheViewUnderneath) {
    auto screen = UIView::make({0, 0, 390, 844});
    auto button = UIView::make({20, 100, 100, 44});
    screen->addSubview(button);
    auto overlay = UIView::make({0, 0, 390, 844});
    auto panel = PassthroughView::make({0, 0, 390, 844});
    auto surface = UIView::make({0, 500, 390, 344});
    panel->addSubview(surface);
    overlay->addSubview(panel);
    auto root = UIView::make({0, 0, 390, 844});
    root->addSubview(screen);
    root->addSubview(overlay);

    // Without a forwarding view a touch outside the surface falls through.
    EXPECT_EQ(panel->hitTest({50, 120}), nullptr);
    EXPECT_EQ(panel->hitTest({50, 600}), surface);

    panel->setEventForwardingView(screen);
    EXPECT_EQ(panel->hitTest({50, 120}), button);
    EXPECT_EQ(panel->hitTest({300, 300}), screen);
    EXPECT_EQ(panel->hitTest({50, 600}), surface);
    EXPECT_EQ(root->hitTest({50, 120}), button);

    // Held weakly.
    std::weak_ptr<UIView> weakScreen = screen;
    screen->removeFromSuperview();
    button.reset();
    screen.reset();
    EXPECT_TRUE(weakScreen.expired());
    EXPECT_EQ(panel->eventForwardingView(), nullptr);
    EXPECT_EQ(panel->hitTest({50, 120}), nullptr);
}

TEST(PassthroughViewTest, ForwardingToAnAncestorDoesNotLoop) {
    auto outer = UIView::make({0, 0, 100, 100});
    auto panel = PassthroughView::make({0, 0, 100, 100});
    outer->addSubview(panel);
    panel->setEventForwardingView(outer);
    EXPECT_EQ(panel->hitTest({10, 10}), nullptr);
    panel->setEventForwardingView(panel);
    EXPECT_EQ(panel->hitTest({10, 10}), nullptr);
}

TEST(SurfaceViewTest, ContainerAndHandleFollowTheSurfaceAndContentFillsTheContainer) {
    auto surface = SurfaceView::make();
    surface->setAppearance({uikit::UIColor::red(), 24});
    EXPECT_EQ(surface->containerView()->layer()->cornerRadius(), 24);
    ASSERT_TRUE(surface->containerView()->backgroundColor());
    EXPECT_EQ(*surface->containerView()->backgroundColor(), uikit::UIColor::red());
    EXPECT_EQ(surface->containerView()->layer()->maskedCorners(),
              quartzcore::CACornerMask::layerMinXMinYCorner | quartzcore::CACornerMask::layerMaxXMinYCorner);
    EXPECT_TRUE(surface->containerView()->clipsToBounds());

    surface->setFrame({0, 300, 390, 544});
    EXPECT_EQ(surface->containerView()->frame(), uikit::CGRect(0, 0, 390, 544));
    EXPECT_EQ(surface->grabberHandle()->frame(), uikit::CGRect(177, 6, 36, 5));

    auto content = UIView::make();
    surface->setContentView(content);
    surface->layoutIfNeeded();
    EXPECT_EQ(content->superview(), surface->containerView());
    EXPECT_EQ(content->frame(), uikit::CGRect(0, 0, 390, 544));
    // The handle stays in front of the content.
    EXPECT_EQ(surface->subviews().back(), surface->grabberHandle());

    // Setting the same content again adds nothing.
    const auto constraintCount = surface->containerView()->constraints().size();
    surface->setContentView(content);
    EXPECT_EQ(surface->containerView()->constraints().size(), constraintCount);
}

} // namespace
