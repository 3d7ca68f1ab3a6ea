#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UILabel.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace uikit;
using ::testing::SimulatedUser;

namespace {

// Records where the finger was, in root coordinates, at every step.
class TouchTrail : public UIView {
public:
    using UIView::UIView;
    std::vector<CGPoint> points;
    std::vector<double> times;
    void touchesBegan(const UITouchSet& touches, const UIEvent*) override { note(*touches.front()); }
    void touchesMoved(const UITouchSet& touches, const UIEvent*) override { note(*touches.front()); }
    void touchesEnded(const UITouchSet& touches, const UIEvent*) override { note(*touches.front()); }

private:
    void note(const UITouch& touch) {
        points.push_back(touch.location(nullptr));
        times.push_back(touch.timestamp());
    }
};

class SimulatedUserTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        root = UIView::make({0, 0, 320, 480});
    }
    void TearDown() override { foundation::RunLoop::main().discardPending(); }

    std::shared_ptr<UIView> root;
};

TEST_F(SimulatedUserTest, TapHitsWhatShowsAtTheViewsCentre) {
    auto card = UIView::make({20, 20, 200, 100});
    auto label = UILabel::make({0, 0, 200, 100}); // takes no touches
    root->addSubview(card);
    card->addSubview(label);
    EXPECT_EQ(SimulatedUser::tap(label), card);

    auto cover = UIView::make({0, 0, 320, 480});
    root->addSubview(cover);
    EXPECT_EQ(SimulatedUser::tap(card), cover);
    cover->setHidden(true);
    EXPECT_EQ(SimulatedUser::tap(card), card);

    // A view outside its root's bounds cannot be touched.
    auto offscreen = UIView::make({400, 0, 50, 50});
    root->addSubview(offscreen);
    EXPECT_EQ(SimulatedUser::tap(offscreen), nullptr);
    EXPECT_EQ(SimulatedUser::tap(nullptr), nullptr);
}

TEST_F(SimulatedUserTest, DragStartsAtTheCentreAndEndsWithTheAskedVelocity) {
    auto parent = UIView::make({0, 100, 320, 300});
    parent->setBounds({0, 50, 320, 300}); // scrolled by 50
    root->addSubview(parent);
    auto trail = UIView::create<TouchTrail>(CGRect{0, 100, 100, 100});
    parent->addSubview(trail);

    CGPoint velocity;
    CGPoint translation;
    trail->addGestureRecognizer(UIPanGestureRecognizer::make([&](UIGestureRecognizer& r) {
        auto& pan = static_cast<UIPanGestureRecognizer&>(r);
        velocity = pan.velocity(nullptr);
        translation = pan.translation(nullptr);
    }));
    auto& pan = *trail->gestureRecognizers().front();
    pan.setCancelsTouchesInView(false);

    EXPECT_EQ(SimulatedUser::drag(trail, {30, -60}, {100, -400}, 5), trail);
    ASSERT_GE(trail->points.size(), 3u);
    EXPECT_EQ(trail->points.front(), (CGPoint{50, 200})); // centre on screen: 100 + 150 - 50
    EXPECT_EQ(trail->points.back(), (CGPoint{80, 140}));
    EXPECT_NEAR(velocity.x, 100, 1e-6);
    EXPECT_NEAR(velocity.y, -400, 1e-6);
    EXPECT_EQ(translation, (CGPoint{30, -60}));
    // Time stamps move on by a frame each, without moving the clock.
    for (std::size_t i = 1; i < trail->times.size(); ++i) {
        EXPECT_NEAR(trail->times[i] - trail->times[i - 1], SimulatedUser::frameInterval, 1e-9);
    }
}

} // namespace
