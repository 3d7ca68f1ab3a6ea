#pragma once
#include "sdk/services/AnalyticsEventAction.hpp"
#include "sdk/services/AnalyticsSink.hpp"

#include <optional>
#include <string>

namespace vyd {

class AnalyticsServiceProtocol {
public:
    virtual ~AnalyticsServiceProtocol() = default;

    // One business event named by the action's catalogue text; reports no failure.
    virtual void sendEvent(AnalyticsEventAction action, const AnalyticsParams& params) = 0;
    // The analytics profile's login identifier becomes the partner's client identifier.
    virtual void refreshUserLoginId(const std::optional<std::string>& clientId) = 0;
};

} // namespace vyd
