// The panel's states, layouts, drag decisions and springs, apart from any view.

#include "sdk/panel/SlidePanelDrag.hpp"
#include "sdk/panel/SlidePanelLayout.hpp"
#include "sdk/panel/SlidePanelState.hpp"
#include "sdk/panel/SpringMotion.hpp"

#include "PanelTestSupport.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

using namespace vyd;
using namespace paneltests;
using States = std::vector<SlidePanelStateRef>;

const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const SlidePanelStateRef &full = SlidePanelState::full(), &half = SlidePanelState::half(),
                         &tip = SlidePanelState::tip(), &hidden = SlidePanelState::hidden();

// The panel tests' phone: 390 x 844 with a 47-point notch and a 34-point home indicator.
SlidePanelLayoutContext phone(std::function<double(double)> fitting = {}) {
    return {{0, 0, 390, 844}, {47, 0, 34, 0}, std::move(fitting)};
}
const SlidePanelLayoutPositions& bottom() {
    static const SlidePanelLayoutPositions positions(SlidePanelBottomLayout(), phone());
    return positions;
}

TEST(SlidePanelStateTest, SharedStatesAndMadeOnesAreDistinctByIdentityAndNeighboursFollowTheListsOrder) {
    EXPECT_EQ(full->order(), 1000);
    EXPECT_EQ(hidden->order(), 0);
    EXPECT_EQ(SlidePanelState::full(), SlidePanelState::full()) << "one object on every read";

    const SlidePanelStateRef made = SlidePanelState::make("half");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->description(), "half");
    EXPECT_EQ(made->order(), 0);
    EXPECT_NE(made, half);
    EXPECT_EQ(half->copy(), half);

    // Neighbours follow the list's own order and stop at the ends.
    const States all{hidden, tip, half, full};
    // Columns: states, state, next, previous.
    const std::tuple<States, SlidePanelStateRef, SlidePanelStateRef, SlidePanelStateRef> rows[] = {
        {all, hidden, tip, hidden},
        {all, tip, half, hidden},
        {all, full, full, half},
        {{full, half, hidden}, half, hidden, full}, // the list's order, not the ranks
        {{hidden, half, full}, tip, tip, tip},      // absent
        {{}, half, half, half},
        {{half, tip, full, tip}, tip, full, half}, // the first occurrence decides
    };
    for (const auto& [states, state, next, pre] : rows) {
        EXPECT_EQ(state->next(states), next) << *state << " in " << states.size();
        EXPECT_EQ(state->pre(states), pre) << *state << " in " << states.size();
    }
}

TEST(SlidePanelLayoutTest, AnchorsAndPositionsRankTheStatesAndResolveOthers) {
    using Anchor = SlidePanelLayoutAnchor;
    EXPECT_EQ(Anchor(262, SlidePanelReferenceEdge::bottom, SlidePanelReferenceGuide::superview).surfaceTop(phone()),
              844 - 262);
    // No content, or one that answers nonsense, needs no height.
    for (const auto& context :
         {phone(), phone([](double) { return -5.0; }), phone([](double) { return notANumber; })}) {
        EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor().surfaceTop(context), 844 - 34);
    }
    EXPECT_EQ(bottom().states(), (States{hidden, tip, half, full}));
    EXPECT_EQ(bottom().nearestState(840, true), hidden);

    const SlidePanelLayoutPositions web(
        SlidePanelSingleStateLayout(
            full, std::make_shared<Anchor>(16, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::safeArea)),
        phone());
    EXPECT_EQ(web.validState(half), full);
    EXPECT_EQ(web.validState(SlidePanelState::make("full")), hidden) << "made anew, it ranks 0";
    EXPECT_EQ(web.validState(SlidePanelState::make("peek", 700)), full);
    EXPECT_EQ(web.validState(nullptr), hidden);
}

TEST(SlidePanelDragTest, SurfaceFollowsTheFingerWithARubberBandAboveFullAndAReleaseGoesToTheNearestState) {
    const SlidePanelDefaultBehavior behavior;
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, -100), halfTop - 100);
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, 400), hiddenTop);
    EXPECT_EQ(SlidePanelDrag::surfaceTop(bottom(), behavior, halfTop, notANumber), halfTop);
    // Above full the surface moves less than the finger, never past the limit.
    EXPECT_GT(SlidePanelDrag::surfaceTop(bottom(), behavior, fullTop, -20), fullTop - 20);
    for (const double wild : {-1e300, 1e300, std::numeric_limits<double>::max(), -infinity}) {
        const double top = SlidePanelDrag::surfaceTop(bottom(), behavior, fullTop, wild);
        EXPECT_GE(top, fullTop - behavior.rubberBandLimit()) << wild;
        EXPECT_LE(top, hiddenTop) << wild;
    }

    // A release goes to the nearest state, or one on for a fling.
    const std::tuple<double, double, SlidePanelStateRef> rows[] = {
        {halfTop - 50, -100, half},  {800, 50, tip},            // slow: the nearest
        {halfTop - 20, -1500, full}, {halfTop + 20, 1500, tip}, // a fling: one on
        {fullTop - 10, -5000, full},                            // no further than the ends
        {1e300, 1e300, tip},         {notANumber, notANumber, tip},
    };
    for (const auto& [top, velocity, expected] : rows) {
        const auto release = SlidePanelDrag::release(bottom(), behavior, half, top, velocity, false);
        EXPECT_FALSE(release.remove);
        EXPECT_EQ(release.target, expected) << top << " at " << velocity;
        EXPECT_LE(std::fabs(release.velocity), behavior.spring().maximumVelocity) << top;
    }
}

class StayingBehavior : public SlidePanelBehavior {
public:
    bool allowsStateChangeByDrag() const override { return false; }
};

TEST(SlidePanelDragTest, RemovalByFlickOrDistanceOnlyWhenEnabledAndEvenWhenTheStateStays) {
    const SlidePanelDefaultBehavior behavior;
    const double travel = hiddenTop - tipTop;
    const double threshold = behavior.removalInteractionVelocityThreshold() * travel;
    const std::tuple<double, double, bool> rows[] = {
        {halfTop + 40, threshold, true},     {halfTop + 40, threshold - 5, false},
        {tipTop + travel * 0.6, 0, true},    {tipTop + travel * 0.6, -1000, false}, // past half the way, flung up
        {tipTop + travel * 0.4, 100, false}, {halfTop, 1e300, true},
    };
    for (const auto& [top, velocity, removes] : rows) {
        const auto on = SlidePanelDrag::release(bottom(), behavior, half, top, velocity, true);
        EXPECT_EQ(on.remove, removes) << top << " at " << velocity;
        if (on.remove) {
            EXPECT_EQ(on.target, hidden);
            EXPECT_NEAR(on.normalizedVelocity, on.velocity / travel, 1e-9);
        }
        const auto off = SlidePanelDrag::release(bottom(), behavior, half, top, velocity, false);
        EXPECT_NE(off.target, hidden) << top;
    }

    const StayingBehavior staying;
    EXPECT_EQ(SlidePanelDrag::release(bottom(), staying, hidden, 100, 0, false).target, full);
    EXPECT_TRUE(SlidePanelDrag::release(bottom(), staying, half, halfTop, 1e6, true).remove);
}

TEST(SpringMotionTest, EveryDampingComesToRestAndWildInputIsTamed) {
    for (const double ratio : {0.5, 1.0, 1.8}) {
        const SpringMotion motion(-300, 1200, SpringParameters{0.4, ratio, 6000});
        EXPECT_DOUBLE_EQ(motion.offset(0), -300) << ratio;
        for (double t = motion.settlingTime(); t < motion.settlingTime() + 2; t += 0.01) {
            ASSERT_LT(std::fabs(motion.offset(t)), 0.1) << ratio << " at " << t;
        }
    }
    // A fling at an absurd speed is cut to the spring's limit.
    EXPECT_DOUBLE_EQ(SpringMotion(0, -1e300, SpringParameters{0.35, 1.0, 6000}).initialVelocity(), -6000);
    const SpringMotion broken(notANumber, infinity, SpringParameters{-1, notANumber, notANumber});
    EXPECT_EQ(broken.initialDisplacement(), 0);
    EXPECT_EQ(broken.offset(notANumber), 0);
    EXPECT_EQ(broken.settlingTime(), 0);
}

} // namespace
