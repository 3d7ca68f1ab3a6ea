#include "platform/uikit/UIEdgeInsets.hpp"

#include <gtest/gtest.h>

using coregraphics::CGRect;
using uikit::UIEdgeInsets;

namespace {

TEST(EdgeInsets, InsetShrinksEachEdgeByItsOwnAmount) {
    const CGRect r{0, 0, 100, 50};
    EXPECT_EQ(uikit::inset(r, UIEdgeInsets{1, 2, 3, 4}), CGRect(2, 1, 94, 46));
    EXPECT_EQ(uikit::inset(r, UIEdgeInsets::zero()), r);
    EXPECT_EQ(uikit::inset(r, UIEdgeInsets{-5, -5, -5, -5}), CGRect(-5, -5, 110, 60));
    const CGRect tooSmall = uikit::inset(r, UIEdgeInsets{0, 60, 0, 60});
    EXPECT_EQ(tooSmall.size.width, -20);
    EXPECT_EQ(tooSmall.width(), 20);
    EXPECT_NE((UIEdgeInsets{1, 0, 0, 0}), (UIEdgeInsets{0, 1, 0, 0}));
}

} // namespace
