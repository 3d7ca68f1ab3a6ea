#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIScrollView.hpp"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace uikittests;
using ::testing::SimulatedUser;

namespace {

class RecordingDelegate : public UIScrollViewDelegate {
public:
    std::vector<std::string> events;
    std::vector<CGFloat> offsets;
    CGPoint endVelocity;
    std::optional<CGPoint> retarget;

    void scrollViewDidScroll(UIScrollView& scrollView) override {
        if (events.empty() || events.back() != "scroll") {
            events.push_back("scroll");
        }
        offsets.push_back(scrollView.contentOffset().y);
    }
    void scrollViewWillBeginDragging(UIScrollView& scrollView) override {
        events.push_back(scrollView.isDragging() ? "willBegin:dragging" : "willBegin");
    }
    void scrollViewWillEndDragging(UIScrollView&, const CGPoint& velocity, CGPoint& target) override {
        events.push_back("willEnd");
        endVelocity = velocity;
        if (retarget) {
            target = *retarget;
        }
    }
    void scrollViewDidEndDragging(UIScrollView& scrollView, bool decelerate) override {
        events.push_back(std::string(decelerate ? "didEnd:decelerating" : "didEnd") +
                         (scrollView.isDragging() ? ":dragging" : ""));
    }
};

class ScrollTest : public UIKitTest {
protected:
    void SetUp() override {
        UIKitTest::SetUp();
        scroll->setContentSize({320, 1000});
        root->addSubview(scroll);
        scroll->setDelegate(delegate);
    }

    std::shared_ptr<UIView> root = UIView::make({0, 0, 320, 600});
    std::shared_ptr<UIScrollView> scroll = UIScrollView::make({0, 100, 320, 400});
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(ScrollTest, DraggingScrollsAndTellsTheDelegate) {
    SimulatedUser::drag(scroll, {0, -150}, {0, -600});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 150}));
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"willBegin:dragging", "scroll", "willEnd", "didEnd"}));
    // Finger up the screen: the content moves on, velocity positive, in points per millisecond.
    EXPECT_NEAR(delegate->endVelocity.y, 0.6, 1e-9);
    EXPECT_FALSE(scroll->isDragging());
    // The offset follows the finger step by step.
    EXPECT_TRUE(std::is_sorted(delegate->offsets.begin(), delegate->offsets.end()));
    EXPECT_EQ(scroll->panGestureRecognizer()->view(), scroll);
}

TEST_F(ScrollTest, EdgesBounceOrHold) {
    // Pulled down at the top: beyond the edge while dragging, back at the end.
    SimulatedUser::drag(scroll, {0, 80});
    EXPECT_LT(*std::min_element(delegate->offsets.begin(), delegate->offsets.end()), -70);
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0}));

    // Without bouncing it never passes the edge.
    delegate->offsets.clear();
    scroll->setBounces(false);
    SimulatedUser::drag(scroll, {0, 80});
    EXPECT_TRUE(delegate->offsets.empty());
    SimulatedUser::drag(scroll, {0, -900});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 600})); // 1000 - 400
    EXPECT_EQ(scroll->maximumContentOffset(), (CGPoint{0, 600}));

    // The delegate may choose where the drag ends.
    delegate->retarget = CGPoint{0, 250};
    SimulatedUser::drag(scroll, {0, 100});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 250}));
}

TEST_F(ScrollTest, ContentThatFitsDoesNotScrollUnlessAskedTo) {
    scroll->setContentSize({320, 300});
    SimulatedUser::drag(scroll, {0, -100});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0}));
    EXPECT_TRUE(delegate->offsets.empty());

    scroll->setAlwaysBounceVertical(true);
    SimulatedUser::drag(scroll, {0, -100});
    EXPECT_FALSE(delegate->offsets.empty());
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0})); // back within the range

    delegate->events.clear();
    scroll->setScrollEnabled(false);
    EXPECT_FALSE(scroll->panGestureRecognizer()->isEnabled());
    SimulatedUser::drag(scroll, {0, -100});
    EXPECT_TRUE(delegate->events.empty());
}

TEST_F(ScrollTest, ProgrammaticOffsetsTellTheDelegateOnlyWhenTheyChange) {
    scroll->setContentOffset({0, 120});
    scroll->setContentOffset({0, 120});
    EXPECT_EQ(delegate->offsets, std::vector<CGFloat>{120});
    EXPECT_EQ(scroll->bounds().origin, (CGPoint{0, 120}));
    // A subview at the top of the content is now above the visible area.
    auto top = UIView::make({0, 0, 320, 100});
    scroll->addSubview(top);
    EXPECT_EQ(top->convert(CGPoint{0, 0}, nullptr), (CGPoint{0, -20}));
}

TEST_F(ScrollTest, AdjustedContentInsetFollowsTheBehaviour) {
    using Behavior = UIScrollViewContentInsetAdjustmentBehavior;
    struct Case {
        Behavior behavior;
        CGSize content;
        UIEdgeInsets expected;
    };
    const UIEdgeInsets own{0, 0, 16, 0};
    const std::vector<Case> cases = {
        {Behavior::never, {320, 1000}, own},
        {Behavior::always, {320, 100}, {47, 10, 50, 10}},
        {Behavior::automatic, {320, 100}, {47, 0, 50, 0}},
        {Behavior::scrollableAxes, {320, 100}, own},
        {Behavior::scrollableAxes, {320, 1000}, {47, 0, 50, 0}},
    };
    for (const auto& c : cases) {
        auto view = UIScrollView::make({0, 0, 320, 400});
        view->setSafeAreaInsetsOverride(UIEdgeInsets{47, 10, 34, 10});
        view->setContentInset(own);
        view->setContentSize(c.content);
        view->setContentInsetAdjustmentBehavior(c.behavior);
        EXPECT_EQ(view->adjustedContentInset(), c.expected) << static_cast<int>(c.behavior);
    }
}

} // namespace
