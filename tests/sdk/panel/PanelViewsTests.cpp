#include "sdk/panel/PassthroughView.hpp"

#include <gtest/gtest.h>

namespace {

using uikit::UIView;

TEST(PassthroughViewTest, TouchesAroundTheSurfaceReachTheForwardingViewHeldWeaklyWithoutLooping) {
    auto screen = UIView::make({0, 0, 390, 844});
    auto button = UIView::make({20, 100, 100, 44});
    screen->addSubview(button);
    const auto panel = vyd::PassthroughView::make({0, 0, 390, 844});
    const auto surface = UIView::make({0, 500, 390, 344});
    panel->addSubview(surface);
    const auto outer = UIView::make({0, 0, 390, 844});
    outer->addSubview(screen);
    outer->addSubview(panel);
    EXPECT_EQ(panel->hitTest({50, 120}), nullptr) << "without a forwarding view a touch falls through";
    panel->setEventForwardingView(screen);
    EXPECT_EQ(panel->hitTest({50, 120}), button);
    EXPECT_EQ(panel->hitTest({50, 600}), surface);

    screen->removeFromSuperview();
    button.reset();
    screen.reset();
    EXPECT_EQ(panel->eventForwardingView(), nullptr);
    EXPECT_EQ(panel->hitTest({50, 120}), nullptr);

    for (const auto& ancestor : {outer, std::static_pointer_cast<UIView>(panel)}) {
        panel->setEventForwardingView(ancestor);
        EXPECT_EQ(panel->hitTest({10, 10}), nullptr);
    }
}

} // namespace
