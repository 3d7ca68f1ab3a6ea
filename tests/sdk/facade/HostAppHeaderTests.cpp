// A host app sees only the umbrella header: nothing else of the SDK is included here.
#include "sdk/VYDCore.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

namespace {

class HostAnalytics : public vyd::AnalyticsSink {
public:
    void setUserLoginId(std::optional<std::string> loginId) override { loginId_ = std::move(loginId); }
    std::optional<std::string> userLoginId() const override { return loginId_; }
    void send(vyd::AnalyticsEvent event) override { events.push_back(std::move(event)); }

    std::vector<vyd::AnalyticsEvent> events;
    std::optional<std::string> loginId_;
};

} // namespace

TEST(HostAppHeaderTest, HostPlugsInItsAnalyticsWithTheUmbrellaHeaderAlone) {
    const auto sink = std::make_shared<HostAnalytics>();
    vydtest::ScopedServices services;
    services.replace(&vyd::DIContainer::setAnalyticsService, std::make_shared<vyd::AnalyticsService>(sink));
    vyd::DIContainer::analyticsService()->refreshUserLoginId("partner-client");
    vyd::DIContainer::analyticsService()->sendEvent(vyd::AnalyticsEventAction::vyIDLoginShow, {{"place", "host"}});

    ASSERT_EQ(sink->events.size(), 1u);
    EXPECT_EQ(sink->events[0].name, vyd::eventName(vyd::AnalyticsEventAction::vyIDLoginShow));
    EXPECT_EQ(sink->events[0].params.at("place"), "host");
    EXPECT_EQ(sink->userLoginId(), "partner-client");
}
