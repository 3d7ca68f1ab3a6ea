#pragma once
#include <map>
#include <optional>
#include <string>

namespace vyd {

using AnalyticsParams = std::map<std::string, std::string>;

enum class AnalyticsEventType { business };

struct AnalyticsEvent {
    std::string name;
    AnalyticsEventType type = AnalyticsEventType::business;
    AnalyticsParams params;
    // The profile's login identifier (the partner's client identifier) when the event was sent.
    std::optional<std::string> userLoginId;

    friend bool operator==(const AnalyticsEvent&, const AnalyticsEvent&) = default;
};

// The analytics framework outside the SDK that delivers events. Called from any thread.
class AnalyticsSink {
public:
    virtual ~AnalyticsSink() = default;

    virtual void setUserLoginId(std::optional<std::string> loginId) = 0;
    virtual std::optional<std::string> userLoginId() const = 0;
    virtual void send(AnalyticsEvent event) = 0;
};

} // namespace vyd
