#include "sdk/facade/AuthService.hpp"

#include "sdk/base/DelegateManager.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/sdk/BankAppSchemes.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"
#include "support/sdk/FakeAppTokenService.hpp"
#include "support/sdk/RecordingWebSceneOpener.hpp"
#include "support/sdk/RecordingWebViewDelegate.hpp"

#include <gtest/gtest.h>

#include <tuple>

using namespace vyd;
using Completion = AuthServiceInternalProtocol::Completion;

namespace {

VYDAuthRequest makeRequest() {
    return {"openid name", "state-1",     "nonce-1", "partner://auth",
            std::nullopt,  "challenge-1", "S256",    "+7 900 000-00-00"};
}

// The query of every link of `makeRequest()`, after the items of its kind of page.
std::string loginQuery(const std::string& authType) {
    return "client_id=partner-1&state=state-1&nonce=nonce-1&scope=openid%20name&redirect_uri=partner://auth&"
           "code_challenge=challenge-1&code_challenge_method=S256&login_hint=%2B7%20900%20000-00-00&auth_type=" +
           authType + "&logUid=log-1";
}
std::string standPage(const std::string& host) {
    return "https://" + host + "/oauth2/authorize?response_type=code&" + loginQuery("app2web");
}

class FakeCoordinator : public AuthWithVCsCoordinatorProtocol {
public:
    int started = 0;
    void startAuthChooseScenario() override { ++started; }
    void startAppChooseScenario() override {}
};

class FakeCoordinatorAssembler : public AuthWithVCsCoordinatorAssemblerProtocol {
public:
    std::weak_ptr<FakeCoordinator> made;
    std::weak_ptr<AuthServiceInternalProtocol> authService;
    std::optional<VYDAuthRequest> request;

    std::shared_ptr<AuthWithVCsCoordinatorProtocol>
    create(const VYDAuthRequest& loginRequest, const std::shared_ptr<AuthServiceInternalProtocol>& service) override {
        auto coordinator = std::make_shared<FakeCoordinator>();
        made = coordinator;
        authService = service;
        request = loginRequest;
        return coordinator;
    }
};

class AuthServiceTest : public uikittests::ManualClockTest {
protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        storage->setClientId("partner-1");
        storage->setLogUid("log-1");
    }

    // Runs an attempt to its end on the main queue and gives its answer.
    std::optional<bool> run(const std::function<void(Completion)>& attempt) {
        std::optional<bool> result;
        attempt([&result](bool opened) {
            EXPECT_TRUE(foundation::isMainThread());
            result = opened;
        });
        EXPECT_FALSE(result.has_value()) << "answers later, on the main queue";
        foundation::RunLoop::main().runUntilIdle();
        return result;
    }

    // What was opened since the last call: pages (with their level), apps (by scheme), the
    // choice flow.
    std::string opened(const FakeCoordinatorAssembler* assembler = nullptr) {
        std::string out;
        for (const auto& call : opener->calls) {
            const auto* modal = std::get_if<ModalWebView>(&call.style);
            out += "page " + call.url.host().value_or("?") +
                   (modal ? (modal->secureLevel == WebSceneSecureLevel::high ? " high" : " low") : " other") +
                   (call.isSecure ? " secure; " : "; ");
        }
        for (const auto& url : application->opened) {
            out += "app " + url.scheme().value_or("?") + "; ";
        }
        if (assembler && !assembler->made.expired() && assembler->made.lock()->started == 1) {
            out += "choice; ";
        }
        opener->calls.clear();
        application->opened.clear();
        return out;
    }

    std::shared_ptr<StaticStorageService> storage = std::make_shared<StaticStorageService>(nullptr);
    std::shared_ptr<vydtest::FakeAppMethodsWrapper> application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    std::shared_ptr<vydtest::RecordingWebSceneOpener> opener = std::make_shared<vydtest::RecordingWebSceneOpener>();
    std::shared_ptr<RootViewControllerStorage> rootStorage = std::make_shared<RootViewControllerStorage>();
    std::shared_ptr<vydtest::FakeAppTokenService> appTokens = std::make_shared<vydtest::FakeAppTokenService>();

    AuthServiceDependencies
    dependencies(std::shared_ptr<AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler = nullptr) {
        return {storage,   application, rootStorage, [this] { return opener; },
                appTokens, nullptr,     nullptr,     std::move(coordinatorAssembler)};
    }
    std::shared_ptr<AuthService> service = AuthService::make(dependencies());
};

} // namespace

TEST_F(AuthServiceTest, DeeplinkAnswersWhetherTheBankAppOpenedAndLeavesOutAbsentItems) {
    const auto deeplink = [this](const char* link, const VYDAuthRequest& request) {
        return run([&](Completion done) { service->authenticateUserByDeeplink(link, request, done); });
    };
    EXPECT_EQ(deeplink("vybank://", makeRequest()), false);
    EXPECT_EQ(opened(), "app vybank; ");
    application->installedSchemes = {"vybank"};
    storage->setLogUid(std::nullopt);
    auto bare = makeRequest();
    bare.codeChallenge.reset();
    bare.loginHint.reset();
    EXPECT_EQ(deeplink("vybank", bare), true) << "a bare scheme is a link";
    ASSERT_EQ(application->opened.size(), 1u);
    EXPECT_EQ(application->opened.front().absoluteString(),
              "vybank://?client_id=partner-1&state=state-1&nonce=nonce-1&scope=openid%20name&"
              "redirect_uri=partner://auth&auth_type=app2app");
    opened();

    EXPECT_EQ(deeplink("not a link", makeRequest()), false);
    storage->setClientId(std::nullopt);
    EXPECT_EQ(deeplink("vybank://", makeRequest()), false);
    EXPECT_EQ(opened(), "");
}

TEST_F(AuthServiceTest, PriorityScenarioOpensTheFirstSchemeThatWorksElseThePageOverTheStoredScreen) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha", "vybankgamma"});
    const auto priority = [this] {
        return run(
            [this](Completion done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); });
    };
    EXPECT_EQ(priority(), false) << "no app, and no screen to show the page over";
    EXPECT_EQ(opened(), "app vybankbeta; app vybankalpha; app vybankgamma; ");

    const auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    EXPECT_EQ(priority(), true);
    EXPECT_EQ(opened(), "page id.vybank.example high secure; app vybankbeta; app vybankalpha; app vybankgamma; ");

    application->installedSchemes = {"vybankalpha", "vybankgamma"};
    EXPECT_EQ(priority(), true);
    EXPECT_EQ(opened(), "app vybankbeta; app vybankalpha; ");
}

TEST_F(AuthServiceTest, DefaultPageOpensTheSecureSceneOverTheStoredControllerOnlyWhenAllIsThere) {
    const auto byDefault = [this](const std::shared_ptr<AuthService>& login) {
        return run([&](Completion done) { login->authenticateUserByDefaultURL(makeRequest(), done); });
    };
    auto gone = uikit::UIViewController::make();
    rootStorage->setViewController(gone);
    gone.reset();
    EXPECT_EQ(byDefault(service), false) << "the host's screen is held weakly";

    const auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    auto noOpener = dependencies();
    noOpener.webSceneOpener = [] { return nullptr; };
    EXPECT_EQ(byDefault(AuthService::make(noOpener)), false);
    storage->setClientId(std::nullopt);
    EXPECT_EQ(byDefault(service), false);
    EXPECT_EQ(opened(), "");

    storage->setClientId("partner-1");
    EXPECT_EQ(byDefault(service), true);
    ASSERT_EQ(opener->calls.size(), 1u);
    const auto& call = opener->calls.front();
    EXPECT_EQ(std::tuple(std::get<ModalWebView>(call.style).viewController, call.delegate, call.url.absoluteString()),
              std::tuple(controller, nullptr, standPage("id.vybank.example")));
    EXPECT_EQ(opened(), "page id.vybank.example high secure; ");
}

TEST_F(AuthServiceTest, AnAttemptKeepsTheServiceAliveUntilItAnswers) {
    application->installedSchemes = {"vybank"};
    std::weak_ptr<AuthService> weak = service;
    std::optional<bool> result;
    service->authenticateUserByDeeplink("vybank://", makeRequest(), [&result](bool opened) { result = opened; });
    service.reset();
    EXPECT_FALSE(weak.expired());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(result, true);
    EXPECT_TRUE(weak.expired());
}

// Each login drops the app token and keeps its request and screen, whatever it opens.
TEST_F(AuthServiceTest, AuthGoesWhereTheRequestAndTheStandSay) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta"});
    // Columns: stand, SSO base, choice flow connected, what opens, address of the first page or app opened.
    const std::tuple<VYDStandType, std::optional<std::string>, bool, const char*, std::string> cases[] = {
        {VYDStandType::ift, std::nullopt, true, "page id-ift.vybank.example high secure; ",
         standPage("id-ift.vybank.example")},
        {VYDStandType::psiCloud, std::string(), true, "page id-psi-cloud.vybank.example high secure; ",
         standPage("id-psi-cloud.vybank.example")},
        {VYDStandType::prom, "https://sso.partner.example/authorize?lang=en", true,
         "page sso.partner.example high secure; ",
         "https://sso.partner.example/authorize?lang=en&response_type=code&" + loginQuery("app2web")},
        {VYDStandType::ift, "vybank://auth", true, "app vybank; ", "vybank://auth?" + loginQuery("app2app")},
        {VYDStandType::prom, std::nullopt, true, "choice; ", ""},
        // Without the choice flow: the bank apps, then the page.
        {VYDStandType::prom, std::nullopt, false, "page id.vybank.example high secure; app vybankbeta; ",
         standPage("id.vybank.example")},
    };
    for (const auto& [stand, ssoBaseUrl, choiceConnected, expected, address] : cases) {
        SCOPED_TRACE(expected);
        storage->setStand(stand);
        appTokens->token = AppTokenDataModel{"old-token", {}};
        auto assembler = std::make_shared<FakeCoordinatorAssembler>();
        auto login = AuthService::make(dependencies(choiceConnected ? assembler : nullptr));
        const auto controller = uikit::UIViewController::make();
        auto request = makeRequest();
        request.ssoBaseUrl = ssoBaseUrl;

        EXPECT_EQ(login->auth(request, controller), std::nullopt);
        EXPECT_EQ(std::tuple(appTokens->token.has_value(), rootStorage->viewController(), storage->state(),
                             storage->redirectUri()),
                  std::tuple(false, controller, "state-1", "partner://auth"));
        foundation::RunLoop::main().runUntilIdle();
        for (const auto& call : opener->calls) {
            EXPECT_EQ(std::get<ModalWebView>(call.style).viewController, controller);
        }
        if (!address.empty()) {
            EXPECT_EQ((opener->calls.empty() ? application->opened.at(0) : opener->calls.front().url).absoluteString(),
                      address);
        }
        EXPECT_EQ(opened(assembler.get()), expected);
        if (!assembler->made.expired()) {
            EXPECT_EQ(std::tuple(assembler->request, assembler->authService.lock()), std::tuple(request, login));
        }
        login.reset();
        EXPECT_TRUE(assembler->made.expired()) << "the choice flow lives as long as its login";
    }
}

TEST_F(AuthServiceTest, ALoginThatCannotStartSaysWhyAndChangesNothing) {
    storage->setStand(VYDStandType::ift);
    storage->setState("earlier-state");
    const auto earlier = uikit::UIViewController::make();
    rootStorage->setViewController(earlier);
    appTokens->token = AppTokenDataModel{"kept-token", {}};
    using Type = VYDErrorType;
    using Row =
        std::tuple<const char*, std::function<void(VYDAuthRequest&, std::shared_ptr<uikit::UIViewController>&)>, Type>;
    const Row cases[] = {
        {"no view controller", [](auto&, auto& controller) { controller.reset(); }, Type::invalidRequest},
        {"no redirect URI", [](auto& request, auto&) { request.redirectUri.clear(); }, Type::invalidRequest},
        {"redirect URI not a URL", [](auto& request, auto&) { request.redirectUri = "back to the shop"; },
         Type::invalidRequest},
        {"SSO base not a link", [](auto& request, auto&) { request.ssoBaseUrl = "::"; }, Type::linkIsNotValid},
        {"SSO base page without host", [](auto& request, auto&) { request.ssoBaseUrl = "https://"; },
         Type::linkIsNotValid},
        {"no client identifier", [this](auto&, auto&) { storage->setClientId(std::nullopt); }, Type::clientIdNotFound},
    };
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
    for (const auto& [what, spoil, expected] : cases) {
        SCOPED_TRACE(what);
        storage->setClientId("partner-1");
        auto request = makeRequest();
        auto controller = uikit::UIViewController::make();
        spoil(request, controller);
        for (const auto& error :
             {service->auth(request, controller), service->loginWithIDToWebView(request, controller, delegate),
              service->reloginAuthELKLite(request, controller, delegate)}) {
            EXPECT_EQ(error.value_or(VYDError{}).type, expected);
            EXPECT_FALSE(error.value_or(VYDError{}).message.value_or("").empty());
        }
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(std::tuple(storage->state(), storage->redirectUri(), rootStorage->viewController(),
                             appTokens->deletions, opened()),
                  std::tuple("earlier-state", std::nullopt, earlier, 0, ""));
    }
}

TEST_F(AuthServiceTest, LoginInAWebViewOpensThePageAtLevelLowForItsDelegate) {
    appTokens->token = AppTokenDataModel{"kept-token", {}};
    const auto controller = uikit::UIViewController::make();
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
    ASSERT_EQ(service->loginWithIDToWebView(makeRequest(), controller, delegate), std::nullopt);
    ASSERT_EQ(opener->calls.size(), 1u);
    EXPECT_EQ(std::tuple(opener->calls.front().delegate,
                         std::get<ModalWebView>(opener->calls.front().style).viewController, storage->state(),
                         appTokens->token.has_value()),
              std::tuple(delegate, controller, "state-1", true));
    EXPECT_EQ(opened(), "page id.vybank.example low secure; ") << "the production stand shows no choice here";
}

TEST_F(AuthServiceTest, ReloginPresentsAWebPanelAndOpensThePageInItInThePartnersColour) {
    ::testing::SimulatedDevice device;
    storage->liteELKModel()->partnerColorELKLite = uikit::UIColor::red();
    auto withPanels = dependencies();
    withPanels.slidePanelFactory = std::make_shared<SlidePanelFactory>();
    withPanels.delegateManager = std::make_shared<DelegateManager>();
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();

    ASSERT_EQ(AuthService::make(withPanels)->reloginAuthELKLite(makeRequest(), device.rootViewController(), delegate),
              std::nullopt);
    ASSERT_EQ(opener->calls.size(), 1u);
    const auto& call = opener->calls.front();
    const auto& child = std::get<ChildWebView>(call.style); // throws for another style
    EXPECT_EQ(std::tuple(child.webViewType, device.rootViewController()->presentedViewController(), call.isSecure,
                         call.navigationColor, call.url.absoluteString(), storage->nonce()),
              std::tuple(NavigationWebViewType::elkLite, child.panel, false, uikit::UIColor::red(),
                         standPage("id.vybank.example"), "nonce-1"));
    EXPECT_EQ(withPanels.delegateManager->registeredDelegates(),
              std::vector<std::shared_ptr<DelegateObject>>{delegate});
    // The panel's presentation ends, and the panel goes, before the phone it is shown on.
    advance(1);
    opener->calls.clear();
}
