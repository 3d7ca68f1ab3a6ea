#include "platform/coregraphics/CGAffineTransform.hpp"
#include "platform/coregraphics/CGGeometry.hpp"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

using namespace coregraphics;

namespace {

void expectNear(const CGPoint& actual, const CGPoint& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(Geometry, NegativeSizesReadStandardizedAndCompareEqual) {
    const CGRect negative{40, 60, -30, -40};
    EXPECT_EQ((std::vector{negative.minX(), negative.midX(), negative.maxX(), negative.width()}),
              (std::vector<CGFloat>{10, 25, 40, 30}));
    EXPECT_EQ((std::vector{negative.minY(), negative.midY(), negative.maxY(), negative.height()}),
              (std::vector<CGFloat>{20, 40, 60, 40}));
    EXPECT_EQ(negative, CGRect(10, 20, 30, 40));
    EXPECT_NE(CGRect(10, 20, 30, 40), CGRect(10, 20, 30, 41));
    EXPECT_EQ(CGRect::null(), CGRect(1, 2, 3, 4).intersection(CGRect(10, 10, 1, 1)));
    EXPECT_NE(CGRect::null(), CGRect::zero());
}

TEST(Geometry, InsetAndOffset) {
    const CGRect r{10, 20, 30, 40};
    EXPECT_EQ(r.insetBy(5, 10), CGRect(15, 30, 20, 20));
    EXPECT_TRUE(r.insetBy(16, 0).isNull()) << "an inset larger than half the width leaves no rectangle";
    EXPECT_EQ(r.offsetBy(-10, 5), CGRect(0, 25, 30, 40));
    EXPECT_TRUE(CGRect::null().offsetBy(1, 1).isNull());
}

TEST(Geometry, ContainsIsHalfOpenAndIntersectsNeedsArea) {
    const CGRect r{0, 0, 10, 10};
    EXPECT_TRUE(r.contains(CGPoint{0, 0}) && r.contains(CGRect(2, 2, 8, 8)) && r.intersects(CGRect(9, 9, 5, 5)));
    EXPECT_FALSE(r.contains(CGPoint{10, 5}) || r.contains(CGRect(2, 2, 9, 8)) || r.intersects(CGRect::null()));

    EXPECT_FALSE(r.intersects(CGRect(10, 0, 5, 5))) << "touching edges share no area";
    EXPECT_EQ(r.intersection(CGRect(10, 0, 5, 5)), CGRect(10, 0, 0, 5));
    EXPECT_EQ(r.intersection(CGRect(5, -5, 10, 10)), CGRect(5, 0, 5, 5));
    EXPECT_EQ(r.unionWith(CGRect(20, 20, 5, 5)), CGRect(0, 0, 25, 25));
    EXPECT_EQ(CGRect::null().unionWith(r), r);
    EXPECT_TRUE(CGRect(3, 3, 0, 4).isEmpty());
}

TEST(AffineTransform, AppliesRotationTranslationAndScaleToPoints) {
    const CGPoint p{1, 0};
    expectNear(p.applying(CGAffineTransform::rotation(std::numbers::pi / 2)), {0, 1});
    expectNear(p.applying(CGAffineTransform::translation(3, 4)), {4, 4});
    expectNear(p.applying(CGAffineTransform::scale(2, 3)), {2, 0});
    EXPECT_EQ((CGSize{2, 3}.applying(CGAffineTransform::translation(100, 100))), (CGSize{2, 3}));
}

TEST(AffineTransform, InverseUndoesAndSingularStaysUnchanged) {
    const CGAffineTransform t{0.8, 0.6, -1.2, 1.6, 4, -2}; // turned, stretched and moved
    expectNear(CGPoint{7, 9}.applying(t).applying(t.inverted()), {7, 9});
    const auto singular = CGAffineTransform::scale(0, 1);
    EXPECT_EQ(singular.inverted(), singular);
}

TEST(AffineTransform, RectBecomesBoundingBoxOfTransformedCorners) {
    const CGRect r{0, 0, 10, 20};
    const CGRect rotated = r.applying(CGAffineTransform::rotation(std::numbers::pi / 2));
    EXPECT_NEAR(rotated.minX(), -20, 1e-9);
    EXPECT_NEAR(rotated.maxX(), 0, 1e-9);
    EXPECT_NEAR(rotated.width(), 20, 1e-9);
    EXPECT_NEAR(rotated.height(), 10, 1e-9);
    EXPECT_EQ(r.applying(CGAffineTransform::scale(2, 3)), CGRect(0, 0, 20, 60));
}

} // namespace
