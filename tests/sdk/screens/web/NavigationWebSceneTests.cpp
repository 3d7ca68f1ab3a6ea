// The navigation web scene in both variants, built by the web scene assembler, against VY Bank's
// local server: what the bar shows, which navigations load, how trust is answered, how the scene
// ends and what the host hears.
#include "OTPSceneTestSupport.hpp"
#include "platform/testing/SimulatedKeyboard.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIProgressView.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/LoginFacadeProtocol.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/web/NavigationBaseWebView.hpp"
#include "sdk/screens/web/NavigationBaseWebViewController.hpp"
#include "sdk/screens/web/WebSceneAssembler.hpp"
#include "sdk/screens/web/WebSceneOpener.hpp"
#include "support/TestServer.hpp"
#include "support/sdk/FakeAppTokenService.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using testing::SimulatedUser;
using Type = vyd::NavigationWebViewType;
using Strings = std::vector<std::string>;

class RecordingDelegate : public vyd::VYDWebViewReloginContinueDelegate {
public:
    std::function<bool()> sceneShown;
    Strings heard;
    std::optional<std::string> userId;
    ContinueAppToWeb kept;

    void webViewReject() override { heard.push_back(sceneShown && sceneShown() ? "reject while shown" : "reject"); }
    void reloginStatusContinueAppToWeb(const vyd::VYDAuthResponse& result, const ContinueAppToWeb& next) override {
        heard.push_back("relogin " + result.code.value_or("-"));
        kept = next;
        next(userId);
    }
};

class StatusOnlyDelegate : public vyd::VYDWebViewReloginStatusDelegate {
public:
    int calls = 0;
    void webViewReject() override {}
    void reloginStatus(const vyd::VYDAuthResponse&) override { ++calls; }
};

class FakeLoginFacade : public vyd::LoginFacadeProtocol {
public:
    Strings links;
    std::vector<std::optional<std::string>> userIds;
    void getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion) override {
        links.push_back(url.absoluteString());
        const auto parameters = vyd::queryParameters(url);
        const auto code = parameters.count("code") ? std::optional(parameters.at("code")) : std::nullopt;
        completion({true, std::nullopt, std::nullopt, code, std::nullopt, std::nullopt});
    }
    void applyUserID(const std::optional<std::string>& userID) override { userIds.push_back(userID); }
};

class NavigationSceneTest : public vydtest::WebSceneTest {
protected:
    void SetUp() override {
        WebSceneTest::SetUp();
        services.replace(&vyd::DIContainer::setLoginFacade, facade);
        services.replace(&vyd::DIContainer::setAppTokenService, appToken);
        services.replace(&vyd::DIContainer::setDelegateManager, delegates);
        services.replace(&vyd::DIContainer::setStaticStorageService,
                         std::make_shared<vyd::StaticStorageService>(nullptr));
        services.replace(&vyd::DIContainer::setAppMethodWrapper, std::make_shared<vyd::AppMethodsWrapper>());
        delegates->addDelegate(host);
        host->sceneShown = [this] {
            const auto shown = root->presentedViewController();
            return shown && !shown->isBeingDismissed();
        };
    }

    // Presents the scene in a navigation controller over the root (or, with `inNavigation`
    // false, the scene's controller alone).
    void open(const std::string& url, Type type = Type::base, bool isSecure = false, bool inNavigation = true) {
        const auto made = vyd::WebSceneAssembler().createNavigationWebViewController(*foundation::URL::string(url),
                                                                                     isSecure, color, type, host);
        scene = std::dynamic_pointer_cast<vyd::NavigationBaseWebViewController>(made.viewController);
        root->present(inNavigation ? uikit::UINavigationController::make(made.viewController) : made.viewController,
                      true);
        settle();
    }

    std::shared_ptr<vyd::NavigationBaseWebViewController> controller() const { return scene.lock(); }
    std::shared_ptr<vyd::NavigationBaseWebView> view() const {
        return std::dynamic_pointer_cast<vyd::NavigationBaseWebView>(controller()->contentView());
    }
    std::shared_ptr<webkit::WKWebView> webView() const override { return view()->webView(); }
    bool backShown() const { return controller()->navigationItem()->leftBarButtonItem() != nullptr; }

    // Signs in on the bank's pages up to the return link.
    void signIn() {
        open(bank->authorizationURL("shop", "vyshop://return", "s1"), Type::elkLite);
        waitForPage(bank->authorizationURL("shop", "vyshop://return", "s1"));
        ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"phone", "+10000000000"}}));
        waitForTitle("VY Bank: code");
        ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"code", std::string(testsupport::VYBankServer::smsCode)}}));
        waitFor([&] { return !facade->links.empty(); }, "return link");
    }
    // Answers the scene's request for the partner's address.
    void answerSSO(vyd::SSOResult result) {
        waitFor([&] { return bool(appToken->pendingSSO); }, "the request for the partner's address");
        std::exchange(appToken->pendingSSO, nullptr)(std::move(result));
    }

    std::shared_ptr<vyd::DelegateManager> delegates = std::make_shared<vyd::DelegateManager>();
    std::shared_ptr<RecordingDelegate> host = std::make_shared<RecordingDelegate>();
    std::shared_ptr<FakeLoginFacade> facade = std::make_shared<FakeLoginFacade>();
    std::shared_ptr<vydtest::FakeAppTokenService> appToken = std::make_shared<vydtest::FakeAppTokenService>();
    std::optional<uikit::UIColor> color = uikit::UIColor(0.1, 0.5, 0.3, 1);
    std::weak_ptr<vyd::NavigationBaseWebViewController> scene;
};

TEST_F(NavigationSceneTest, BarBackButtonProgressDeepLinksAndClose) {
    open(bank->url("/partner/account?user=Ann"));
    waitForPage(bank->url("/partner/account?user=Ann"));
    const auto& bar = controller()->navigationController()->navigationBar();
    EXPECT_EQ(std::tuple(backShown(), bar->standardAppearance().backgroundColor, view()->progressView()->superview()),
              std::tuple(false, color, bar));

    // "Orders" asks for a new window: it opens in the same web view, with history behind it.
    ASSERT_TRUE(SimulatedUser::tapLink(*webView(), "Orders"));
    waitForPage(bank->url("/partner/orders"));
    EXPECT_TRUE(backShown());
    SimulatedUser::tap(std::dynamic_pointer_cast<uikit::UIView>(view()->backBarButton()->customView()));
    waitForPage(bank->url("/partner/account?user=Ann"));
    EXPECT_FALSE(backShown());

    // Progress reached 1.0: the bar hides one second later on the clock, back at 0.
    EXPECT_FALSE(view()->progressView()->isHidden());
    advance(0.9);
    EXPECT_FALSE(view()->progressView()->isHidden());
    advance(0.2);
    EXPECT_EQ(std::tuple(view()->progressView()->isHidden(), view()->progressView()->progress()),
              std::tuple(true, 0.0F));

    // Deep links go to the application; the page stays.
    const Strings links{"tel:+100200", "mailto:shop@vy.example", "about:blank"};
    for (std::size_t i = 0; i < links.size(); ++i) {
        SimulatedUser::navigateByScript(*webView(), *foundation::URL::string(links[i]));
        waitFor([&] { return requestedURLs().size() == i + 1; }, links[i]);
    }
    EXPECT_EQ(std::tuple(requestedURLs(), pageURL()), std::tuple(links, bank->url("/partner/account?user=Ann")));

    // Closing dismisses first, then every delegate hears once, and the scene and its page go.
    std::weak_ptr<webkit::WKWebView> page = webView();
    SimulatedUser::tap(std::dynamic_pointer_cast<uikit::UIView>(view()->closeBarButton()->customView()));
    settle();
    EXPECT_EQ(std::tuple(host->heard, scene.expired(), page.expired()), std::tuple(Strings{"reject"}, true, true));
}

TEST_F(NavigationSceneTest, RefusedTrustSendsNothingAndFallsBackToTheBrowserOnlyWhenSecure) {
    const auto untrusted = testsupport::VYBankServer::start();
    for (const bool isSecure : {false, true}) {
        open(untrusted->url("/partner/account"), Type::base, isSecure);
        waitFor([&] { return !webView()->isLoading(); }, "refusal");
        foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
        EXPECT_EQ(browser() != nullptr, isSecure);
        if (browser()) {
            EXPECT_EQ(std::tuple(browser()->url().absoluteString(), browser()->preferredBarTintColor()),
                      std::tuple(untrusted->url("/partner/account"), color));
        }
        root->dismiss(false);
        settle();
    }
    EXPECT_EQ(untrusted->server().requestCount(), 0u);

    // A refusal with no page to fall back to shows nothing more.
    open(bank->url("/partner/account"), Type::base, true);
    bool cancelled = false;
    controller()->interactor()->didReceiveChallenge(
        std::nullopt, foundation::URLAuthenticationChallenge({"elsewhere.example", 443, "https", ""}),
        [&](foundation::URLSessionAuthChallengeDisposition disposition, std::optional<foundation::URLCredential>) {
            cancelled = disposition == foundation::URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge;
        });
    waitFor([&] { return cancelled; }, "cancel");
    foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
    EXPECT_FALSE(browser());
}

TEST_F(NavigationSceneTest, KeyboardAndNoNavigationController) {
    open(bank->url("/partner/account"), Type::base, false, false);
    EXPECT_EQ(view()->progressView()->superview(), nullptr) << "no bar parts without a navigation controller";
    EXPECT_TRUE(view()->progressView()->constraints().empty());
    const auto& scrollView = webView()->scrollView();
    scrollView->setContentOffset({0, 120});
    testing::SimulatedKeyboard::show();
    scrollView->setContentOffset({0, 400});
    testing::SimulatedKeyboard::hide();
    EXPECT_EQ(scrollView->contentOffset().y, 120) << "the position the keyboard found";
    testing::SimulatedKeyboard::reset();
    waitForPage(bank->url("/partner/account"));
}

TEST_F(NavigationSceneTest, ELKLiteRoadContinuesToThePartnerInTheSameWebView) {
    host->userId = "user-7";
    signIn();
    std::weak_ptr<webkit::WKWebView> bankWebView = webView();
    answerSSO(*foundation::URL::string(bank->url("/partner/account?user=user-7")));
    EXPECT_EQ(std::tuple(host->heard, facade->userIds), std::tuple(Strings{"relogin " + bank->issuedCodes().back()},
                                                                   std::vector<std::optional<std::string>>{"user-7"}));
    waitForPage(bank->url("/partner/account?user=user-7"));
    // The partner's start page hides the back button although the bank's pages lie behind it.
    EXPECT_EQ(std::tuple(webView(), webView()->canGoBack(), backShown()), std::tuple(bankWebView.lock(), true, false));
    ASSERT_TRUE(SimulatedUser::tapLink(*webView(), "Orders"));
    waitForPage(bank->url("/partner/orders"));
    EXPECT_TRUE(backShown());

    // A second deep link is the page's own business now; a kept continuation does nothing.
    SimulatedUser::navigateByScript(*webView(), *foundation::URL::string("vyshop://return?code=again"));
    foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
    host->kept(std::nullopt);
    EXPECT_EQ(std::tuple(facade->links.size(), bool(appToken->pendingSSO)), std::tuple(std::size_t{1}, false));
}

// A host continuing without a user keeps its own; one that cannot continue is never asked.
TEST_F(NavigationSceneTest, ELKLiteWithoutAPartnerAddressClosesBeforeTheDelegatesHear) {
    const auto statusOnly = std::make_shared<StatusOnlyDelegate>();
    delegates->addDelegate(statusOnly);
    signIn();
    answerSSO(vyd::VYDError{vyd::VYDErrorType::appTokenNotFound, std::nullopt});
    EXPECT_EQ(std::tuple(facade->userIds, statusOnly->calls),
              std::tuple(std::vector<std::optional<std::string>>{std::nullopt}, 0));
    waitFor([&] { return host->heard.size() == 2; }, "rejection");
    settle();
    EXPECT_EQ(std::tuple(host->heard.back(), scene.expired()), std::tuple(std::string("reject"), true));
}

// The opener fills a panel with the scene; closing it takes panel, scene and web view away.
TEST_F(NavigationSceneTest, APanelSceneGoesWithItsPanel) {
    const auto opener = vyd::WebSceneOpener::make(nullptr, std::make_shared<vyd::StaticStorageService>(nullptr),
                                                  nullptr, delegates, std::make_shared<vyd::WebSceneAssembler>());
    const auto url = bank->url("/partner/account");
    std::weak_ptr<vyd::SlidePanelController> panel;
    std::weak_ptr<webkit::WKWebView> page;
    {
        const auto shown = vyd::SlidePanelFactory().createSlidePanel(
            vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, nullptr);
        root->present(shown, true);
        opener->openScene(*foundation::URL::string(url), vyd::ChildWebView{shown, Type::base}, false, color, host);
        settle();
        const auto navigation =
            std::dynamic_pointer_cast<uikit::UINavigationController>(shown->contentViewController());
        ASSERT_NE(navigation, nullptr);
        scene = std::dynamic_pointer_cast<vyd::NavigationBaseWebViewController>(navigation->topViewController());
        ASSERT_NE(controller(), nullptr);
        EXPECT_EQ(shown->trackingScrollView(), webView()->scrollView());
        waitForPage(url);
        panel = shown;
        page = webView();
        controller()->closeButtonPressed();
    }
    advance(2);
    EXPECT_EQ(opener->slidePanelVC(), nullptr);
    EXPECT_EQ(device->topViewController(), root);
    EXPECT_TRUE(scene.expired() && panel.expired() && page.expired()) << "something outlives the panel";
    delegates->removeDelegate(opener); // registered for good, as the process-wide one is
}

} // namespace
