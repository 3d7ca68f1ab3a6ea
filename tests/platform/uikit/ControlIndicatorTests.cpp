#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIProgressView.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace uikit;

namespace {

TEST(ActivityIndicatorTest, AnimatesOnlyBetweenStartAndStopAndHidesWhenStopped) {
    auto indicator = UIActivityIndicatorView::make();
    EXPECT_FALSE(indicator->isAnimating());
    EXPECT_TRUE(indicator->isHidden()); // hidden until started
    EXPECT_EQ(indicator->intrinsicContentSize(), (CGSize{20, 20}));
    EXPECT_EQ(UIActivityIndicatorView::make(UIActivityIndicatorViewStyle::large)->intrinsicContentSize(),
              (CGSize{37, 37}));

    indicator->setColor(UIColor::red());
    indicator->startAnimating();
    EXPECT_TRUE(indicator->isAnimating());
    EXPECT_FALSE(indicator->isHidden());
    EXPECT_NE(indicator->layer()->animation("spin"), nullptr);
    EXPECT_TRUE(indicator->color() == UIColor::red());

    indicator->stopAnimating();
    EXPECT_FALSE(indicator->isAnimating());
    EXPECT_TRUE(indicator->isHidden());
    EXPECT_EQ(indicator->layer()->animation("spin"), nullptr);

    // Kept visible when told not to hide.
    indicator->setHidesWhenStopped(false);
    EXPECT_FALSE(indicator->isHidden());
    indicator->startAnimating();
    indicator->stopAnimating();
    EXPECT_FALSE(indicator->isHidden());
    indicator->setColor(std::nullopt);
    EXPECT_TRUE(indicator->color() == UIColor::gray());
    foundation::RunLoop::main().discardPending();
}

TEST(ProgressViewTest, ProgressIsClampedAndKeepsItsColours) {
    auto bar = UIProgressView::make(UIProgressViewStyle::bar);
    EXPECT_EQ(bar->progressViewStyle(), UIProgressViewStyle::bar);
    EXPECT_EQ(bar->progress(), 0);
    bar->setProgress(0.4f, true);
    EXPECT_FLOAT_EQ(bar->progress(), 0.4f);
    bar->setProgress(1.7f);
    EXPECT_EQ(bar->progress(), 1);
    bar->setProgress(-1);
    EXPECT_EQ(bar->progress(), 0);
    bar->setProgress(NAN);
    EXPECT_EQ(bar->progress(), 0);
    bar->setProgressTintColor(UIColor::systemBlue());
    EXPECT_TRUE(bar->progressTintColor()->isIdentical(UIColor::systemBlue()));
    EXPECT_EQ(bar->intrinsicContentSize().width, UIView::noIntrinsicMetric);
    EXPECT_GT(bar->intrinsicContentSize().height, 0);
}

} // namespace
