#include "sdk/core/VYD.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/core/DIContainer.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/services/UserDefaultsServiceProtocol.hpp"
#include "sdk/uikit/NotificationNames.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

// One ordered record of every effect of a return link, whoever makes it.
class EffectLog {
public:
    void add(std::string line) {
        std::lock_guard lock(mutex_);
        lines_.push_back(std::move(line));
    }
    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

class LoggingAppTokenService : public vyd::AppTokenServiceProtocol {
public:
    explicit LoggingAppTokenService(EffectLog& log) : log_(log) {}
    void saveAppToken(const std::string& token) override { log_.add("store app token " + token); }
    std::optional<vyd::AppTokenDataModel> appToken() const override { return std::nullopt; }
    void deleteAppToken() override { log_.add("delete app token"); }
    void reloginSSOELKLite(std::function<void(vyd::SSOResult)>) override {}

private:
    EffectLog& log_;
};

class LoggingUserDefaults : public vyd::UserDefaultsServiceProtocol {
public:
    explicit LoggingUserDefaults(EffectLog& log) : log_(log) {}
    std::optional<std::string> savedLogUid() const override { return std::nullopt; }
    void setSavedLogUid(const std::optional<std::string>& logUid) override {
        log_.add("save log uid " + logUid.value_or("(none)"));
    }

private:
    EffectLog& log_;
};

class LoggingStorage : public vyd::StaticStorageService {
public:
    LoggingStorage(EffectLog& log, std::shared_ptr<vyd::AnalyticsServiceProtocol> analytics)
        : StaticStorageService(std::move(analytics)), log_(log) {}
    void clearAuthData() override {
        log_.add("clear session");
        StaticStorageService::clearAuthData();
    }

private:
    EffectLog& log_;
};

class VYDLoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        sink->onEvent = [this](const vyd::AnalyticsEvent& event) {
            log.add("event " + event.name + (event.params.count("error") ? " " + event.params.at("error") : ""));
        };
        storage->setClientId("partner-1");
        storage->setLogUid("log-1");
        storage->setState("state-1");
        storage->setNonce("nonce-1");
        storage->setRedirectUri("partner://auth");
        vyd::DIContainer::setStaticStorageService(storage);
        vyd::DIContainer::setAppTokenService(std::make_shared<LoggingAppTokenService>(log));
        vyd::DIContainer::setUserDefaultsService(std::make_shared<LoggingUserDefaults>(log));
        vyd::DIContainer::setAnalyticsParamsMaker(
            std::make_shared<vyd::AnalyticsParamsMaker>(storage, nullptr, [] { return std::string("1.0.0"); }));
        token = foundation::NotificationCenter::defaultCenter().addObserver(
            vyd::NotificationNames::authNativeResult(), nullptr, [this](const foundation::Notification& note) {
                const bool* isSuccess = note.userInfoValue<bool>("isSuccess");
                log.add(isSuccess ? std::string("notification isSuccess=") + (*isSuccess ? "true" : "false")
                                  : "notification without a Bool");
                notificationThread = std::this_thread::get_id();
            });
    }

    void TearDown() override {
        foundation::NotificationCenter::defaultCenter().removeObserver(token);
        vyd::DIContainer::setStaticStorageService(nullptr);
        vyd::DIContainer::setAppTokenService(nullptr);
        vyd::DIContainer::setUserDefaultsService(nullptr);
        vyd::DIContainer::setAnalyticsParamsMaker(nullptr);
    }

    // The response, or nothing when the completion was not called.
    std::optional<vyd::VYDAuthResponse> handle(const std::string& link) {
        std::optional<vyd::VYDAuthResponse> response;
        vyd::VYD::login()->getResponseFrom(link, [&](const vyd::VYDAuthResponse& value) {
            log.add("completion");
            response = value;
        });
        return response;
    }

    static std::string eventName(vyd::AnalyticsEventAction action) { return "event " + vyd::eventName(action); }

    EffectLog log;
    std::shared_ptr<vydtest::RecordingAnalyticsSink> sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    std::shared_ptr<LoggingStorage> storage =
        std::make_shared<LoggingStorage>(log, std::make_shared<vyd::AnalyticsService>(sink));
    foundation::NotificationToken token;
    std::thread::id notificationThread;
};

} // namespace

TEST_F(VYDLoginTest, SuccessfulReturnLinkHasItsEffectsInOrder) {
    const auto response = handle("partner://auth?code=code-1&state=state-1&app_token=token-1");
    ASSERT_TRUE(response.has_value());
    EXPECT_EQ(*response, (vyd::VYDAuthResponse{true, "nonce-1", "state-1", "code-1", "token-1", std::nullopt}));
    const std::vector<std::string> expected{
        "store app token token-1",
        "save log uid log-1",
        eventName(vyd::AnalyticsEventAction::authLogUid),
        "notification isSuccess=true",
        eventName(vyd::AnalyticsEventAction::vyIDLoginAuthResult),
        "clear session",
        "completion",
    };
    EXPECT_EQ(log.lines(), expected);
    EXPECT_FALSE(storage->state() || storage->nonce() || storage->redirectUri());
    EXPECT_EQ(sink->events().front().params.at("logUid"), "log-1");
}

TEST_F(VYDLoginTest, WrongStateFailsWithoutStoringTheLinksToken) {
    const auto response = handle("partner://auth?code=code-1&state=forged&app_token=planted");
    ASSERT_TRUE(response.has_value());
    EXPECT_FALSE(response->isSuccess);
    EXPECT_EQ(response->error, "invalid_state");
    EXPECT_FALSE(response->code.has_value()) << "a code of a foreign login must not reach the host app";
    const std::vector<std::string> expected{
        "notification isSuccess=false",
        eventName(vyd::AnalyticsEventAction::vyIDLoginAuthResult) + " invalid_state",
        "clear session",
        "completion",
    };
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(VYDLoginTest, LinkWithoutStateIsAnInvalidState) {
    const auto response = handle("partner://auth?code=code-1");
    ASSERT_TRUE(response.has_value());
    EXPECT_EQ(response->error, "invalid_state");
    EXPECT_EQ(log.lines().back(), "completion");
}

TEST_F(VYDLoginTest, LinkThatIsNotAURLHasNoEffectAtAll) {
    for (const char* link : {"", "partner://auth?state=state 1&code=x", "://", "http://[::1"}) {
        EXPECT_FALSE(handle(link).has_value()) << link;
    }
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(storage->state(), "state-1") << "the login stays under way";
}

TEST_F(VYDLoginTest, MissingCodeIsAnInternalErrorButTheTokenIsKept) {
    const auto response = handle("partner://auth?state=state-1&app_token=token-2");
    ASSERT_TRUE(response.has_value());
    EXPECT_EQ(response->error, "internal_error");
    const std::vector<std::string> expected{
        "store app token token-2",
        "notification isSuccess=false",
        eventName(vyd::AnalyticsEventAction::vyIDLoginAuthResult) + " internal_error",
        "clear session",
        "completion",
    };
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(VYDLoginTest, ASecondLinkForTheSameLoginIsRefused) {
    ASSERT_TRUE(handle("partner://auth?code=code-1&state=state-1")->isSuccess);
    const auto replay = handle("partner://auth?code=code-1&state=state-1");
    ASSERT_TRUE(replay.has_value());
    EXPECT_EQ(replay->error, "invalid_state");
}

TEST_F(VYDLoginTest, NotificationAndCompletionRunOnTheCallersThread) {
    std::thread::id completionThread;
    std::thread::id callerThread;
    std::thread caller([&] {
        callerThread = std::this_thread::get_id();
        vyd::VYD::login()->getResponseFrom(std::string("partner://auth?code=c&state=state-1"),
                                           [&](const vyd::VYDAuthResponse&) { completionThread = std::this_thread::get_id(); });
    });
    caller.join();
    EXPECT_EQ(completionThread, callerThread);
    EXPECT_EQ(notificationThread, callerThread);
}

struct ResponseCase {
    const char* name;
    const char* link;
    std::optional<std::string> storedState;
    bool isSuccess;
    std::optional<std::string> code;
    std::optional<std::string> error;
};

class ResponseFromTest : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseFromTest, ResultOfALinkForTheStoredState) {
    const auto& row = GetParam();
    const auto response = vyd::VYDLogin::responseFrom(row.link, row.storedState, "n");
    ASSERT_TRUE(response.has_value());
    EXPECT_EQ(response->isSuccess, row.isSuccess);
    EXPECT_EQ(response->code, row.code);
    EXPECT_EQ(response->error, row.error);
    EXPECT_EQ(response->nonce, "n");
}

INSTANTIATE_TEST_SUITE_P(
    Links, ResponseFromTest,
    ::testing::Values(
        ResponseCase{"success", "p://a?state=s&code=c", "s", true, "c", std::nullopt},
        ResponseCase{"encodedValues", "p://a?state=s%20t&code=c%2Bd", "s t", true, "c+d", std::nullopt},
        ResponseCase{"webRedirect", "https://partner.example/cb?code=c&state=s#frag", "s", true, "c", std::nullopt},
        ResponseCase{"bankError", "p://a?state=s&error=access_denied", "s", false, std::nullopt, "access_denied"},
        ResponseCase{"bankErrorBeatsCode", "p://a?state=s&code=c&error=x", "s", false, std::nullopt, "x"},
        ResponseCase{"emptyCode", "p://a?state=s&code=", "s", false, std::nullopt, "internal_error"},
        ResponseCase{"noQuery", "p://a", "s", false, std::nullopt, "invalid_state"},
        ResponseCase{"stateCaseDiffers", "p://a?state=S&code=c", "s", false, std::nullopt, "invalid_state"},
        ResponseCase{"noLoginUnderWay", "p://a?state=s&code=c", std::nullopt, false, std::nullopt, "invalid_state"},
        ResponseCase{"bothStatesEmpty", "p://a?state=&code=c", "", false, std::nullopt, "invalid_state"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
