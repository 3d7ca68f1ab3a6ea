#include "sdk/facade/AuthService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/BankAppSchemes.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"

#include <gtest/gtest.h>

using foundation::URLQueryItem;
using Items = std::vector<URLQueryItem>;

namespace {

class RecordingOpener : public vyd::WebSceneOpenerProtocol {
public:
    struct Call {
        foundation::URL url;
        vyd::WebScenePresentationStyle style;
        bool isSecure;
        bool hasDelegate;
    };
    std::vector<Call> calls;

    void openScene(const foundation::URL& url, const vyd::WebScenePresentationStyle& style, bool isSecure,
                   const std::optional<uikit::UIColor>&,
                   const std::shared_ptr<vyd::VYDWebViewDelegateProtocol>& delegate) override {
        calls.push_back({url, style, isSecure, delegate != nullptr});
    }
};

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
    const Items items{{"client_id", "partner-1"},   {"state", "state-1"},
                      {"nonce", "nonce-1"},         {"scope", "openid name"},
                      {"redirect_uri", "partner://auth"}, {"code_challenge", "challenge-1"},
                      {"code_challenge_method", "S256"},  {"login_hint", "+7 900 000-00-00"},
                      {"auth_type", authType},      {"logUid", "log-1"}};
    first.insert(first.end(), items.begin(), items.end());
    return first;
}

class AuthServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
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
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    std::shared_ptr<vyd::RootViewControllerStorage> rootStorage = std::make_shared<vyd::RootViewControllerStorage>();
    std::shared_ptr<vyd::AuthService> service =
        vyd::AuthService::make(storage, application, rootStorage, [this] { return opener; });
};

} // namespace

TEST_F(AuthServiceTest, DeeplinkOpensTheBankAppWithTheLoginsQueryItems) {
    application->installedSchemes = {"vybank"};
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://auth", makeRequest(), done); }), true);
    ASSERT_EQ(application->opened.size(), 1u);
    const auto& url = application->opened.front();
    EXPECT_EQ(url.scheme(), "vybank");
    EXPECT_EQ(url.host(), "auth");
    EXPECT_EQ(url.queryItems(), loginItems("app2app")) << url.absoluteString();
}

TEST_F(AuthServiceTest, DeeplinkAnswersFalseForAnAppThatIsNotThereAndOpensNothingWithoutALink) {
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://", makeRequest(), done); }), false);
    EXPECT_EQ(application->opened.size(), 1u);

    application->installedSchemes = {"vybank"};
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("not a link", makeRequest(), done); }), false);
    storage->setClientId(std::nullopt);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserByDeeplink("vybank://", makeRequest(), done); }), false);
    EXPECT_EQ(application->opened.size(), 1u);
}

TEST_F(AuthServiceTest, OptionalItemsAreLeftOutWhenTheRequestHasNone) {
    application->installedSchemes = {"vybank"};
    storage->setLogUid(std::nullopt);
    auto request = makeRequest();
    request.codeChallenge.reset();
    request.loginHint.reset();
    run([&](auto done) { service->authenticateUserByDeeplink("vybank", request, done); });
    ASSERT_EQ(application->opened.size(), 1u);
    const Items expected{{"client_id", "partner-1"}, {"state", "state-1"}, {"nonce", "nonce-1"},
                         {"scope", "openid name"},   {"redirect_uri", "partner://auth"}, {"auth_type", "app2app"}};
    EXPECT_EQ(application->opened.front().queryItems(), expected);
    EXPECT_EQ(application->opened.front().absoluteString().rfind("vybank://?", 0), 0u) << "a bare scheme is a link";
}

TEST_F(AuthServiceTest, PriorityScenarioOpensTheFirstSchemeThatWorks) {
    application->installedSchemes = {"vybankalpha", "vybankgamma"};
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha", "vybankgamma"});
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }), true);
    ASSERT_EQ(application->opened.size(), 2u);
    EXPECT_EQ(application->opened[0].scheme(), "vybankbeta");
    EXPECT_EQ(application->opened[1].scheme(), "vybankalpha");
    EXPECT_TRUE(opener->calls.empty());
}

TEST_F(AuthServiceTest, PriorityScenarioFallsBackToThePageOverTheStoredScreenWhenNoAppOpens) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha"});
    // No screen to present over: nothing opens and the answer says so.
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }), false);
    EXPECT_EQ(application->opened.size(), 2u);
    EXPECT_TRUE(opener->calls.empty());

    const auto controller = uikit::UIViewController::make();
    rootStorage->setViewController(controller);
    EXPECT_EQ(run([&](auto done) { service->authenticateUserPriorityApp2AppNoVCScenarios(makeRequest(), done); }), true);
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
    EXPECT_FALSE(call.hasDelegate);
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
    const auto withoutOpener = vyd::AuthService::make(storage, application, rootStorage, [] { return nullptr; });
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
