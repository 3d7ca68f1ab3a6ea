#include "sdk/uikit/SnackBarViewController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <memory>

namespace {

using uikit::CGRect;
using vyd::SnackBarViewController;

// The phone: 390 x 844 points; the bottom of its safe area is 34 points above the bottom edge.
constexpr double safeBottomEdge = 844 - 34;
constexpr double slide = 0.25; // the platform's animation duration

class SnackBarTest : public uikittests::PhoneTest {
protected:
    // Shown, slid in and at rest.
    std::shared_ptr<SnackBarViewController> shown(const std::string& text = "Signed in with VY ID") {
        auto bar = SnackBarViewController::make(text);
        bar->showSnackBarOn(root);
        advance(slide + 0.01);
        return bar;
    }
    bool onScreen(const SnackBarViewController& bar) const {
        return bar.snackBarView()->superview() == root->view() && bar.parent() == root;
    }
};

TEST_F(SnackBarTest, OneLineBarRestsEightPointsInAndAboveTheSafeArea) {
    auto bar = SnackBarViewController::make("Signed in with VY ID");
    bar->showSnackBarOn(root);
    EXPECT_TRUE(bar->isSnackBarShown());
    EXPECT_EQ(bar->snackBarView()->frame(), CGRect(8, 844, 374, 52)) << "first out of sight, below the screen";
    advance(slide + 0.01);
    EXPECT_EQ(bar->snackBarView()->frame(), CGRect(8, safeBottomEdge - 8 - 52, 374, 52));
    EXPECT_EQ(bar->snackBarView()->backgroundView()->layer()->cornerRadius(), 15);
    EXPECT_EQ(bar->snackBarView()->backgroundView()->backgroundColor(), vyd::palette::darkGray());
}

TEST_F(SnackBarTest, LongMessageIsCutToTwoLines) {
    const auto bar = shown("VY Bank could not confirm who you are. Check that the VY ID app is installed, that you are "
                           "online, and try once more in a minute or two.");
    const auto lines = bar->snackBarView()->labelView()->displayedText();
    EXPECT_EQ(lines.lineCount(), 2u);
    EXPECT_TRUE(lines.truncated);
    EXPECT_GT(bar->snackBarView()->frame().height(), 52) << "two lines are taller than the least label height";
    EXPECT_EQ(bar->snackBarView()->frame().maxY(), safeBottomEdge - 8);
}

TEST_F(SnackBarTest, OnlyAFlickDownOfMoreThanHalfItsHeightTakesItAway) {
    for (const auto& [dy, hides] : std::vector<std::pair<double, bool>>{{27, true}, {26, false}, {-60, false}}) {
        const auto bar = shown();
        const auto resting = bar->snackBarView()->frame();
        testing::SimulatedUser::drag(bar->snackBarView(), {0, dy});
        EXPECT_EQ(bar->snackBarView()->frame(), resting) << "the bar does not follow the finger";
        advance(2 * slide);
        EXPECT_EQ(onScreen(*bar), !hides) << dy;
        EXPECT_EQ(bar->isSnackBarShown(), !hides) << dy;
        bar->hideSnackBar(false);
    }
}

TEST_F(SnackBarTest, EachShowingsTimerSlidesDownWhateverIsShownThen) {
    const double start = foundation::Clock::now();
    const auto at = [start](double seconds) { advance(start + seconds - foundation::Clock::now()); };
    auto bar = SnackBarViewController::make("Signed in with VY ID");
    bar->showSnackBarOn(root);
    at(3);
    bar->showSnackBarOn(root); // replaced at once
    EXPECT_TRUE(onScreen(*bar));
    EXPECT_EQ(root->children().size(), 1u);
    EXPECT_EQ(bar->snackBarView()->frame().minY(), 844) << "the new showing starts below the screen";
    at(3 + slide + 0.01);
    EXPECT_EQ(bar->snackBarView()->frame().maxY(), safeBottomEdge - 8);

    // The first showing slid in by 0.25 s; its timer fires 5 s later and the bar slides down.
    at(slide + 5 - 0.01);
    EXPECT_TRUE(onScreen(*bar));
    at(slide + 5 + slide + 0.01);
    EXPECT_FALSE(onScreen(*bar)) << "the first showing's timer took the second bar away";
    EXPECT_FALSE(bar->isSnackBarShown());
}

TEST_F(SnackBarTest, TimerHidesAfterFiveSecondsAndHidingAtOnceRemovesAtOnce) {
    const auto bar = shown();
    advance(5 - 0.02);
    EXPECT_TRUE(onScreen(*bar));
    EXPECT_TRUE(bar->isSnackBarShown());
    advance(slide + 0.05);
    EXPECT_FALSE(onScreen(*bar));
    EXPECT_EQ(bar->snackBarView()->superview(), nullptr);

    const auto other = shown();
    other->hideSnackBar(false);
    EXPECT_FALSE(other->isSnackBarShown());
    EXPECT_EQ(other->snackBarView()->superview(), nullptr);
    EXPECT_EQ(other->parent(), nullptr);
    EXPECT_TRUE(root->children().empty());
}

} // namespace
