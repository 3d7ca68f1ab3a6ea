#include "UIKitTestSupport.hpp"

#include "platform/coregraphics/CGImage.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIProgressView.hpp"
#include "platform/uikit/UITouch.hpp"

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace uikittests;
using ::testing::SimulatedUser;

namespace {

std::shared_ptr<UIImage> imageOfSize(std::size_t width, std::size_t height) {
    return UIImage::withCGImage(
        coregraphics::CGImage::make(width, height, std::vector<coregraphics::CGRGBA>(width * height)));
}

class Screen {
public:
    explicit Screen(std::vector<std::string>& log) : log_(log) {}
    void continuePressed() { log_.push_back("continue"); }

private:
    std::vector<std::string>& log_;
};

class ControlTest : public UIKitTest {
protected:
    std::shared_ptr<UIView> root = UIView::make({0, 0, 320, 480});
    std::vector<std::string> log;
};

TEST_F(ControlTest, ButtonSendsActionsToItsTargetsInOrder) {
    auto button = UIButton::make(CGRect{10, 10, 100, 44});
    root->addSubview(button);
    auto screen = std::make_shared<Screen>(log);
    button->addTarget(
        [this](UIControl& sender, const UIEvent* event) {
            log.push_back(std::string("lambda:") + (event ? "event" : "no event") +
                          (sender.isHighlighted() ? ":highlighted" : ""));
        },
        UIControlEvents::touchUpInside);
    button->addTarget(screen, &Screen::continuePressed, UIControlEvents::touchUpInside);
    button->addTarget([this](UIControl& sender,
                             const UIEvent*) { log.push_back(sender.isHighlighted() ? "down:highlighted" : "down"); },
                      UIControlEvents::touchDown);

    EXPECT_EQ(SimulatedUser::tap(button), button);
    EXPECT_EQ(log, (std::vector<std::string>{"down:highlighted", "lambda:event", "continue"}));
    EXPECT_FALSE(button->isHighlighted());

    // sendActions(for:) reaches the same targets without a touch.
    log.clear();
    button->sendActions(UIControlEvents::touchUpInside);
    EXPECT_EQ(log, (std::vector<std::string>{"lambda:no event", "continue"}));

    // A target that is gone is skipped.
    log.clear();
    screen.reset();
    button->sendActions(UIControlEvents::touchUpInside);
    EXPECT_EQ(log, std::vector<std::string>{"lambda:no event"});
}

TEST_F(ControlTest, DisabledButtonsAndDragsOutsideSendNoTouchUpInside) {
    auto button = UIButton::make(CGRect{100, 100, 40, 40});
    root->addSubview(button);
    int inside = 0;
    int outside = 0;
    button->addTarget([&](UIControl&, const UIEvent*) { ++inside; }, UIControlEvents::touchUpInside);
    button->addTarget([&](UIControl&, const UIEvent*) { ++outside; }, UIControlEvents::touchUpOutside);

    button->setEnabled(false);
    EXPECT_EQ(SimulatedUser::tap(button), button); // it still takes the touch
    EXPECT_EQ(inside, 0);
    button->setEnabled(true);
    // Within 70 points of its edges a touch still counts as inside.
    SimulatedUser::drag(button, {60, 0});
    EXPECT_EQ(inside, 1);
    SimulatedUser::drag(button, {0, 150});
    EXPECT_EQ(outside, 1);
    EXPECT_EQ(inside, 1);
}

TEST_F(ControlTest, PerStateValuesFallBackToNormal) {
    auto button = UIButton::make(UIButtonType::system);
    const auto normalImage = imageOfSize(24, 24);
    const auto highlightedImage = imageOfSize(20, 20);
    button->setTitle("Continue", UIControlState::normal);
    button->setTitle("Wait", UIControlState::disabled);
    button->setTitleColor(UIColor::red(), UIControlState::highlighted);
    button->setImage(normalImage, UIControlState::normal);
    button->setImage(highlightedImage, UIControlState::highlighted);

    // Columns: state, highlighted, enabled, title shown, image shown.
    const std::tuple<const char*, bool, bool, std::string, std::shared_ptr<UIImage>> cases[] = {
        {"normal", false, true, "Continue", normalImage},
        {"highlighted", true, true, "Continue", highlightedImage},
        {"disabled", false, false, "Wait", normalImage},
    };
    for (const auto& [name, highlighted, enabled, title, image] : cases) {
        button->setHighlighted(highlighted);
        button->setEnabled(enabled);
        EXPECT_EQ(std::tuple(button->titleLabel()->text(), button->imageView()->image()), std::tuple(title, image))
            << name;
    }
    button->setEnabled(true);
    button->setHighlighted(true);
    EXPECT_TRUE(button->titleLabel()->textColor() == UIColor::red());
    button->setHighlighted(false);
    EXPECT_TRUE(button->titleLabel()->textColor() == button->tintColor()) << "a system button's title is tinted";

    // Removing the normal image leaves no image for states without their own.
    button->setImage(nullptr, UIControlState::normal);
    EXPECT_TRUE(button->imageView()->isHidden());
}

TEST_F(ControlTest, ImageEdgeInsetsShrinkTheImageArea) {
    const std::pair<CGRect, CGRect> cases[] = {
        {{0, 0, 44, 44}, {10, 10, 24, 24}}, {{0, 0, 32, 32}, {10, 10, 12, 12}}, // scaled down to fit
    };
    for (const auto& [frame, expected] : cases) {
        auto button = UIButton::make(frame);
        button->setImage(imageOfSize(24, 24), UIControlState::normal);
        button->setImageEdgeInsets({10, 10, 10, 10});
        button->layoutIfNeeded();
        EXPECT_EQ(button->imageView()->frame(), expected);
    }
}

TEST_F(ControlTest, TitleAndImageViewsDoNotTakeTouches) {
    auto button = UIButton::make(CGRect{0, 0, 200, 50});
    button->setTitle("Log in by phone number", UIControlState::normal);
    button->setImage(imageOfSize(24, 24), UIControlState::normal);
    root->addSubview(button);
    button->layoutIfNeeded();
    EXPECT_EQ(root->hitTest(button->convert(button->titleLabel()->center(), nullptr)), button);
    EXPECT_EQ(root->hitTest(button->convert(button->imageView()->center(), nullptr)), button);
}

using IndicatorTest = UIKitTest;

TEST_F(IndicatorTest, ActivityIndicatorSpinsOnlyBetweenStartAndStopAndHidesWhenStopped) {
    auto indicator = UIActivityIndicatorView::make();
    EXPECT_TRUE(indicator->isHidden()) << "hidden until started";
    for (int round = 0; round < 2; ++round) {
        indicator->startAnimating();
        EXPECT_FALSE(indicator->isHidden());
        EXPECT_NE(indicator->layer()->animation("spin"), nullptr);
        indicator->stopAnimating();
        EXPECT_TRUE(indicator->isHidden());
        EXPECT_EQ(indicator->layer()->animation("spin"), nullptr);
    }
}

TEST_F(IndicatorTest, ProgressIsClampedToZeroToOne) {
    auto bar = UIProgressView::make(UIProgressViewStyle::bar);
    bar->setProgress(0.4f, true);
    EXPECT_FLOAT_EQ(bar->progress(), 0.4f);
    for (const float outside : {1.7f, -1.0f, NAN}) {
        bar->setProgress(outside);
        EXPECT_EQ(bar->progress(), std::isnan(outside) || outside < 0 ? 0 : 1) << outside;
    }
    EXPECT_EQ(bar->intrinsicContentSize().width, UIView::noIntrinsicMetric);
    EXPECT_GT(bar->intrinsicContentSize().height, 0);
}

} // namespace
