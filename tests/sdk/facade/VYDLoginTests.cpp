#include "sdk/facade/VYD.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/services/UserDefaultsServiceProtocol.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

using namespace vyd;
namespace {

// One ordered record of every effect of a return link, whoever makes it.
using EffectLog = std::vector<std::string>;

// Stands in for the app token service and the user defaults, writing down what it is asked to do.
struct LoggingServices : AppTokenServiceProtocol, UserDefaultsServiceProtocol {
    explicit LoggingServices(EffectLog& log) : log_(log) {}
    void saveAppToken(const std::string& token) override { log_.push_back("store app token " + token); }
    std::optional<AppTokenDataModel> appToken() const override { return std::nullopt; }
    void deleteAppToken() override { log_.push_back("delete app token"); }
    void reloginSSOELKLite(std::function<void(SSOResult)>) override {}
    std::optional<std::string> savedLogUid() const override { return std::nullopt; }
    void setSavedLogUid(const std::optional<std::string>& logUid) override {
        log_.push_back("save log uid " + logUid.value_or("(none)"));
    }
    EffectLog& log_;
};

struct LoggingStorage : StaticStorageService {
    LoggingStorage(EffectLog& log, std::shared_ptr<AnalyticsServiceProtocol> analytics)
        : StaticStorageService(std::move(analytics)), log_(log) {}
    void clearAuthData() override {
        log_.push_back("clear session");
        StaticStorageService::clearAuthData();
    }
    EffectLog& log_;
};

class VYDLoginTest : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        sink->onEvent = [this](const AnalyticsEvent& event) {
            log.push_back("event " + event.name + (event.params.count("error") ? " " + event.params.at("error") : ""));
        };
        storage->setClientId("partner-1");
        storage->setLogUid("log-1");
        startLogin();
        services.replace(&DIContainer::setStaticStorageService, storage);
        const auto logging = std::make_shared<LoggingServices>(log);
        services.replace(&DIContainer::setAppTokenService, logging);
        services.replace(&DIContainer::setUserDefaultsService, logging);
        services.replace(&DIContainer::setAnalyticsParamsMaker,
                         std::make_shared<AnalyticsParamsMaker>(storage, nullptr, [] { return std::string("1.0.0"); }));
        token = foundation::NotificationCenter::defaultCenter().addObserver(
            NotificationNames::authNativeResult(), nullptr, [this](const foundation::Notification& note) {
                const bool* isSuccess = note.userInfoValue<bool>("isSuccess");
                log.push_back(isSuccess ? std::string("notification isSuccess=") + (*isSuccess ? "true" : "false")
                                        : "notification without a Bool");
                notificationThread = std::this_thread::get_id();
            });
    }

    void TearDown() override { foundation::NotificationCenter::defaultCenter().removeObserver(token); }

    // A login under way, with nothing logged yet.
    void startLogin() {
        storage->setState("state-1");
        storage->setNonce("nonce-1");
        storage->setRedirectUri("partner://auth");
        log.clear();
    }

    // The response, or nothing when the completion was not called.
    std::optional<VYDAuthResponse> handle(const std::string& link) {
        std::optional<VYDAuthResponse> response;
        VYD::login()->getResponseFrom(link, [&](const VYDAuthResponse& value) {
            log.push_back("completion");
            response = value;
        });
        return response;
    }

    static std::string eventName(AnalyticsEventAction action) { return "event " + vyd::eventName(action); }

    EffectLog log;
    std::shared_ptr<vydtest::RecordingAnalyticsSink> sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    std::shared_ptr<LoggingStorage> storage =
        std::make_shared<LoggingStorage>(log, std::make_shared<AnalyticsService>(sink));
    foundation::NotificationToken token;
    std::thread::id notificationThread;
};

} // namespace

// A token of the login's own return link is stored even when the login failed; nothing of a
// link with another state is trusted.
TEST_F(VYDLoginTest, ReturnLinkHasItsEffectsInOrderAndPassesOnACodeOnlyOnSuccess) {
    const auto resultEvent = eventName(AnalyticsEventAction::vyIDLoginAuthResult);
    const std::tuple<const char*, VYDAuthResponse, std::vector<std::string>> cases[] = {
        {"partner://auth?code=code-1&state=state-1&app_token=token-1",
         {true, "nonce-1", "state-1", "code-1", "token-1", std::nullopt},
         {"store app token token-1", "save log uid log-1", eventName(AnalyticsEventAction::authLogUid),
          "notification isSuccess=true", resultEvent, "clear session", "completion"}},
        {"partner://auth?code=code-1&state=forged&app_token=planted",
         {false, "nonce-1", "forged", std::nullopt, std::nullopt, "invalid_state"},
         {"notification isSuccess=false", resultEvent + " invalid_state", "clear session", "completion"}},
        {"partner://auth?code=code-1",
         {false, "nonce-1", std::nullopt, std::nullopt, std::nullopt, "invalid_state"},
         {"notification isSuccess=false", resultEvent + " invalid_state", "clear session", "completion"}},
        {"partner://auth?state=state-1&app_token=token-2",
         {false, "nonce-1", "state-1", std::nullopt, "token-2", "internal_error"},
         {"store app token token-2", "notification isSuccess=false", resultEvent + " internal_error", "clear session",
          "completion"}},
    };
    for (const auto& [link, response, effects] : cases) {
        startLogin();
        EXPECT_EQ(handle(link), response) << link;
        EXPECT_EQ(log, effects) << link;
        EXPECT_FALSE(storage->state() || storage->nonce() || storage->redirectUri()) << link;
    }
    EXPECT_EQ(sink->events().front().params.at("logUid"), "log-1");
    EXPECT_EQ(handle(std::get<0>(cases[0]))->error, "invalid_state") << "a second link for the same login is refused";
}

TEST_F(VYDLoginTest, LinkThatIsNotAURLHasNoEffectAtAll) {
    for (const char* link : {"", "partner://auth?state=state 1&code=x", "://", "http://[::1"}) {
        EXPECT_FALSE(handle(link).has_value()) << link;
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(storage->state(), "state-1") << "the login stays under way";
}

TEST_F(VYDLoginTest, NotificationAndCompletionRunOnTheCallersThread) {
    std::thread::id completionThread;
    std::thread::id callerThread;
    std::thread caller([&] {
        callerThread = std::this_thread::get_id();
        VYD::login()->getResponseFrom(std::string("partner://auth?code=c&state=state-1"),
                                      [&](const VYDAuthResponse&) { completionThread = std::this_thread::get_id(); });
    });
    caller.join();
    EXPECT_EQ(completionThread, callerThread);
    EXPECT_EQ(notificationThread, callerThread);
}

// Success carries the code and no error; anything else carries an error and no code.
TEST(VYDLoginResponseTest, ResultOfALinkForTheStoredState) {
    const std::tuple<const char*, std::optional<std::string>, const char*> cases[] = {
        {"p://a?state=s&code=c", "s", "code c"},
        {"p://a?state=s%20t&code=c%2Bd", "s t", "code c+d"},
        {"https://partner.example/cb?code=c&state=s#frag", "s", "code c"},
        {"p://a?state=s&error=access_denied", "s", "error access_denied"},
        {"p://a?state=s&code=c&error=x", "s", "error x"},
        {"p://a?state=s&code=", "s", "error internal_error"},
        {"p://a", "s", "error invalid_state"},
        {"p://a?state=S&code=c", "s", "error invalid_state"},
        {"p://a?state=s&code=c", std::nullopt, "error invalid_state"},
        {"p://a?state=&code=c", "", "error invalid_state"},
    };
    for (const auto& [link, storedState, expected] : cases) {
        const auto response = VYDLogin::responseFrom(link, storedState, "n").value();
        const auto result = response.isSuccess && !response.error
                                ? "code " + response.code.value_or("(none)")
                                : "error " + response.error.value_or("(none)") + response.code.value_or("");
        EXPECT_EQ(result, expected) << link << " for state " << storedState.value_or("(none)");
        EXPECT_EQ(response.nonce, "n");
    }
}
