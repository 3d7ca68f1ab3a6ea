#include "sdk/facade/PartnerSSOOpener.hpp"

#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/LoadingView.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/sdk/FakeAppTokenService.hpp"
#include "support/sdk/RecordingWebSceneOpener.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vyd;
namespace {

class PartnerSSOOpenerTest : public uikittests::PhoneTest {
protected:
    void TearDown() override {
        // Presentations end, and what the test keeps goes, before the phone.
        advance(2);
        opener->calls.clear();
        PhoneTest::TearDown();
    }

    std::optional<std::optional<VYDError>> open(const LiteELKModel& partner,
                                                const std::shared_ptr<uikit::UIViewController>& over) {
        ssoOpener.open(partner, over, [this](const std::optional<VYDError>& error) { result = error; });
        foundation::RunLoop::main().runUntilIdle();
        return result;
    }

    std::shared_ptr<SlidePanelController> presentedPanel() const {
        return std::dynamic_pointer_cast<SlidePanelController>(root->presentedViewController());
    }
    static bool isLoading(const SlidePanelController& panel) {
        const auto& views = panel.surfaceView()->subviews();
        return std::any_of(views.begin(), views.end(),
                           [](const auto& view) { return std::dynamic_pointer_cast<LoadingView>(view) != nullptr; });
    }

    std::shared_ptr<StaticStorageService> storage = std::make_shared<StaticStorageService>(nullptr);
    std::shared_ptr<vydtest::FakeAppTokenService> appTokens = std::make_shared<vydtest::FakeAppTokenService>();
    std::shared_ptr<vydtest::RecordingWebSceneOpener> opener = std::make_shared<vydtest::RecordingWebSceneOpener>();
    PartnerSSOOpener ssoOpener{storage, appTokens, std::make_shared<SlidePanelFactory>(), [this] { return opener; }};
    std::optional<std::optional<VYDError>> result;
};

TEST_F(PartnerSSOOpenerTest, ThePageOpensInThePanelOrInTheBrowserOverItOnceTheAddressIsMade) {
    const std::tuple<std::optional<VYDOpenInType>, std::optional<uikit::UIColor>> cases[] = {
        {std::nullopt, std::nullopt}, {VYDOpenInType::browser, uikit::UIColor::blue()}};
    const auto address = *foundation::URL::string("https://lk.partner.example/home?app_token=t-1");
    const auto dark = uikittests::style(uikit::UIUserInterfaceStyle::dark);
    for (const auto& [openIn, color] : cases) {
        SCOPED_TRACE(openIn ? static_cast<int>(*openIn) : -1);
        const LiteELKModel partner("https://lk.partner.example/home", "partner-2", color, openIn);
        EXPECT_EQ(open(partner, root), std::nullopt) << "no answer before the address";
        const auto panel = presentedPanel();
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(isLoading(*panel));
        EXPECT_EQ(storage->liteELKModel()->partnerClientIdElkLite, "partner-2");
        EXPECT_EQ(storage->liteELKModel()->openInELKLite, openIn);
        EXPECT_TRUE(opener->calls.empty());

        ASSERT_TRUE(appTokens->pendingSSO);
        appTokens->pendingSSO(address);
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(result, std::make_optional(std::optional<VYDError>()));
        EXPECT_FALSE(isLoading(*panel));
        ASSERT_EQ(opener->calls.size(), 1u);
        const auto& call = opener->calls.front();
        EXPECT_EQ(call.url, address);
        EXPECT_FALSE(call.isSecure);
        EXPECT_EQ(call.navigationColor.value_or(uikit::UIColor::clear()).resolvedColor(dark),
                  color.value_or(palette::backgroundSecondary()).resolvedColor(dark));
        if (openIn == VYDOpenInType::browser) {
            EXPECT_EQ(std::get<SafariView>(call.style).viewController, panel);
            EXPECT_EQ(panel->state(), SlidePanelState::hidden());
        } else {
            EXPECT_EQ(std::get<ChildWebView>(call.style).panel, panel);
            EXPECT_EQ(std::get<ChildWebView>(call.style).webViewType, NavigationWebViewType::base);
        }
        advance(2);
        root->dismiss(false);
        opener->calls.clear();
        result.reset();
    }
}

TEST_F(PartnerSSOOpenerTest, WithoutAnAddressThePanelGoesAndTheErrorComesBack) {
    open(LiteELKModel("https://lk.partner.example/home", std::nullopt, std::nullopt, std::nullopt), root);
    advance(2);
    ASSERT_NE(presentedPanel(), nullptr);
    appTokens->pendingSSO(VYDError{VYDErrorType::appTokenNotFound, std::nullopt});
    foundation::RunLoop::main().runUntilIdle();
    advance(2);
    EXPECT_EQ(result.value_or(std::nullopt).value_or(VYDError{}).type, VYDErrorType::appTokenNotFound);
    EXPECT_EQ(presentedPanel(), nullptr);
    EXPECT_TRUE(opener->calls.empty());
}

TEST_F(PartnerSSOOpenerTest, BadInputShowsAndStoresNothing) {
    const std::tuple<std::optional<std::string>, bool, VYDErrorType> cases[] = {
        {std::nullopt, true, VYDErrorType::linkIsNotValid},
        {"vybank://lk", true, VYDErrorType::linkIsNotValid},
        {"https://", true, VYDErrorType::linkIsNotValid},
        {"not a link", true, VYDErrorType::linkIsNotValid},
        {"http://lk.partner.example/", true, VYDErrorType::linkIsNotValid},
        {"https://lk.partner.example/", false, VYDErrorType::invalidRequest},
    };
    for (const auto& [link, withViewController, expected] : cases) {
        SCOPED_TRACE(link.value_or("(none)"));
        result.reset();
        const auto over = withViewController ? root : nullptr;
        const auto answer = open(LiteELKModel(link, "partner-2", std::nullopt, std::nullopt), over);
        EXPECT_EQ(answer.value_or(std::nullopt).value_or(VYDError{}).type, expected);
        EXPECT_EQ(presentedPanel(), nullptr);
        EXPECT_FALSE(appTokens->pendingSSO);
        EXPECT_EQ(storage->liteELKModel()->partnerClientIdElkLite, std::nullopt);
    }
}

} // namespace
