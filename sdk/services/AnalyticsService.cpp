#include "sdk/services/AnalyticsService.hpp"

#include "sdk/services/InMemoryAnalyticsSink.hpp"

namespace vyd {

AnalyticsService::AnalyticsService(std::shared_ptr<AnalyticsSink> sink)
    : sink_(sink ? std::move(sink) : std::make_shared<InMemoryAnalyticsSink>()) {}

void AnalyticsService::sendEvent(AnalyticsEventAction action, const AnalyticsParams& params) {
    AnalyticsEvent event;
    event.name = eventName(action);
    event.type = AnalyticsEventType::business;
    event.params = params;
    event.userLoginId = sink_->userLoginId();
    sink_->send(std::move(event));
}

void AnalyticsService::refreshUserLoginId(const std::optional<std::string>& clientId) {
    sink_->setUserLoginId(clientId);
}

} // namespace vyd
