#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIScrollView.hpp"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace uikittests;
using ::testing::SimulatedUser;

namespace {

class RecordingDelegate : public UIScrollViewDelegate {
public:
    std::vector<std::string> events;
    std::vector<CGFloat> offsets;

    void scrollViewDidScroll(UIScrollView& scrollView) override {
        if (events.empty() || events.back() != "scroll") {
            events.push_back("scroll");
        }
        offsets.push_back(scrollView.contentOffset().y);
    }
    void scrollViewWillBeginDragging(UIScrollView& scrollView) override {
        events.push_back(scrollView.isDragging() ? "willBegin:dragging" : "willBegin");
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
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"willBegin:dragging", "scroll", "didEnd"}));
    EXPECT_FALSE(scroll->isDragging());
    EXPECT_TRUE(std::is_sorted(delegate->offsets.begin(), delegate->offsets.end())) << "follows the finger";
}

TEST_F(ScrollTest, EdgesBounceWhileDraggingAndContentThatFitsStays) {
    // Pulled down at the top: beyond the edge while dragging, back at the end.
    SimulatedUser::drag(scroll, {0, 80});
    EXPECT_LT(*std::min_element(delegate->offsets.begin(), delegate->offsets.end()), -70);
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0}));
    SimulatedUser::drag(scroll, {0, -900});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 600})); // 1000 - 400

    // Content that fits does not scroll at all.
    scroll->setContentOffset({0, 0});
    scroll->setContentSize({320, 300});
    delegate->offsets.clear();
    SimulatedUser::drag(scroll, {0, -100});
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0}));
    EXPECT_TRUE(delegate->offsets.empty());
}

TEST_F(ScrollTest, AdjustedContentInsetFollowsTheBehaviour) {
    using Behavior = UIScrollViewContentInsetAdjustmentBehavior;
    const UIEdgeInsets own{0, 0, 16, 0};
    const std::tuple<Behavior, CGSize, UIEdgeInsets> cases[] = {
        {Behavior::never, {320, 1000}, own},
        {Behavior::automatic, {320, 100}, {47, 0, 50, 0}},
        {Behavior::scrollableAxes, {320, 100}, own},
    };
    for (const auto& [behavior, content, expected] : cases) {
        auto view = UIScrollView::make({0, 0, 320, 400});
        view->setSafeAreaInsetsOverride(UIEdgeInsets{47, 10, 34, 10});
        view->setContentInset(own);
        view->setContentSize(content);
        view->setContentInsetAdjustmentBehavior(behavior);
        EXPECT_EQ(view->adjustedContentInset(), expected) << static_cast<int>(behavior);
    }
}

} // namespace
