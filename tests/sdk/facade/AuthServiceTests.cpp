#include "sdk/facade/AuthService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
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

using foundation::URLQueryItem;
using Items = std::vector<URLQueryItem>;

namespace {

vyd::VYDAuthRequest makeRequest() {
    vyd::VYDAuthRequest request;
    request.scope = "openid name";
    request.state = "state-1";
    request.nonce = "nonce-1";
    request.redirectUri = "partner://auth";
    request.codeChallenge = "challenge-1";
    request.codeChallengeMethod = "S256";
    request.loginHint = "+7 900 000-00-00";
    return request;
}

// The items every link of `makeRequest()` carries, after the given ones of its kind of page.
Items loginItems(const char* authType, Items first = {}) {
    const Items items{{"client_id", "partner-1"},
                      {"state", "state-1"},
                      {"nonce", "nonce-1"},
                      {"scope", "openid name"},
                      {"redirect_uri", "partner://auth"},
                      {"code_challenge", "challenge-1"},
                      {"code_challenge_method", "S256"},
                      {"login_hint", "+7 900 000-00-00"},
                      {"auth_type", authType},
                      {"logUid", "log-1"}};
    first.insert(first.end(), items.begin(), items.end());
    return first;
}

class AuthServiceTest : public uikittests::ManualClockTest {
protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        storage->setClientId("partner-1");
        storage->setLogUid("log-1");
    }

    // Runs an attempt to its end on the main queue and gives its answer.
    std::optional<bool> run(const std::function<void(vyd::AuthServiceInternalProtocol::Completion)>& attempt) {
        std::optional<bool> result;
        attempt([&result](bool opened) {
            EXPECT_TRUE(foundation::isMainThread());
            result = opened;
        });
        EXPECT_FALSE(result.has_value()) << "answers later, on the main queue";
        foundation::RunLoop::main().runUntilIdle();
        return result;
    }

    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    std::shared_ptr<vydtest::FakeAppMethodsWrapper> application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    std::shared_ptr<vydtest::RecordingWebSceneOpener> opener = std::make_shared<vydtest::RecordingWebSceneOpener>();
    std::shared_ptr<vyd::RootViewControllerStorage> rootStorage = std::make_shared<vyd::RootViewControllerStorage>();
    std::shared_ptr<vydtest::FakeAppTokenService> appTokens = std::make_shared<vydtest::FakeAppTokenService>();

    vyd::AuthServiceDependencies
    dependencies(std::shared_ptr<vyd::AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler = nullptr) {
        return {storage,   application, rootStorage, [this] { return opener; },
                appTokens, nullptr,     nullptr,     std::move(coordinatorAssembler)};
    }
    std::shared_ptr<vyd::AuthService> service = vyd::AuthService::make(dependencies());
};

} // namespace

TEST_F(AuthServiceTest, DeeplinkAnswersWhetherTheBankAppOpenedAndOpensNothingWithoutALink) {
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://", makeRequest(), done); }), false);
    application->installedSchemes = {"vybank"};
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://", makeRequest(), done); }), true);
    EXPECT_EQ(application->opened.size(), 2u);

    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("not a link", makeRequest(), done); }), false);
    storage->setClientId(std::nullopt);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://", makeRequest(), done); }), false);
    EXPECT_EQ(application->opened.size(), 2u);
}

TEST_F(AuthServiceTest, OptionalItemsAreLeftOutWhenTheRequestHasNone) {
    application->installedSchemes = {"vybank"};
    storage->setLogUid(std::nullopt);
    auto request = makeRequest();
    request.codeChallenge.reset();
    request.loginHint.reset();
    run([&](auto done) { service->authenticateUserByDeeplink("vybank", request, done); });
    ASSERT_EQ(application->opened.size(), 1u);
    const Items expected{
        {"client_id", "partner-1"},         {"state", "state-1"},    {"nonce", "nonce-1"}, {"scope", "openid name"},
        {"redirect_uri", "partner://auth"}, {"auth_type", "app2app"}};
    EXPECT_EQ(application->opened.front().queryItems(), expected);
    EXPECT_EQ(application->opened.front().absoluteString().rfind("vybank://?", 0), 0u) << "a bare scheme is a link";
}

TEST_F(AuthServiceTest, PriorityScenarioOpensTheFirstSchemeThatWorks) {
    application->installedSchemes = {"vybankalpha", "vybankgamma"};
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha", "vybankgamma"});
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }),
              true);
    ASSERT_EQ(application->opened.size(), 2u);
    EXPECT_EQ(application->opened[0].scheme(), "vybankbeta");
    EXPECT_EQ(application->opened[1].scheme(), "vybankalpha");
    EXPECT_TRUE(opener->calls.empty());
}

TEST_F(AuthServiceTest, PriorityScenarioFallsBackToThePageOverTheStoredScreenWhenNoAppOpens) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha"});
    // No screen to present over: nothing opens and the answer says so.
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }),
              false);
    EXPECT_EQ(application->opened.size(), 2u);
    EXPECT_TRUE(opener->calls.empty());

    const auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }),
              true);
    EXPECT_EQ(application->opened.size(), 4u);
    ASSERT_EQ(opener->calls.size(), 1u);
    EXPECT_EQ(opener->calls.front().url.scheme(), "https");
}

TEST_F(AuthServiceTest, DefaultPageOpensTheSecureFullScreenSceneOverTheStoredController) {
    const auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDefaultURL(makeRequest(), done); }), true);
    ASSERT_EQ(opener->calls.size(), 1u);
    const auto& call = opener->calls.front();
    const auto* modal = std::get_if<vyd::ModalWebView>(&call.style);
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal->viewController, controller);
    EXPECT_EQ(modal->secureLevel, vyd::WebSceneSecureLevel::high);
    EXPECT_TRUE(call.isSecure);
    EXPECT_EQ(call.delegate, nullptr);
    EXPECT_EQ(call.url.host(), "id.vybank.example");
    EXPECT_EQ(call.url.queryItems(), loginItems("app2web", {{"response_type", "code"}}));
    EXPECT_TRUE(application->opened.empty());
}

TEST_F(AuthServiceTest, DefaultPageWithoutAScreenAnOpenerOrAClientIdOpensNothing) {
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDefaultURL(makeRequest(), done); }), false);

    auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    controller.reset();
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDefaultURL(makeRequest(), done); }), false)
        << "the host's screen is held weakly";

    const auto kept = uikit::UIViewController::make();
    rootStorage->setViewController(kept);
    auto noOpener = dependencies();
    noOpener.webSceneOpener = [] { return nullptr; };
    const auto withoutOpener = vyd::AuthService::make(noOpener);
    EXPECT_EQ(run([&](auto done) { withoutOpener->authenticateUserByDefaultURL(makeRequest(), done); }), false);

    storage->setClientId(std::nullopt);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDefaultURL(makeRequest(), done); }), false);
    EXPECT_TRUE(opener->calls.empty());
}

TEST_F(AuthServiceTest, AnAttemptKeepsTheServiceAliveUntilItAnswers) {
    application->installedSchemes = {"vybank"};
    std::weak_ptr<vyd::AuthService> weak = service;
    std::optional<bool> result;
    service->authenticateUserByDeeplink("vybank://", makeRequest(), [&result](bool opened) { result = opened; });
    service.reset();
    EXPECT_FALSE(weak.expired());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(result, true);
    EXPECT_TRUE(weak.expired());
}

class FakeCoordinator : public vyd::AuthWithVCsCoordinatorProtocol {
public:
    int started = 0;
    void startAuthChooseScenario() override { ++started; }
    void startAppChooseScenario() override {}
};

class FakeCoordinatorAssembler : public vyd::AuthWithVCsCoordinatorAssemblerProtocol {
public:
    std::weak_ptr<FakeCoordinator> made;
    std::weak_ptr<vyd::AuthServiceInternalProtocol> authService;
    std::optional<vyd::VYDAuthRequest> request;

    std::shared_ptr<vyd::AuthWithVCsCoordinatorProtocol>
    create(const vyd::VYDAuthRequest& loginRequest,
           const std::shared_ptr<vyd::AuthServiceInternalProtocol>& service) override {
        auto coordinator = std::make_shared<FakeCoordinator>();
        made = coordinator;
        authService = service;
        request = loginRequest;
        return coordinator;
    }
};

// What a login opened: pages (with their level), apps (by scheme), the choice flow.
std::string opened(const vydtest::RecordingWebSceneOpener& opener, const vydtest::FakeAppMethodsWrapper& application,
                   const FakeCoordinatorAssembler* assembler) {
    std::string out;
    for (const auto& call : opener.calls) {
        const auto* modal = std::get_if<vyd::ModalWebView>(&call.style);
        out += "page " + call.url.host().value_or("?") +
               (modal ? (modal->secureLevel == vyd::WebSceneSecureLevel::high ? " high" : " low") : " other") +
               (call.isSecure ? " secure; " : "; ");
    }
    for (const auto& url : application.opened) {
        out += "app " + url.scheme().value_or("?") + "; ";
    }
    if (assembler && !assembler->made.expired() && assembler->made.lock()->started == 1) {
        out += "choice; ";
    }
    return out;
}

TEST_F(AuthServiceTest, AuthGoesWhereTheRequestAndTheStandSay) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta"});
    const struct {
        vyd::VYDStandType stand;
        std::optional<std::string> ssoBaseUrl;
        bool choiceConnected;
        const char* expected;
    } cases[] = {
        {vyd::VYDStandType::ift, std::nullopt, true, "page id-ift.vybank.example high secure; "},
        {vyd::VYDStandType::psiCloud, std::string(), true, "page id-psi-cloud.vybank.example high secure; "},
        {vyd::VYDStandType::prom, "https://sso.partner.example/authorize", true,
         "page sso.partner.example high secure; "},
        {vyd::VYDStandType::ift, "vybank://auth", true, "app vybank; "},
        {vyd::VYDStandType::prom, std::nullopt, true, "choice; "},
        // Without the choice flow: the bank apps, then the page.
        {vyd::VYDStandType::prom, std::nullopt, false, "page id.vybank.example high secure; app vybankbeta; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        storage->setStand(c.stand);
        opener->calls.clear();
        application->opened.clear();
        auto assembler = std::make_shared<FakeCoordinatorAssembler>();
        const auto login = vyd::AuthService::make(dependencies(c.choiceConnected ? assembler : nullptr));
        const auto controller = uikit::UIViewController::make();
        auto request = makeRequest();
        request.ssoBaseUrl = c.ssoBaseUrl;

        EXPECT_EQ(login->auth(request, controller), std::nullopt);
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(opened(*opener, *application, assembler.get()), c.expected);
        for (const auto& call : opener->calls) {
            EXPECT_EQ(std::get<vyd::ModalWebView>(call.style).viewController, controller);
        }
        if (!assembler->made.expired()) {
            EXPECT_EQ(assembler->request, request);
            EXPECT_EQ(assembler->authService.lock(), login) << "the choice flow works for this login";
        }
    }
}

TEST_F(AuthServiceTest, TheChoiceFlowLivesAsLongAsItsLogin) {
    const auto assembler = std::make_shared<FakeCoordinatorAssembler>();
    auto login = vyd::AuthService::make(dependencies(assembler));
    ASSERT_EQ(login->auth(makeRequest(), uikit::UIViewController::make()), std::nullopt);
    EXPECT_FALSE(assembler->made.expired());
    login.reset();
    EXPECT_TRUE(assembler->made.expired());
}

TEST_F(AuthServiceTest, AuthorizationAddressesCarryTheLoginsQueryItemsEncoded) {
    const struct {
        const char* ssoBaseUrl;
        Items expected;
        const char* encoded;
    } cases[] = {
        {"https://sso.partner.example/authorize?lang=en",
         loginItems("app2web", {{"lang", "en"}, {"response_type", "code"}}),
         "https://sso.partner.example/authorize?lang=en&response_type=code&client_id=partner-1&state=state-1&"
         "nonce=nonce-1&scope=openid%20name&redirect_uri=partner://auth&code_challenge=challenge-1&"
         "code_challenge_method=S256&login_hint=%2B7%20900%20000-00-00&auth_type=app2web&logUid=log-1"},
        {"vybank://auth", loginItems("app2app"),
         "vybank://auth?client_id=partner-1&state=state-1&nonce=nonce-1&scope=openid%20name&"
         "redirect_uri=partner://auth&code_challenge=challenge-1&code_challenge_method=S256&"
         "login_hint=%2B7%20900%20000-00-00&auth_type=app2app&logUid=log-1"},
    };
    for (const auto& c : cases) {
        opener->calls.clear();
        application->opened.clear();
        auto request = makeRequest();
        request.ssoBaseUrl = c.ssoBaseUrl;
        ASSERT_EQ(vyd::AuthService::make(dependencies())->auth(request, uikit::UIViewController::make()), std::nullopt);
        ASSERT_EQ(opener->calls.size() + application->opened.size(), 1u) << c.ssoBaseUrl;
        const auto url = opener->calls.empty() ? application->opened.front() : opener->calls.front().url;
        EXPECT_EQ(url.queryItems(), c.expected) << c.ssoBaseUrl;
        EXPECT_EQ(url.absoluteString(), c.encoded);
    }
}

TEST_F(AuthServiceTest, AuthKeepsTheLoginAndDropsTheAppToken) {
    appTokens->token = vyd::AppTokenDataModel{"old-token", {}};
    storage->setStand(vyd::VYDStandType::ift);
    const auto controller = uikit::UIViewController::make();
    ASSERT_EQ(service->auth(makeRequest(), controller), std::nullopt);
    EXPECT_EQ(appTokens->deletions, 1);
    EXPECT_EQ(rootStorage->viewController(), controller);
    EXPECT_EQ(storage->state(), "state-1");
    EXPECT_EQ(storage->nonce(), "nonce-1");
    EXPECT_EQ(storage->redirectUri(), "partner://auth");
}

TEST_F(AuthServiceTest, ALoginThatCannotStartSaysWhyAndChangesNothing) {
    storage->setStand(vyd::VYDStandType::ift);
    storage->setState("earlier-state");
    const auto earlier = uikit::UIViewController::make();
    rootStorage->setViewController(earlier);
    appTokens->token = vyd::AppTokenDataModel{"kept-token", {}};
    using Type = vyd::VYDErrorType;
    const struct {
        const char* what;
        std::function<void(vyd::VYDAuthRequest&, std::shared_ptr<uikit::UIViewController>&)> spoil;
        Type expected;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        storage->setClientId("partner-1");
        auto request = makeRequest();
        auto controller = uikit::UIViewController::make();
        c.spoil(request, controller);
        const auto login = vyd::AuthService::make(dependencies());
        for (const auto& error :
             {login->auth(request, controller), login->loginWithIDToWebView(request, controller, delegate),
              login->reloginAuthELKLite(request, controller, delegate)}) {
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->type, c.expected);
            EXPECT_FALSE(error->message.value_or("").empty());
        }
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(storage->state(), "earlier-state");
        EXPECT_EQ(storage->redirectUri(), std::nullopt);
        EXPECT_EQ(rootStorage->viewController(), earlier);
        EXPECT_EQ(appTokens->deletions, 0);
        EXPECT_EQ(opened(*opener, *application, nullptr), "");
    }
}

TEST_F(AuthServiceTest, LoginInAWebViewOpensThePageAtLevelLowForItsDelegate) {
    appTokens->token = vyd::AppTokenDataModel{"kept-token", {}};
    const auto controller = uikit::UIViewController::make();
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
    ASSERT_EQ(service->loginWithIDToWebView(makeRequest(), controller, delegate), std::nullopt);
    EXPECT_EQ(opened(*opener, *application, nullptr), "page id.vybank.example low secure; ")
        << "the production stand shows no choice here";
    ASSERT_EQ(opener->calls.size(), 1u);
    EXPECT_EQ(opener->calls.front().delegate, delegate);
    EXPECT_EQ(std::get<vyd::ModalWebView>(opener->calls.front().style).viewController, controller);
    EXPECT_EQ(storage->state(), "state-1");
    EXPECT_EQ(appTokens->deletions, 0);
}

TEST_F(AuthServiceTest, ReloginPresentsAWebPanelAndOpensThePageInItInThePartnersColour) {
    ::testing::SimulatedDevice device;
    const auto partnerColor = uikit::UIColor::red();
    storage->liteELKModel()->partnerColorELKLite = partnerColor;
    auto withPanels = dependencies();
    withPanels.slidePanelFactory = std::make_shared<vyd::SlidePanelFactory>();
    withPanels.delegateManager = std::make_shared<vyd::DelegateManager>();
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();

    ASSERT_EQ(
        vyd::AuthService::make(withPanels)->reloginAuthELKLite(makeRequest(), device.rootViewController(), delegate),
        std::nullopt);
    ASSERT_EQ(opener->calls.size(), 1u);
    const auto& call = opener->calls.front();
    const auto* child = std::get_if<vyd::ChildWebView>(&call.style);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->webViewType, vyd::NavigationWebViewType::elkLite);
    EXPECT_EQ(device.rootViewController()->presentedViewController(), child->panel);
    EXPECT_FALSE(call.isSecure);
    EXPECT_EQ(call.navigationColor, partnerColor);
    EXPECT_EQ(call.url.queryItems(), loginItems("app2web", {{"response_type", "code"}}));
    EXPECT_EQ(storage->nonce(), "nonce-1");
    EXPECT_EQ(withPanels.delegateManager->registeredDelegates(),
              std::vector<std::shared_ptr<vyd::DelegateObject>>{delegate});
    // The panel's presentation ends, and the panel goes, before the phone it is shown on.
    advance(1);
    opener->calls.clear();
}

TEST(AuthURLManagerTest, WebPageOfTheStandOrOfTheRequestWithResponseType) {
    auto storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    storage->setClientId("partner-1");
    storage->setLogUid("log-1");
    storage->setStand(vyd::VYDStandType::psiCloud);
    const vyd::AuthURLManager manager(storage);

    const auto standPage = manager.makeWebURL(makeRequest());
    ASSERT_TRUE(standPage.has_value());
    EXPECT_EQ(standPage->host(), "id-psi-cloud.vybank.example");
    EXPECT_EQ(standPage->path(), "/oauth2/authorize");
    EXPECT_EQ(standPage->queryItems(), loginItems("app2web", {{"response_type", "code"}}));

    auto request = makeRequest();
    request.ssoBaseUrl = "https://sso.partner.example/login?lang=en";
    const auto ssoPage = manager.makeWebURL(request);
    ASSERT_TRUE(ssoPage.has_value());
    EXPECT_EQ(ssoPage->host(), "sso.partner.example");
    EXPECT_EQ(ssoPage->queryItems().front(), (URLQueryItem{"lang", "en"}));
    EXPECT_EQ(ssoPage->queryItems()[1], (URLQueryItem{"response_type", "code"}));

    for (const char* unusable : {"vybank://auth", "not a link", "https://"}) {
        request.ssoBaseUrl = unusable;
        EXPECT_FALSE(manager.makeWebURL(request).has_value()) << unusable;
    }
}
