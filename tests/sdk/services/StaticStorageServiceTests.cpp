#include "sdk/services/StaticStorageService.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"

#include <gtest/gtest.h>

TEST(StaticStorageServiceTest, ClientIdRefreshesTheLoginIdUserIdIsPostedOnceStoredAndClearingKeepsAllButTheLogin) {
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

    // A user identifier change is posted after it is stored; clearing keeps all but the login.
    vyd::StaticStorageService plain(nullptr);
    std::vector<std::optional<std::string>> seen;
    auto& center = foundation::NotificationCenter::defaultCenter();
    const auto token = center.addObserver(vyd::NotificationNames::userIdDidChanged(), nullptr,
                                          [&](const foundation::Notification&) { seen.push_back(plain.userId()); });
    plain.setUserId("user-1");
    plain.setUserId(std::nullopt);
    center.removeObserver(token);
    EXPECT_EQ(seen, (std::vector<std::optional<std::string>>{"user-1", std::nullopt}));

    plain.setClientId("partner-1");
    plain.setState("state-1");
    plain.setNonce("nonce-1");
    plain.setRedirectUri("partner://auth");
    plain.setIsButtonPersonalized(true);
    plain.clearAuthData();
    EXPECT_FALSE(plain.state() || plain.nonce() || plain.redirectUri());
    EXPECT_EQ(plain.clientId(), "partner-1");
    EXPECT_TRUE(plain.isButtonPersonalized());
}
