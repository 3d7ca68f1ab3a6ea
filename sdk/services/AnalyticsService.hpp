#pragma once
#include "sdk/services/AnalyticsServiceProtocol.hpp"

#include <memory>

namespace vyd {

// Hands events to the analytics framework (the sink).
class AnalyticsService : public AnalyticsServiceProtocol {
public:
    explicit AnalyticsService(std::shared_ptr<AnalyticsSink> sink);

    void sendEvent(AnalyticsEventAction action, const AnalyticsParams& params) override;
    void refreshUserLoginId(const std::optional<std::string>& clientId) override;

    const std::shared_ptr<AnalyticsSink>& sink() const { return sink_; }

private:
    std::shared_ptr<AnalyticsSink> sink_;
};

} // namespace vyd
