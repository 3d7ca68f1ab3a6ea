#include "sdk/uikit/GradientView.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using uikit::CGPoint;
using uikit::UIColor;

std::vector<coregraphics::CGColor> cg(std::initializer_list<UIColor> colors) {
    std::vector<coregraphics::CGColor> result;
    for (const auto& color : colors) {
        result.push_back(color.cgColor());
    }
    return result;
}

TEST(GradientViewTest, LayoutFillsTheLayerAndChangesReachItAtOnceUnchecked) {
    const auto two = vyd::TwoGradientView::make({0, 0, 100, 200});
    two->layoutIfNeeded();
    EXPECT_EQ(two->gradientLayer()->colors(), cg({UIColor::black(), UIColor::white()}));
    EXPECT_EQ(two->gradientLayer()->locations(), (std::vector<double>{0.05, 0.95}));

    const auto three = vyd::ThreeGradientView::make({0, 0, 100, 200});
    three->layoutIfNeeded();
    EXPECT_EQ(three->gradientLayer()->colors(), cg({UIColor::black(), UIColor::gray(), UIColor::white()}));
    EXPECT_EQ(three->gradientLayer()->locations(), (std::vector<double>{0.05, 0.45, 0.95}));
    three->setMidColor(UIColor::red());
    EXPECT_EQ(three->gradientLayer()->colors(), cg({UIColor::black(), UIColor::red(), UIColor::white()}));
    three->setEndLocation(-2);
    EXPECT_EQ(three->gradientLayer()->locations(), (std::vector<double>{0.05, 0.45, -2}));

    // Direction: vertical, then diagonal, then the other diagonal with both modes.
    EXPECT_EQ(three->gradientLayer()->startPoint(), (CGPoint{0.5, 0}));
    three->setDiagonalMode(true);
    EXPECT_EQ(three->gradientLayer()->startPoint(), (CGPoint{0, 0}));
    EXPECT_EQ(three->gradientLayer()->endPoint(), (CGPoint{1, 1}));
    three->setHorizontalMode(true);
    EXPECT_EQ(three->gradientLayer()->startPoint(), (CGPoint{1, 0}));
    EXPECT_EQ(three->gradientLayer()->endPoint(), (CGPoint{0, 1}));
}

} // namespace
