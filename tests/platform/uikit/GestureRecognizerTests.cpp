#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"

#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace uikittests;
using ::testing::SimulatedUser;
using State = UIGestureRecognizerState;

namespace {

class Delegate : public UIGestureRecognizerDelegate {
public:
    bool shouldBegin = true;
    bool simultaneous = false;
    bool receive = true;
    bool gestureRecognizerShouldBegin(UIGestureRecognizer&) override { return shouldBegin; }
    bool gestureRecognizerShouldRecognizeSimultaneouslyWith(UIGestureRecognizer&, UIGestureRecognizer&) override {
        return simultaneous;
    }
    bool gestureRecognizerShouldReceive(UIGestureRecognizer&, const UITouch&) override { return receive; }
};

class TouchRecordingView : public UIView {
public:
    using UIView::UIView;
    std::vector<std::string> touches;
    void touchesBegan(const UITouchSet&, const UIEvent*) override { touches.push_back("began"); }
    void touchesEnded(const UITouchSet&, const UIEvent*) override { touches.push_back("ended"); }
    void touchesCancelled(const UITouchSet&, const UIEvent*) override { touches.push_back("cancelled"); }
};

class GestureTest : public UIKitTest {
protected:
    void SetUp() override {
        UIKitTest::SetUp();
        root->addSubview(target);
    }

    std::shared_ptr<UIView> root = UIView::make({0, 0, 320, 480});
    std::shared_ptr<UIView> target = UIView::make({20, 100, 200, 200});
};

TEST_F(GestureTest, TapRecognisesOnceWithTheTouchLocation) {
    std::vector<State> states;
    CGPoint where;
    auto tap = UITapGestureRecognizer::make([&](UIGestureRecognizer& r) {
        states.push_back(r.state());
        where = r.location(target.get());
    });
    target->addGestureRecognizer(tap);
    EXPECT_EQ(SimulatedUser::tap(target), target);
    EXPECT_EQ(states, std::vector<State>{State::ended});
    EXPECT_EQ(where, (CGPoint{100, 100}));
    SimulatedUser::tap(target, {5, 5});
    EXPECT_EQ(states.size(), 2u) << "ready for the next tap";
    EXPECT_EQ(where, (CGPoint{5, 5}));
}

TEST_F(GestureTest, PanGoesThroughItsStatesWithTranslationAndVelocityInTheAskingViewsCoordinates) {
    auto scaled = UIView::make({0, 0, 100, 100});
    target->addSubview(scaled);
    scaled->setTransform(coregraphics::CGAffineTransform::scale(2, 2));
    std::vector<State> states;
    CGPoint lastTranslation;
    CGPoint inScaled;
    CGPoint endVelocity;
    target->addGestureRecognizer(UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        auto& p = static_cast<UIPanGestureRecognizer&>(r);
        states.push_back(p.state());
        lastTranslation = p.translation(target.get());
        inScaled = p.translation(scaled.get());
        endVelocity = p.velocity(target.get());
    }));

    SimulatedUser::drag(target, {0, 120}, {0, 900}, 6);
    ASSERT_GE(states.size(), 3u);
    std::vector<State> expected(states.size(), State::changed);
    expected.front() = State::began;
    expected.back() = State::ended;
    EXPECT_EQ(states, expected);
    EXPECT_EQ(lastTranslation, (CGPoint{0, 120}));
    EXPECT_NEAR(inScaled.y, 60, 1e-9);
    EXPECT_NEAR(endVelocity.y, 900, 1e-6);
    EXPECT_NEAR(endVelocity.x, 0, 1e-6);
}

TEST_F(GestureTest, ShortDragsDoNotPanAndLongTouchesAreNotTaps) {
    int pans = 0;
    int taps = 0;
    target->addGestureRecognizer(UIPanGestureRecognizer::make([&](UIGestureRecognizer&) { ++pans; }));
    target->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++taps; }));
    SimulatedUser::drag(target, {0, 9});
    EXPECT_EQ(pans, 0);
    EXPECT_EQ(taps, 1); // within the tap's allowance
    SimulatedUser::drag(target, {0, 30});
    EXPECT_EQ(taps, 1);
    EXPECT_GE(pans, 3); // began, changed..., ended
}

TEST_F(GestureTest, DelegateDecidesBeginningReceivingAndSimultaneity) {
    auto delegate = std::make_shared<Delegate>();
    std::vector<std::string> events;
    const auto recording = [&](std::string name) {
        return UIPanGestureRecognizer::make([&events, name](UIGestureRecognizer& r) {
            if (r.state() == State::began)
                events.push_back(name);
        });
    };
    auto inner = recording("inner");
    target->addGestureRecognizer(inner);
    root->addGestureRecognizer(recording("outer"));
    inner->setDelegate(delegate);

    // Columns: simultaneous, should begin, receives the touch, the recognisers that began.
    const std::tuple<bool, bool, bool, std::vector<std::string>> cases[] = {
        {false, true, true, {"inner"}}, // the outer one fails
        {true, true, true, {"inner", "outer"}},
        {false, false, true, {"outer"}},
        {false, true, false, {"outer"}},
    };
    for (const auto& [simultaneous, shouldBegin, receive, began] : cases) {
        events.clear();
        std::tie(delegate->simultaneous, delegate->shouldBegin, delegate->receive) =
            std::tuple(simultaneous, shouldBegin, receive);
        SimulatedUser::drag(target, {0, 50});
        EXPECT_EQ(events, began) << simultaneous << shouldBegin << receive;
    }
}

TEST_F(GestureTest, RecognisedTapCancelsTheViewsTouches) {
    auto view = UIView::create<TouchRecordingView>(CGRect{0, 0, 50, 50});
    target->addSubview(view);
    auto tap = UITapGestureRecognizer::make();
    view->addGestureRecognizer(tap);
    SimulatedUser::tap(view);
    EXPECT_EQ(view->touches, (std::vector<std::string>{"began", "cancelled"}));
}

} // namespace
