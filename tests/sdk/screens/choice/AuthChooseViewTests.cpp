#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/choice/AuthChooseAssembler.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using coregraphics::CGRect;
using Style = vyd::SlidePanelFactory::PanelStyle;
using Behavior = vyd::SlidePanelFactory::PanelBehavior;

class Actions : public vyd::AuthChooseViewControllerDelegate {
public:
    void closeAction() override { log.push_back("close"); }
    void continueAction() override { log.push_back("continue"); }
    void enterByPhoneAction() override { log.push_back("phone"); }
    std::vector<std::string> log;
};

class AuthChooseViewTest : public uikittests::PhoneTest {
protected:
    void SetUp() override {
        PhoneTest::SetUp();
        vyd::DIContainer::staticStorageService()->setPartnerName("Partner Shop");
    }

    // The sheet in a panel of the SDK's own, presented over the host's screen.
    std::shared_ptr<vyd::AuthChooseView> presented(const std::shared_ptr<Actions>& delegate) {
        const auto controller = vyd::AuthChooseAssembler::create(delegate);
        panel = vyd::SlidePanelFactory().createSlidePanel(Style::contentSize, Behavior::noDrag, nullptr);
        panel->set(controller);
        root->present(panel, false);
        settle();
        return std::dynamic_pointer_cast<vyd::AuthChooseView>(controller->view());
    }

    CGRect onScreen(const std::shared_ptr<uikit::UIView>& view) const {
        return view->convert(view->bounds(), device->keyWindow().get());
    }

    std::shared_ptr<vyd::SlidePanelController> panel;
};

TEST_F(AuthChooseViewTest, FramesComeFromTheSolvedLayout) {
    const auto view = presented(std::make_shared<Actions>());
    ASSERT_NE(view, nullptr);
    const CGRect sheet = onScreen(view);
    const CGRect top = onScreen(view->topContainerView());
    const CGRect bottom = onScreen(view->bottomContainerView());
    const CGRect proceed = onScreen(view->continueButton());
    const CGRect phone = onScreen(view->enterByPhoneButton());
    const CGRect labels = onScreen(view->labelsStackView());
    const CGRect buttons = onScreen(view->buttonsStackView());
    const CGRect header = onScreen(view->headerLabel());
    const CGRect description = onScreen(view->descritionLabel());
    const CGRect close = onScreen(view->closeButton());
    const CGRect logo = onScreen(view->logoImageView());

    EXPECT_EQ(sheet.size.width, 390);
    // The top area is as high as the background image; the sheet ends where its lower area does.
    EXPECT_EQ(top.size.height, vyd::Asset::gradientBackground.image()->size().height);
    EXPECT_EQ(bottom.minY(), top.maxY());
    EXPECT_EQ(bottom.maxY(), sheet.maxY());
    EXPECT_GT(sheet.maxY(), 0);

    EXPECT_EQ(proceed.size.height, 40);
    EXPECT_EQ(phone.size.height, 40);
    EXPECT_EQ(phone.minY() - proceed.maxY(), 8);
    EXPECT_EQ(buttons.minY() - labels.maxY(), 24);
    EXPECT_EQ(description.minY() - header.maxY(), 16);
    EXPECT_EQ(labels.minY() - bottom.minY(), 24);
    EXPECT_EQ(bottom.maxY() - buttons.maxY(), 32);
    // Buttons fill the width inside margins of 24; the header keeps its natural width.
    EXPECT_EQ(proceed.minX(), 24);
    EXPECT_EQ(proceed.size.width, 390 - 48);
    EXPECT_EQ(header.minX(), 24);
    EXPECT_LT(header.size.width, proceed.size.width);
    EXPECT_GT(description.size.height, header.size.height) << "the description wraps";

    EXPECT_EQ(close.size, (coregraphics::CGSize{32, 32})) << "made 44 x 44, constrained to 32";
    EXPECT_EQ(close.minY() - top.minY(), 22);
    EXPECT_EQ(top.maxX() - close.maxX(), 20);
    EXPECT_EQ(logo, (CGRect{24, top.minY() + 58, 78, 78}));
    ASSERT_NE(view->logoImageView()->imageView()->image(), nullptr);
    EXPECT_EQ(view->logoImageView()->imageView()->image()->size(), vyd::Asset::vyLogo.image()->size());
    // The close button lies above the logo and the background.
    EXPECT_EQ(view->topContainerView()->subviews().back(), view->closeButton());
}

TEST_F(AuthChooseViewTest, TextsNameTheProductAndThePartner) {
    for (const std::string partner : {"Partner Shop", ""}) {
        SCOPED_TRACE(partner);
        const auto view = vyd::AuthChooseView::make(partner);
        const auto text = view->descritionLabel()->text().value_or("");
        const std::string product = vyd::L10n::Ui::Common::vyIdB64();
        ASSERT_FALSE(product.empty());
        EXPECT_EQ(text, "This is a secure way to log in with a " + product + ":\n" + partner +
                            " will not get access to your application, there will be no autoscaling either");
    }
    const auto view = vyd::AuthChooseView::make("Partner Shop");
    EXPECT_FALSE(view->headerLabel()->text().value_or("").empty());
    EXPECT_EQ(view->continueButton()->title(uikit::UIControlState::normal), "Continue");
    EXPECT_EQ(view->enterByPhoneButton()->title(uikit::UIControlState::normal), "Log in by phone number");
}

TEST_F(AuthChooseViewTest, ButtonsReachTheDelegateOnlyWhileOneIsSet) {
    auto delegate = std::make_shared<Actions>();
    const auto view = presented(delegate);
    ::testing::SimulatedUser::tap(view->closeButton());
    ::testing::SimulatedUser::tap(view->continueButton());
    ::testing::SimulatedUser::tap(view->enterByPhoneButton());
    EXPECT_EQ(delegate->log, (std::vector<std::string>{"close", "continue", "phone"}));

    std::weak_ptr<Actions> weak = delegate;
    delegate.reset();
    EXPECT_TRUE(weak.expired()) << "the sheet does not keep its delegate";
    ::testing::SimulatedUser::tap(view->continueButton());
    ::testing::SimulatedUser::tap(view->closeButton());
}

} // namespace
