#include "sdk/panel/SlidePanelLayout.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

using vyd::SlidePanelAnchors;
using vyd::SlidePanelBottomLayout;
using vyd::SlidePanelIntrinsicLayoutAnchor;
using vyd::SlidePanelLayout;
using vyd::SlidePanelLayoutAnchor;
using vyd::SlidePanelLayoutContext;
using vyd::SlidePanelLayoutPositions;
using vyd::SlidePanelReferenceEdge;
using vyd::SlidePanelReferenceGuide;
using vyd::SlidePanelSingleStateLayout;
using vyd::SlidePanelState;
using vyd::SlidePanelStateRef;

// A phone-sized panel view: 390 x 844 with a 47-point notch and a 34-point home indicator.
SlidePanelLayoutContext phone(std::function<double(double)> fitting = {}) {
    return {{0, 0, 390, 844}, {47, 0, 34, 0}, std::move(fitting)};
}

TEST(SlidePanelLayoutTest, AnchorsMeasureFromTheirEdgeAndGuide) {
    struct Row {
        double inset;
        SlidePanelReferenceEdge edge;
        SlidePanelReferenceGuide guide;
        double top;
    };
    const Row rows[] = {
        {16, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::safeArea, 47 + 16},
        {16, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::superview, 16},
        {262, SlidePanelReferenceEdge::bottom, SlidePanelReferenceGuide::safeArea, 844 - 34 - 262},
        {262, SlidePanelReferenceEdge::bottom, SlidePanelReferenceGuide::superview, 844 - 262},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SlidePanelLayoutAnchor(row.inset, row.edge, row.guide).surfaceTop(phone()), row.top) << row.top;
    }
}

TEST(SlidePanelLayoutTest, IntrinsicAnchorFollowsTheContentsHeightAtThePanelsWidth) {
    double askedWidth = 0;
    const auto context = phone([&](double width) {
        askedWidth = width;
        return 300.0;
    });
    EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor().surfaceTop(context), 844 - 34 - 300);
    EXPECT_EQ(askedWidth, 390);
    EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor(20, SlidePanelReferenceGuide::superview).surfaceTop(context),
              844 - 300 + 20);
    // No content, or a content that answers nonsense, needs no height.
    EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor().surfaceTop(phone()), 844 - 34);
    EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor().surfaceTop(phone([](double) { return -5.0; })), 844 - 34);
    EXPECT_EQ(SlidePanelIntrinsicLayoutAnchor().surfaceTop(
                  phone([](double) { return std::numeric_limits<double>::quiet_NaN(); })),
              844 - 34);
}

TEST(SlidePanelLayoutTest, PositionsListStatesByRankWithHiddenBelowTheView) {
    const SlidePanelLayoutPositions positions(SlidePanelBottomLayout(), phone());
    const std::vector<SlidePanelStateRef> expected{SlidePanelState::hidden(), SlidePanelState::tip(),
                                                   SlidePanelState::half(), SlidePanelState::full()};
    EXPECT_EQ(positions.states(), expected);
    EXPECT_EQ(positions.visibleStates(), std::vector<SlidePanelStateRef>(expected.begin() + 1, expected.end()));
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::hidden()), 844);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::tip()), 844 - 34 - 69);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::half()), 844 - 34 - 262);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::full()), 47 + 18);
    EXPECT_EQ(positions.topMost(), 47 + 18);
    EXPECT_EQ(positions.hiddenTop(), 844);
}

TEST(SlidePanelLayoutTest, StatesOutsideTheLayoutResolveToTheNearestRankedOne) {
    const SlidePanelSingleStateLayout web(
        SlidePanelState::full(),
        std::make_shared<SlidePanelLayoutAnchor>(16, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::safeArea));
    const SlidePanelLayoutPositions positions(web, phone());
    EXPECT_EQ(positions.validState(SlidePanelState::full()), SlidePanelState::full());
    EXPECT_EQ(positions.validState(SlidePanelState::half()), SlidePanelState::full());
    EXPECT_EQ(positions.validState(SlidePanelState::tip()), SlidePanelState::hidden());
    // A state made anew from "full" is not full, and ranks 0.
    EXPECT_EQ(positions.validState(SlidePanelState::make("full")), SlidePanelState::hidden());
    EXPECT_EQ(positions.validState(SlidePanelState::make("peek", 700)), SlidePanelState::full());
    EXPECT_EQ(positions.validState(nullptr), SlidePanelState::hidden());
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::half()), 47 + 16);
}

TEST(SlidePanelLayoutTest, NearestStateAndBrokenAnchors) {
    class Broken : public SlidePanelLayout {
    public:
        SlidePanelStateRef initialState() const override { return SlidePanelState::full(); }
        SlidePanelAnchors anchors() const override {
            return {
                {SlidePanelState::full(), std::make_shared<SlidePanelLayoutAnchor>(
                                              std::numeric_limits<double>::infinity(), SlidePanelReferenceEdge::top,
                                              SlidePanelReferenceGuide::superview)},
                // Below the view: kept at the hidden place.
                {SlidePanelState::tip(), std::make_shared<SlidePanelLayoutAnchor>(-500, SlidePanelReferenceEdge::bottom,
                                                                                  SlidePanelReferenceGuide::superview)},
                // A second anchor for a state, and one for hidden, are ignored.
                {SlidePanelState::full(), std::make_shared<SlidePanelLayoutAnchor>(
                                              300, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::superview)},
                {SlidePanelState::hidden(), std::make_shared<SlidePanelLayoutAnchor>(
                                                10, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::superview)},
                {nullptr, nullptr},
            };
        }
    };
    const SlidePanelLayoutPositions positions(Broken(), phone());
    EXPECT_EQ(positions.states().size(), 3u);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::full()), 0);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::tip()), 844);
    EXPECT_EQ(positions.surfaceTop(SlidePanelState::hidden()), 844);

    const SlidePanelLayoutPositions bottom(SlidePanelBottomLayout(), phone());
    EXPECT_EQ(bottom.nearestState(100, false), SlidePanelState::full());
    EXPECT_EQ(bottom.nearestState(560, false), SlidePanelState::half());
    EXPECT_EQ(bottom.nearestState(840, false), SlidePanelState::tip());
    EXPECT_EQ(bottom.nearestState(840, true), SlidePanelState::hidden());
    EXPECT_EQ(bottom.nearestState(-1e300, false), SlidePanelState::full());
    EXPECT_EQ(bottom.nearestState(1e300, false), SlidePanelState::tip());
}

} // namespace
