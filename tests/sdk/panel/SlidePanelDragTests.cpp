#include "sdk/panel/SlidePanelDrag.hpp"

#include "PanelTestSupport.hpp"

#include <cmath>
#include <limits>
#include <memory>

namespace {

using vyd::SlidePanelBehavior;
using vyd::SlidePanelBottomLayout;
using vyd::SlidePanelDefaultBehavior;
using vyd::SlidePanelDrag;
using vyd::SlidePanelLayoutContext;
using vyd::SlidePanelLayoutPositions;
using vyd::SlidePanelRelease;
using vyd::SlidePanelState;
using vyd::SlidePanelStateRef;

using paneltests::fullTop;
using paneltests::halfTop;
using paneltests::hiddenTop;
using paneltests::tipTop;

// The default layout on the panel tests' phone.
const SlidePanelLayoutPositions& bottom() {
    static const SlidePanelLayoutPositions positions(SlidePanelBottomLayout(),
                                                     SlidePanelLayoutContext{{0, 0, 390, 844}, {47, 0, 34, 0}, {}});
    return positions;
}

class StayingBehavior : public SlidePanelBehavior {
public:
    bool allowsStateChangeByDrag() const override { return false; }
};

TEST(SlidePanelDragTest, SurfaceFollowsTheFingerBetweenHiddenAndARubberBandAboveFull) {
    const SlidePanelDefaultBehavior behavior;
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, -100), halfTop - 100);
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, 400), hiddenTop);
    // Above full the surface resists: it moves less than the finger, ever less, never past
    // the limit.
    const double a = SlidePanelDrag::surfaceTop(bottom(), behavior, fullTop, -20);
    const double b = SlidePanelDrag::surfaceTop(bottom(), behavior, fullTop, -200);
    EXPECT_LT(a, fullTop);
    EXPECT_GT(a, fullTop - 20);
    EXPECT_LT(b, a);
    EXPECT_GT(b, fullTop - behavior.rubberBandLimit());
    for (const double wild : {-1e300, -std::numeric_limits<double>::max(), 1e300, std::numeric_limits<double>::max()}) {
        const double top = SlidePanelDrag::surfaceTop(bottom(), behavior, fullTop, wild);
        EXPECT_TRUE(std::isfinite(top)) << wild;
        EXPECT_GE(top, fullTop - behavior.rubberBandLimit()) << wild;
        EXPECT_LE(top, hiddenTop) << wild;
    }
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, std::numeric_limits<double>::quiet_NaN()),
              halfTop);
}

TEST(SlidePanelDragTest, ReleaseTargets) {
    struct Row {
        const char* name;
        double top;
        double velocity;
        SlidePanelStateRef expected;
    };
    const SlidePanelDefaultBehavior behavior;
    const Row rows[] = {
        // Slow releases go to the nearest state.
        {"slow near half", halfTop - 50, -100, SlidePanelState::half()},
        {"slow near full", 200, 0, SlidePanelState::full()},
        {"slow near tip", 800, 50, SlidePanelState::tip()},
        // A fling goes one state on in its direction.
        {"fling up from half", halfTop - 20, -1500, SlidePanelState::full()},
        {"fling down from half", halfTop + 20, 1500, SlidePanelState::tip()},
        {"fling up from tip", tipTop - 15, -900, SlidePanelState::half()},
        // The nearest state still ahead counts as the first step.
        {"fling up just below full", fullTop + 30, -1500, SlidePanelState::full()},
        {"fling down just above tip", tipTop - 30, 1500, SlidePanelState::tip()},
        // At the ends a fling cannot go further.
        {"fling up at full", fullTop - 10, -5000, SlidePanelState::full()},
        {"fling down at tip", tipTop + 10, 3000, SlidePanelState::tip()},
        // Wild values end at a state of the layout.
        {"absurd fling up", -1e300, -1e300, SlidePanelState::full()},
        {"absurd fling down", 1e300, 1e300, SlidePanelState::tip()},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
         SlidePanelState::tip()},
    };
    for (const auto& row : rows) {
        const SlidePanelRelease release =
            SlidePanelDrag::release(bottom(), behavior, SlidePanelState::half(), row.top, row.velocity, false);
        EXPECT_FALSE(release.remove) << row.name;
        EXPECT_EQ(release.target, row.expected) << row.name;
        EXPECT_TRUE(std::isfinite(release.velocity)) << row.name;
        EXPECT_LE(std::fabs(release.velocity), behavior.spring().maximumVelocity) << row.name;
    }
}

TEST(SlidePanelDragTest, RemovalByFlickOrDistanceOnlyWhenEnabled) {
    const SlidePanelDefaultBehavior behavior;
    const double travel = hiddenTop - tipTop;
    struct Row {
        const char* name;
        double top;
        double velocity;
        bool removes;
    };
    const Row rows[] = {
        {"flick at the threshold", halfTop + 40, behavior.removalInteractionVelocityThreshold() * travel, true},
        {"flick just under it", halfTop + 40, behavior.removalInteractionVelocityThreshold() * travel - 5, false},
        {"past half the way to hidden", tipTop + travel * 0.6, 0, true},
        {"past half the way, flung up", tipTop + travel * 0.6, -1000, false},
        {"short of half the way", tipTop + travel * 0.4, 100, false},
        {"absurd flick", halfTop, 1e300, true},
    };
    for (const auto& row : rows) {
        const auto on =
            SlidePanelDrag::release(bottom(), behavior, SlidePanelState::half(), row.top, row.velocity, true);
        EXPECT_EQ(on.remove, row.removes) << row.name;
        if (on.remove) {
            EXPECT_EQ(on.target, SlidePanelState::hidden()) << row.name;
            EXPECT_NEAR(on.normalizedVelocity, on.velocity / travel, 1e-9) << row.name;
        }
        const auto off =
            SlidePanelDrag::release(bottom(), behavior, SlidePanelState::half(), row.top, row.velocity, false);
        EXPECT_FALSE(off.remove) << row.name;
        EXPECT_NE(off.target, SlidePanelState::hidden()) << row.name;
    }
}

TEST(SlidePanelDragTest, BehaviourThatKeepsTheStateSpringsBack) {
    const StayingBehavior behavior;
    for (const double velocity : {-3000.0, 0.0, 3000.0}) {
        const auto release = SlidePanelDrag::release(bottom(), behavior, SlidePanelState::half(), 100, velocity, false);
        EXPECT_EQ(release.target, SlidePanelState::half()) << velocity;
    }
    // A hidden panel dragged (by a delegate's doing) goes to the nearest visible state.
    EXPECT_EQ(SlidePanelDrag::release(bottom(), behavior, SlidePanelState::hidden(), 100, 0, false).target,
              SlidePanelState::full());
    // Removal still works.
    EXPECT_TRUE(SlidePanelDrag::release(bottom(), behavior, SlidePanelState::half(), halfTop, 1e6, true).remove);
}

} // namespace
