#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"

#include <memory>
#include <string>
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

class Handler {
public:
    int taps = 0;
    void tapped(UITapGestureRecognizer&) { ++taps; }
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
    EXPECT_EQ(tap->view(), target);

    EXPECT_EQ(SimulatedUser::tap(target), target);
    EXPECT_EQ(states, std::vector<State>{State::ended});
    EXPECT_EQ(where, (CGPoint{100, 100}));
    EXPECT_EQ(tap->state(), State::possible); // ready for the next tap

    SimulatedUser::tap(target, {5, 5});
    EXPECT_EQ(states.size(), 2u);
    EXPECT_EQ(where, (CGPoint{5, 5}));
}

TEST_F(GestureTest, TapsReachTheRecognisersOfTheViewHitAndNotDisabledOnes) {
    int coverTaps = 0;
    int targetTaps = 0;
    target->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++targetTaps; }));
    auto cover = UIView::make(target->frame());
    cover->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++coverTaps; }));
    root->addSubview(cover);

    SimulatedUser::tap(target);
    EXPECT_EQ(coverTaps, 1);
    EXPECT_EQ(targetTaps, 0);

    cover->setUserInteractionEnabled(false);
    SimulatedUser::tap(target);
    EXPECT_EQ(coverTaps, 1);
    EXPECT_EQ(targetTaps, 1);

    // A disabled recogniser gets nothing.
    target->gestureRecognizers().front()->setEnabled(false);
    SimulatedUser::tap(target);
    EXPECT_EQ(targetTaps, 1);
}

TEST_F(GestureTest, PanGoesThroughItsStatesWithTranslationAndVelocity) {
    std::vector<State> states;
    CGPoint lastTranslation;
    CGPoint endVelocity;
    auto pan = UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        auto& p = static_cast<UIPanGestureRecognizer&>(r);
        states.push_back(p.state());
        lastTranslation = p.translation(target.get());
        if (p.state() == State::ended) {
            endVelocity = p.velocity(target.get());
        }
    });
    target->addGestureRecognizer(pan);

    SimulatedUser::drag(target, {0, 120}, {0, 900}, 6);
    ASSERT_GE(states.size(), 3u);
    EXPECT_EQ(states.front(), State::began);
    EXPECT_EQ(states.back(), State::ended);
    for (std::size_t i = 1; i + 1 < states.size(); ++i) {
        EXPECT_EQ(states[i], State::changed);
    }
    EXPECT_DOUBLE_EQ(lastTranslation.x, 0);
    EXPECT_DOUBLE_EQ(lastTranslation.y, 120);
    EXPECT_NEAR(endVelocity.y, 900, 1e-6);
    EXPECT_NEAR(endVelocity.x, 0, 1e-6);
}

TEST_F(GestureTest, TranslationIsInTheAskingViewsCoordinatesAndCanBeReset) {
    auto scaled = UIView::make({0, 0, 100, 100});
    target->addSubview(scaled);
    scaled->setTransform(coregraphics::CGAffineTransform::scale(2, 2));
    std::vector<CGPoint> inScaled;
    std::vector<CGPoint> inRoot;
    auto pan = UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        auto& p = static_cast<UIPanGestureRecognizer&>(r);
        inScaled.push_back(p.translation(scaled.get()));
        inRoot.push_back(p.translation(nullptr));
        if (p.state() == State::began) {
            p.setTranslation({0, 0}, nullptr); // follow the finger from here, as drag handlers do
        }
    });
    target->addGestureRecognizer(pan);
    SimulatedUser::drag(target, {40, 0}, {}, 4);
    ASSERT_FALSE(inRoot.empty());
    // Began at a third of the way; reset there, so the end reads the remaining two thirds.
    EXPECT_NEAR(inRoot.back().x, 40 - inRoot.front().x, 1e-9);
    EXPECT_NEAR(inScaled.back().x, inRoot.back().x / 2, 1e-9);
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
    auto inner = UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        if (r.state() == State::began)
            events.push_back("inner");
    });
    auto outer = UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        if (r.state() == State::began)
            events.push_back("outer");
    });
    target->addGestureRecognizer(inner);
    root->addGestureRecognizer(outer);
    inner->setDelegate(delegate);

    struct Case {
        bool simultaneous, shouldBegin, receive;
        std::vector<std::string> began;
    };
    const Case cases[] = {
        {false, true, true, {"inner"}}, // the outer one fails
        {true, true, true, {"inner", "outer"}},
        {false, false, true, {"outer"}},
        {false, true, false, {"outer"}},
    };
    for (const Case& c : cases) {
        events.clear();
        delegate->simultaneous = c.simultaneous;
        delegate->shouldBegin = c.shouldBegin;
        delegate->receive = c.receive;
        SimulatedUser::drag(target, {0, 50});
        EXPECT_EQ(events, c.began) << c.simultaneous << c.shouldBegin << c.receive;
    }
}

TEST_F(GestureTest, RecognisedTapCancelsTheViewsTouchesUnlessToldNotTo) {
    auto view = UIView::create<TouchRecordingView>(CGRect{0, 0, 50, 50});
    target->addSubview(view);
    auto tap = UITapGestureRecognizer::make();
    view->addGestureRecognizer(tap);
    SimulatedUser::tap(view);
    EXPECT_EQ(view->touches, (std::vector<std::string>{"began", "cancelled"}));

    view->touches.clear();
    tap->setCancelsTouchesInView(false);
    SimulatedUser::tap(view);
    EXPECT_EQ(view->touches, (std::vector<std::string>{"began", "ended"}));
}

TEST_F(GestureTest, ControlsKeepTheirTapsFromTheirSuperviewsRecognisers) {
    int backgroundTaps = 0;
    int controlTaps = 0;
    target->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++backgroundTaps; }));
    auto control = UIControl::make({10, 10, 44, 44});
    target->addSubview(control);
    control->addTarget([&](UIControl&, const UIEvent*) { ++controlTaps; }, UIControlEvents::touchUpInside);
    SimulatedUser::tap(control);
    EXPECT_EQ(controlTaps, 1);
    EXPECT_EQ(backgroundTaps, 0);
    SimulatedUser::tap(target, {150, 150});
    EXPECT_EQ(backgroundTaps, 1);
}

TEST_F(GestureTest, RecogniserBelongsToOneViewAndHoldsItsTargetWeakly) {
    auto handler = std::make_shared<Handler>();
    std::weak_ptr<Handler> weakHandler = handler;
    auto tap = UITapGestureRecognizer::make(handler, &Handler::tapped);
    target->addGestureRecognizer(tap);
    target->addGestureRecognizer(tap); // again on the same view: still once
    EXPECT_EQ(target->gestureRecognizers().size(), 1u);
    SimulatedUser::tap(target);
    EXPECT_EQ(handler->taps, 1);
    handler.reset();
    EXPECT_TRUE(weakHandler.expired());
    SimulatedUser::tap(target); // nothing to call, nothing breaks

    root->addGestureRecognizer(tap);
    EXPECT_TRUE(target->gestureRecognizers().empty());
    EXPECT_EQ(tap->view(), root);
    root->removeGestureRecognizer(tap);
    EXPECT_EQ(tap->view(), nullptr);
}

} // namespace
