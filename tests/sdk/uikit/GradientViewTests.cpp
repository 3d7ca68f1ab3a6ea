#include "sdk/uikit/GradientView.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using coregraphics::CGColor;
using uikit::CGPoint;
using uikit::UIColor;

std::vector<CGColor> cg(std::initializer_list<UIColor> colors) {
    std::vector<CGColor> result;
    for (const auto& color : colors) {
        result.push_back(color.cgColor());
    }
    return result;
}

TEST(GradientViewTest, ViewsMakeGradientLayersThatEveryLayoutFills) {
    const auto two = vyd::TwoGradientView::make({0, 0, 100, 200});
    ASSERT_NE(two->gradientLayer(), nullptr);
    EXPECT_EQ(two->gradientLayer(), two->layer()) << "the view's own layer is the gradient layer";
    EXPECT_TRUE(two->gradientLayer()->colors().empty()) << "making the view does not touch the layer";

    two->layoutIfNeeded();
    EXPECT_EQ(two->gradientLayer()->colors(), cg({UIColor::black(), UIColor::white()}));
    EXPECT_EQ(two->gradientLayer()->locations(), (std::vector<double>{0.05, 0.95}));
    EXPECT_EQ(two->gradientLayer()->startPoint(), (CGPoint{0.5, 0}));
    EXPECT_EQ(two->gradientLayer()->endPoint(), (CGPoint{0.5, 1}));

    // Every layout pass writes the properties again, over what was set on the layer directly.
    two->gradientLayer()->setStartPoint({0.3, 0.3});
    two->gradientLayer()->setColors({});
    two->setFrame({0, 0, 80, 80});
    two->layoutIfNeeded();
    EXPECT_EQ(two->gradientLayer()->startPoint(), (CGPoint{0.5, 0}));
    EXPECT_EQ(two->gradientLayer()->colors(), cg({UIColor::black(), UIColor::white()}));

    const auto three = vyd::ThreeGradientView::make({0, 0, 100, 200});
    three->layoutIfNeeded();
    EXPECT_EQ(three->gradientLayer()->colors(), cg({UIColor::black(), UIColor::gray(), UIColor::white()}));
    EXPECT_EQ(three->gradientLayer()->locations(), (std::vector<double>{0.05, 0.45, 0.95}));
}

TEST(GradientViewTest, DirectionFollowsTheTwoModes) {
    struct Case {
        bool horizontal;
        bool diagonal;
        CGPoint start;
        CGPoint end;
    };
    const Case cases[] = {
        {false, false, {0.5, 0}, {0.5, 1}},
        {false, true, {0, 0}, {1, 1}},
        {true, false, {0, 0.5}, {1, 0.5}},
        {true, true, {1, 0}, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.horizontal) + std::to_string(c.diagonal));
        // The direction is the base's: one kind of view serves.
        const auto view = vyd::TwoGradientView::make();
        view->setDiagonalMode(c.diagonal);
        view->setHorizontalMode(c.horizontal);
        EXPECT_EQ(view->gradientLayer()->startPoint(), c.start) << "set at once, without a layout pass";
        EXPECT_EQ(view->gradientLayer()->endPoint(), c.end);
    }
}

TEST(GradientViewTest, ChangesReachTheLayerAtOnceUncheckedEvenWhenTheValueIsTheSame) {
    const auto view = vyd::ThreeGradientView::make();
    view->setMidColor(UIColor::red());
    EXPECT_EQ(view->gradientLayer()->colors(), cg({UIColor::black(), UIColor::red(), UIColor::white()}));

    view->gradientLayer()->setColors({});
    view->setStartColor(UIColor::black());
    EXPECT_EQ(view->gradientLayer()->colors().size(), 3u) << "setting the same colour still updates the layer";

    view->gradientLayer()->setLocations(std::nullopt);
    view->setEndLocation(0.95);
    EXPECT_EQ(view->gradientLayer()->locations(), (std::vector<double>{0.05, 0.45, 0.95}));

    const auto two = vyd::TwoGradientView::make();
    two->setEndColor(UIColor::blue());
    two->setStartLocation(0.2);
    EXPECT_EQ(two->gradientLayer()->colors(), cg({UIColor::black(), UIColor::blue()}));
    EXPECT_EQ(two->gradientLayer()->locations(), (std::vector<double>{0.2, 0.95}));
}

} // namespace
