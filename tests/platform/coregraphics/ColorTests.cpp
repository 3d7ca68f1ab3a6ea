#include "platform/coregraphics/CGColor.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace coregraphics;

namespace {

TEST(CGColor, KeepsSpaceAndComponentsWithAlphaLast) {
    EXPECT_EQ(CGColor::gray(0.25, 0.5).components(), (std::vector<CGFloat>{0.25, 0.5}));
    EXPECT_EQ(CGColor::rgb(1, 0, 0).components(), (std::vector<CGFloat>{1, 0, 0, 1}));
}

TEST(CGColor, EqualityNeedsSameSpaceAndComponents) {
    EXPECT_EQ(CGColor::white(), CGColor::gray(1, 1));
    EXPECT_NE(CGColor::white(), CGColor::rgb(1, 1, 1, 1)) << "grey and RGB white are different colours";
    EXPECT_NE(CGColor::clear(), CGColor::black());
    EXPECT_EQ(CGColor::black().copyWithAlpha(0), CGColor::clear());
    EXPECT_NE(*CGColor::create(CGColorSpace::extendedSRGB(), {1, 0, 0, 1}), CGColor::rgb(1, 0, 0, 1));
}

TEST(CGColor, CreateRefusesComponentsThatDoNotFitTheSpace) {
    EXPECT_FALSE(CGColor::create(CGColorSpace::sRGB(), {1, 0, 0}));
    EXPECT_FALSE(CGColor::create(CGColorSpace::extendedGray(), {1, 0, 0, 1}));
    EXPECT_FALSE(CGColor::create(CGColorSpace::sRGB(), {1, NAN, 0, 1}));
    const auto extended = CGColor::create(CGColorSpace::extendedSRGB(), {1.5, -0.2, 0, 1});
    EXPECT_EQ(extended.value().components()[0], 1.5) << "extended spaces keep components outside 0...1";
}

} // namespace
