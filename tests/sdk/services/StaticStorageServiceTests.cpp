#include "sdk/services/StaticStorageService.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"

#include <gtest/gtest.h>

TEST(StaticStorageServiceTest, SettingTheClientIdRefreshesTheLoginIdOfTheAnalyticsServiceInUse) {
    const auto sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    vyd::StaticStorageService storage(std::make_shared<vyd::AnalyticsService>(sink));
    storage.setClientId("partner-1");
    // Writing back the same value refreshes again: the login button relies on it.
    storage.setClientId(storage.clientId());
    storage.setClientId(std::nullopt);
    const std::vector<std::optional<std::string>> expected{"partner-1", "partner-1", std::nullopt};
    EXPECT_EQ(sink->loginIdChanges(), expected);

    const auto otherSink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    storage.setAnalyticsService(std::make_shared<vyd::AnalyticsService>(otherSink));
    storage.setClientId("partner-2");
    EXPECT_EQ(sink->loginIdChanges(), expected);
    EXPECT_EQ(otherSink->userLoginId(), "partner-2");
}

TEST(StaticStorageServiceTest, UserIdChangeIsPostedAfterItIsStoredAndClearingKeepsAllButTheLogin) {
    vyd::StaticStorageService storage(nullptr);
    std::vector<std::optional<std::string>> seen;
    auto& center = foundation::NotificationCenter::defaultCenter();
    const auto token = center.addObserver(vyd::NotificationNames::userIdDidChanged(), nullptr,
                                          [&](const foundation::Notification&) { seen.push_back(storage.userId()); });
    storage.setUserId("user-1");
    storage.setUserId(std::nullopt);
    center.removeObserver(token);
    EXPECT_EQ(seen, (std::vector<std::optional<std::string>>{"user-1", std::nullopt}));

    storage.setClientId("partner-1");
    storage.setState("state-1");
    storage.setNonce("nonce-1");
    storage.setRedirectUri("partner://auth");
    storage.setIsButtonPersonalized(true);
    storage.clearAuthData();
    EXPECT_FALSE(storage.state() || storage.nonce() || storage.redirectUri());
    EXPECT_EQ(storage.clientId(), "partner-1");
    EXPECT_TRUE(storage.isButtonPersonalized());
}
