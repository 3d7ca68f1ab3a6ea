#include "platform/foundation/Dispatch.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/screens/web/OTPWebView.hpp"

#include <gtest/gtest.h>

namespace {

using ::testing::SimulatedUser;
using vyd::OTPWebView;
using vyd::OTPWebViewViewModel;

struct Taps {
    int back = 0;
    int done = 0;
    int reload = 0;
};

class TapCountingDelegate : public vyd::OTPWebViewDelegateProtocol {
public:
    explicit TapCountingDelegate(std::shared_ptr<Taps> taps) : taps(std::move(taps)) {}
    void backButtonPressed() override { ++taps->back; }
    void doneButtonPressed() override { ++taps->done; }
    void reloadButtonPressed() override { ++taps->reload; }
    bool shouldShowBackButton() override { return showBack; }

    std::shared_ptr<Taps> taps;
    bool showBack = false;
};

class OTPWebViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
        view->setupView(delegate);
        view->setTranslatesAutoresizingMaskIntoConstraints(true);
        const auto root = device.rootViewController()->view();
        view->setFrame(root->bounds());
        root->addSubview(view);
        layOut();
    }
    void TearDown() override { foundation::RunLoop::main().discardPending(); }

    void layOut() {
        foundation::RunLoop::main().runUntilIdle();
        device.keyWindow()->layoutIfNeeded();
    }
    const swiftui::Node* chevron() {
        return view->hostingHeaderController()->hostingView()->rootNode()->find(
            [](const swiftui::Node& node) { return node.kind() == swiftui::NodeKind::image; });
    }

    ::testing::SimulatedDevice device;
    std::shared_ptr<Taps> taps = std::make_shared<Taps>();
    std::shared_ptr<TapCountingDelegate> delegate = std::make_shared<TapCountingDelegate>(taps);
    std::shared_ptr<OTPWebView> view = OTPWebView::make(std::nullopt);
};

TEST_F(OTPWebViewTest, HeaderAsksTheDelegateForTheBackButtonAndHandsItTheTaps) {
    EXPECT_EQ(chevron(), nullptr);
    ASSERT_NE(SimulatedUser::tap(view, "Done"), nullptr);
    EXPECT_EQ(taps->done, 1);

    delegate->showBack = true;
    view->updateUI({true, true, false});
    layOut();
    const auto* back = chevron();
    ASSERT_NE(back, nullptr);
    const auto at = back->frame();
    SimulatedUser::tap(view->hostingHeaderController()->view(),
                       {at.origin.x + at.size.width / 2, at.origin.y + at.size.height / 2});
    EXPECT_EQ(taps->back, 1);

    // The header keeps the view, not the delegate: once the delegate is gone a tap does nothing.
    delegate.reset();
    ASSERT_NE(SimulatedUser::tap(view, "Done"), nullptr);
    EXPECT_EQ(taps->done, 1);
}

TEST_F(OTPWebViewTest, HeaderTopsTheWebViewAndTheOverlaysSitInTheMiddle) {
    const auto header = view->hostingHeaderController()->view()->frame();
    EXPECT_EQ(header, (uikit::CGRect{0, 47, 390, 44}));
    EXPECT_EQ(view->webView()->frame(), (uikit::CGRect{0, 91, 390, 844 - 91}));
    EXPECT_EQ(view->spinnerImageView()->frame(), (uikit::CGRect{182, 409, 26, 26}));
    EXPECT_FALSE(view->spinnerImageView()->isHidden());
}

// The error state shows the message and the reload button over the page, and nothing else.
TEST_F(OTPWebViewTest, ErrorStateShowsTheMessageAndAReloadButtonThatReachesTheDelegate) {
    EXPECT_TRUE(view->errorLabel()->isHidden());
    EXPECT_TRUE(view->reloadButton()->isHidden());

    view->updateUI({false, true, false});
    layOut();
    EXPECT_TRUE(view->spinnerImageView()->isHidden());
    EXPECT_FALSE(view->errorStackView()->isHidden());
    EXPECT_FALSE(view->errorLabel()->isHidden());
    EXPECT_EQ(view->errorLabel()->text(), "The page did not load");
    EXPECT_EQ(view->reloadButton()->frame().size, (uikit::CGSize{197, 40}));
    EXPECT_EQ(view->reloadButton()->currentTitle(), "Start again");
    ASSERT_EQ(SimulatedUser::tap(view->reloadButton()), view->reloadButton());
    EXPECT_EQ(taps->reload, 1);

    view->updateUI({true, true, false});
    layOut();
    EXPECT_TRUE(view->errorStackView()->isHidden());
    SimulatedUser::tap(view->reloadButton());
    EXPECT_EQ(taps->reload, 1) << "a hidden reload button took a tap";
}

TEST(OTPWebViewColourTest, NavigationColourIsTheBackgroundOfTheViewAndTheWebView) {
    for (const auto& colour : {std::optional<uikit::UIColor>(), std::optional(uikit::UIColor::red())}) {
        const auto view = OTPWebView::make(colour);
        view->setupView(nullptr);
        EXPECT_EQ(view->backgroundColor(), colour);
        EXPECT_EQ(view->webView()->backgroundColor(), colour);
        EXPECT_FALSE(view->webView()->isOpaque());
    }
}

} // namespace
