// The navigation web scene in both variants, against VY Bank's local server: what the bar shows,
// which navigations load, how trust is answered, how the scene ends and what the host hears.
#include "platform/foundation/Dispatch.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedKeyboard.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIProgressView.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/LoginFacadeProtocol.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/screens/web/NavigationBaseWebView.hpp"
#include "sdk/screens/web/NavigationBaseWebViewController.hpp"
#include "sdk/screens/web/NavigationBaseWebViewInteractor.hpp"
#include "sdk/screens/web/NavigationBaseWebViewPresenter.hpp"
#include "sdk/screens/web/NavigationBaseWebViewRouter.hpp"
#include "sdk/screens/web/NavigationELKLiteWebViewInteractor.hpp"
#include "sdk/screens/web/NavigationELKLiteWebViewPresenter.hpp"
#include "sdk/services/AppMethodsWrapper.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "support/TestServer.hpp"
#include "support/VYBankServer.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

namespace {

using testing::SimulatedUser;

class RecordingDelegate : public vyd::VYDWebViewReloginContinueDelegate {
public:
    std::function<bool()> sceneShown;
    std::vector<std::string> heard;
    std::optional<std::string> userId;
    bool continueAtOnce = true;
    ContinueAppToWeb kept;

    void webViewReject() override { heard.push_back(sceneShown && sceneShown() ? "reject while shown" : "reject"); }
    void reloginStatusContinueAppToWeb(const vyd::VYDAuthResponse& result, const ContinueAppToWeb& next) override {
        heard.push_back("relogin " + result.code.value_or("-"));
        kept = next;
        if (continueAtOnce) {
            next(userId);
        }
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
    std::vector<std::string> links;
    std::vector<std::optional<std::string>> userIds;
    void getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion) override {
        links.push_back(url.absoluteString());
        vyd::VYDAuthResponse response;
        response.isSuccess = true;
        for (const auto& item : url.queryItems()) {
            if (item.name == "code") {
                response.code = item.value;
            }
        }
        completion(response);
    }
    void applyUserID(const std::optional<std::string>& userID) override { userIds.push_back(userID); }
};

class FakeAppTokenService : public vyd::AppTokenServiceProtocol {
public:
    std::optional<vyd::SSOResult> answer;
    int calls = 0;
    void saveAppToken(const std::string&) override {}
    std::optional<vyd::AppTokenDataModel> appToken() const override { return std::nullopt; }
    void deleteAppToken() override {}
    void reloginSSOELKLite(std::function<void(vyd::SSOResult)> completion) override {
        ++calls;
        completion(*answer);
    }
};

class NavigationSceneTest : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
        device = std::make_unique<::testing::SimulatedDevice>();
        bank = testsupport::VYBankServer::start();
        certificates =
            std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()});
        services.replace(&vyd::DIContainer::setLoginFacade, facade);
        delegates->addDelegate(host);
        host->sceneShown = [this] {
            const auto shown = device->rootViewController()->presentedViewController();
            return shown && !shown->isBeingDismissed();
        };
    }
    void TearDown() override {
        foundation::RunLoop::main().discardPending();
        device.reset();
    }

    // Builds the scene as the web scene assembler does, in a navigation controller presented
    // over the root (or, with `inNavigation` false, the scene's controller alone).
    void open(const std::string& url, bool elkLite = false, bool isSecure = false, bool inNavigation = true) {
        auto view = vyd::NavigationBaseWebView::make(color);
        std::shared_ptr<vyd::NavigationBaseWebViewPresenter> presenter;
        std::shared_ptr<vyd::NavigationBaseWebViewInteractorProtocol> interactor;
        const auto start = *foundation::URL::string(url);
        if (elkLite) {
            presenter = std::make_shared<vyd::NavigationELKLiteWebViewPresenter>();
            interactor = std::make_shared<vyd::NavigationELKLiteWebViewInteractor>(
                presenter, nullptr, certificates, appToken, color, isSecure, start, delegates);
        } else {
            presenter = std::make_shared<vyd::NavigationBaseWebViewPresenter>();
            interactor = std::make_shared<vyd::NavigationBaseWebViewInteractor>(presenter, nullptr, certificates, color,
                                                                                isSecure, start, host, delegates);
        }
        auto router = std::make_shared<vyd::NavigationBaseWebViewRouter>(std::make_shared<vyd::AppMethodsWrapper>());
        auto controller = vyd::NavigationBaseWebViewController::make(interactor, router, view);
        presenter->setViewController(controller);
        router->setViewController(controller);
        scene = controller;
        std::shared_ptr<uikit::UIViewController> shown = controller;
        if (inNavigation) {
            shown = uikit::UINavigationController::make(controller);
        }
        device->rootViewController()->present(shown, true);
        settle();
    }

    std::shared_ptr<vyd::NavigationBaseWebViewController> controller() const { return scene.lock(); }
    std::shared_ptr<vyd::NavigationBaseWebView> view() const {
        return std::dynamic_pointer_cast<vyd::NavigationBaseWebView>(controller()->contentView());
    }
    std::shared_ptr<webkit::WKWebView> webView() const { return view()->webView(); }
    std::string pageURL() const {
        const auto url = webView()->url();
        return url ? url->absoluteString() : std::string();
    }
    bool backShown() const { return controller()->navigationItem()->leftBarButtonItem() != nullptr; }

    static void settle() { foundation::Clock::advance(1); }
    static void waitFor(const std::function<bool()>& done, const std::string& what) {
        EXPECT_TRUE(foundation::RunLoop::main().runUntil(done, 15)) << "never came: " << what;
    }
    void waitForPage(const std::string& url) {
        waitFor([&] { return !webView()->isLoading() && pageURL() == url; }, url);
    }
    // Signs in on the bank's pages up to the return link.
    void signIn() {
        waitForPage(bank->authorizationURL("shop", "vyshop://return", "s1"));
        ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"phone", "+10000000000"}}));
        waitFor([&] { return !webView()->isLoading() && webView()->title() == "VY Bank: code"; }, "code page");
        ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"code", std::string(testsupport::VYBankServer::smsCode)}}));
        waitFor([&] { return !facade->links.empty(); }, "return link");
    }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::unique_ptr<testsupport::VYBankServer> bank;
    std::shared_ptr<vyd::CertificatesService> certificates;
    std::shared_ptr<vyd::DelegateManager> delegates = std::make_shared<vyd::DelegateManager>();
    std::shared_ptr<RecordingDelegate> host = std::make_shared<RecordingDelegate>();
    std::shared_ptr<FakeLoginFacade> facade = std::make_shared<FakeLoginFacade>();
    std::shared_ptr<FakeAppTokenService> appToken = std::make_shared<FakeAppTokenService>();
    std::optional<uikit::UIColor> color = uikit::UIColor(0.1, 0.5, 0.3, 1);
    std::weak_ptr<vyd::NavigationBaseWebViewController> scene;
};

TEST_F(NavigationSceneTest, BarShowsTheHostAndTheBackButtonFollowsHistory) {
    open(bank->url("/partner/account?user=Ann"));
    const auto title = std::dynamic_pointer_cast<uikit::UIView>(controller()->navigationItem()->titleView());
    ASSERT_TRUE(title);
    waitForPage(bank->url("/partner/account?user=Ann"));
    EXPECT_FALSE(backShown());
    EXPECT_EQ(controller()->navigationItem()->rightBarButtonItem(), view()->closeBarButton());
    const auto& bar = controller()->navigationController()->navigationBar();
    EXPECT_EQ(bar->standardAppearance().backgroundColor, color);
    EXPECT_EQ(view()->progressView()->superview(), bar);

    // "Orders" asks for a new window: it opens in the same web view, with history behind it.
    ASSERT_TRUE(SimulatedUser::tapLink(*webView(), "Orders"));
    waitForPage(bank->url("/partner/orders"));
    EXPECT_TRUE(backShown());
    SimulatedUser::tap(std::dynamic_pointer_cast<uikit::UIView>(view()->backBarButton()->customView()));
    waitForPage(bank->url("/partner/account?user=Ann"));
    EXPECT_FALSE(backShown());

    // Progress reached 1.0: the bar hides one second later on the clock, back at 0.
    EXPECT_FALSE(view()->progressView()->isHidden());
    foundation::Clock::advance(0.9);
    EXPECT_FALSE(view()->progressView()->isHidden());
    foundation::Clock::advance(0.2);
    EXPECT_TRUE(view()->progressView()->isHidden());
    EXPECT_EQ(view()->progressView()->progress(), 0);
}

TEST_F(NavigationSceneTest, DeepLinksGoToTheApplicationAndThePageStays) {
    open(bank->url("/partner/account"));
    waitForPage(bank->url("/partner/account"));
    std::size_t handed = 0;
    for (const char* link : {"tel:+100200", "mailto:shop@vy.example", "about:blank"}) {
        SimulatedUser::navigateByScript(*webView(), *foundation::URL::string(link));
        waitFor([&] { return device->openURLRecords().size() == handed + 1; }, link);
        ++handed;
    }
    std::vector<std::string> opened;
    for (const auto& record : device->openURLRecords()) {
        opened.push_back(record.url.absoluteString());
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"tel:+100200", "mailto:shop@vy.example", "about:blank"}));
    EXPECT_EQ(pageURL(), bank->url("/partner/account"));
}

TEST_F(NavigationSceneTest, RefusedTrustSendsNothingAndFallsBackToTheBrowserOnlyWhenSecure) {
    const auto untrusted = testsupport::VYBankServer::start();
    for (const bool isSecure : {false, true}) {
        open(untrusted->url("/partner/account"), false, isSecure);
        waitFor([&] { return !webView()->isLoading(); }, "refusal");
        foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
        const auto top = device->topViewController();
        const auto browser = std::dynamic_pointer_cast<safariservices::SFSafariViewController>(top);
        EXPECT_EQ(browser != nullptr, isSecure);
        if (browser) {
            EXPECT_EQ(browser->url().absoluteString(), untrusted->url("/partner/account"));
            EXPECT_EQ(browser->preferredBarTintColor(), color);
        }
        device->rootViewController()->dismiss(false);
        settle();
    }
    EXPECT_EQ(untrusted->server().requestCount(), 0u);

    // A refusal with no page to fall back to shows nothing more.
    open(bank->url("/partner/account"), false, true);
    bool cancelled = false;
    controller()->interactor()->didReceiveChallenge(
        std::nullopt, foundation::URLAuthenticationChallenge({"elsewhere.example", 443, "https", ""}),
        [&](foundation::URLSessionAuthChallengeDisposition disposition, std::optional<foundation::URLCredential>) {
            cancelled = disposition == foundation::URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge;
        });
    waitFor([&] { return cancelled; }, "cancel");
    foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
    EXPECT_FALSE(std::dynamic_pointer_cast<safariservices::SFSafariViewController>(device->topViewController()));
}

TEST_F(NavigationSceneTest, KeyboardHidingRestoresTheScrollPositionItFound) {
    open(bank->url("/partner/account"));
    const auto& scrollView = webView()->scrollView();
    scrollView->setContentOffset({0, 120});
    testing::SimulatedKeyboard::show();
    scrollView->setContentOffset({0, 400});
    testing::SimulatedKeyboard::hide();
    EXPECT_EQ(scrollView->contentOffset().y, 120);
    testing::SimulatedKeyboard::reset();
}

TEST_F(NavigationSceneTest, WithoutANavigationControllerNoBarPartsAreInstalled) {
    open(bank->url("/partner/account"), false, false, false);
    EXPECT_EQ(view()->progressView()->superview(), nullptr);
    EXPECT_TRUE(view()->progressView()->constraints().empty());
    waitForPage(bank->url("/partner/account"));
}

TEST_F(NavigationSceneTest, CloseDismissesFirstThenEveryDelegateHearsOnceAndTheSceneGoes) {
    open(bank->url("/partner/account"));
    waitForPage(bank->url("/partner/account"));
    std::weak_ptr<webkit::WKWebView> page = webView();
    SimulatedUser::tap(std::dynamic_pointer_cast<uikit::UIView>(view()->closeBarButton()->customView()));
    settle();
    EXPECT_EQ(host->heard, std::vector<std::string>{"reject"});
    EXPECT_TRUE(scene.expired());
    EXPECT_TRUE(page.expired());
}

TEST_F(NavigationSceneTest, ELKLiteRoadContinuesToThePartnerInTheSameWebView) {
    host->userId = "user-7";
    appToken->answer = *foundation::URL::string(bank->url("/partner/account?user=user-7"));
    open(bank->authorizationURL("shop", "vyshop://return", "s1"), true);
    std::weak_ptr<webkit::WKWebView> bankWebView = webView();
    signIn();
    EXPECT_EQ(host->heard.size(), 1u);
    EXPECT_EQ(host->heard[0], "relogin " + bank->issuedCodes().back());
    EXPECT_EQ(facade->userIds, (std::vector<std::optional<std::string>>{"user-7"}));
    waitForPage(bank->url("/partner/account?user=user-7"));
    EXPECT_EQ(webView(), bankWebView.lock());
    // The partner's start page hides the back button although the bank's pages lie behind it.
    EXPECT_TRUE(webView()->canGoBack());
    EXPECT_FALSE(backShown());
    ASSERT_TRUE(SimulatedUser::tapLink(*webView(), "Orders"));
    waitForPage(bank->url("/partner/orders"));
    EXPECT_TRUE(backShown());

    // A second deep link is the page's own business now; a kept continuation does nothing.
    SimulatedUser::navigateByScript(*webView(), *foundation::URL::string("vyshop://return?code=again"));
    foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
    host->kept(std::nullopt);
    EXPECT_EQ(facade->links.size(), 1u);
    EXPECT_EQ(appToken->calls, 1);
}

TEST_F(NavigationSceneTest, ELKLiteHostContinuingWithoutAUserKeepsItsOwn) {
    appToken->answer = *foundation::URL::string(bank->url("/partner/account"));
    const auto statusOnly = std::make_shared<StatusOnlyDelegate>();
    delegates->addDelegate(statusOnly);
    open(bank->authorizationURL("shop", "vyshop://return", "s1"), true);
    signIn();
    waitForPage(bank->url("/partner/account"));
    EXPECT_EQ(facade->userIds, (std::vector<std::optional<std::string>>{std::nullopt}));
    EXPECT_EQ(statusOnly->calls, 0);
}

TEST_F(NavigationSceneTest, ELKLiteWithoutAPartnerAddressClosesBeforeTheDelegatesHear) {
    appToken->answer = vyd::VYDError{vyd::VYDErrorType::appTokenNotFound, std::nullopt};
    open(bank->authorizationURL("shop", "vyshop://return", "s1"), true);
    signIn();
    waitFor([&] { return host->heard.size() == 2; }, "rejection");
    settle();
    EXPECT_EQ(host->heard.back(), "reject");
    EXPECT_TRUE(scene.expired());
}

} // namespace
