#include "sdk/uikit/SnackBarViewController.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

namespace {

using uikit::CGRect;
using vyd::SnackBarViewController;

constexpr double safeBottomEdge = 844 - 34;
constexpr double slide = 0.25; // the platform's animation duration

class SnackBarTest : public uikittests::PhoneTest {
protected:
    std::shared_ptr<SnackBarViewController> shown(const std::string& text = "Signed in with VY ID") {
        auto bar = SnackBarViewController::make(text);
        bar->showSnackBarOn(root);
        EXPECT_EQ(bar->snackBarView()->frame().minY(), 844) << "first out of sight, below the screen";
        advance(slide + 0.01);
        return bar;
    }
    bool onScreen(const SnackBarViewController& bar) const {
        return bar.snackBarView()->superview() == root->view() && bar.parent() == root && bar.isSnackBarShown();
    }
};

TEST_F(SnackBarTest, BarRestsEightPointsInAndAboveTheSafeAreaWithAtMostTwoLines) {
    const auto bar = shown();
    EXPECT_EQ(bar->snackBarView()->frame(), CGRect(8, safeBottomEdge - 8 - 52, 374, 52));

    const auto longer = shown("VY Bank could not confirm who you are. Check that the VY ID app is installed, that "
                              "you are online, and try once more in a minute or two.");
    const auto lines = longer->snackBarView()->labelView()->displayedText();
    EXPECT_EQ(lines.lineCount(), 2u);
    EXPECT_TRUE(lines.truncated);
    EXPECT_EQ(longer->snackBarView()->frame().maxY(), safeBottomEdge - 8);
}

TEST_F(SnackBarTest, OnlyAFlickDownOfMoreThanHalfItsHeightTakesItAway) {
    for (const auto& [dy, hides] : std::vector<std::pair<double, bool>>{{27, true}, {26, false}, {-60, false}}) {
        const auto bar = shown();
        const auto resting = bar->snackBarView()->frame();
        testing::SimulatedUser::drag(bar->snackBarView(), {0, dy});
        EXPECT_EQ(bar->snackBarView()->frame(), resting) << "the bar does not follow the finger";
        advance(2 * slide);
        EXPECT_EQ(onScreen(*bar), !hides) << dy;
        bar->hideSnackBar(false);
    }
}

TEST_F(SnackBarTest, EachShowingsTimerSlidesDownWhateverIsShownThen) {
    const double start = foundation::Clock::now();
    const auto at = [start](double seconds) { advance(start + seconds - foundation::Clock::now()); };
    const auto bar = shown();
    at(3);
    bar->showSnackBarOn(root); // replaced at once
    EXPECT_TRUE(onScreen(*bar));
    EXPECT_EQ(root->children().size(), 1u);
    EXPECT_EQ(bar->snackBarView()->frame().minY(), 844) << "the new showing starts below the screen";
    // The first showing's timer fires 5 s after its slide-in and takes the second bar away.
    at(slide + 5 - 0.01);
    EXPECT_TRUE(onScreen(*bar));
    at(slide + 5 + slide + 0.02);
    EXPECT_FALSE(onScreen(*bar));
    EXPECT_FALSE(bar->isSnackBarShown());

    const auto other = shown();
    other->hideSnackBar(false);
    EXPECT_FALSE(other->isSnackBarShown());
    EXPECT_EQ(other->snackBarView()->superview(), nullptr);
    EXPECT_EQ(other->parent(), nullptr);
}

} // namespace
