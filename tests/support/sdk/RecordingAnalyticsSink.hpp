#pragma once
#include "sdk/services/AnalyticsSink.hpp"

#include <functional>
#include <mutex>
#include <vector>

namespace vydtest {

// An analytics framework for tests: keeps every event and login identifier it is given, and
// tells `onEvent` (when set) of each event as it arrives, so that a test can put events into
// one ordered log with other effects.
class RecordingAnalyticsSink : public vyd::AnalyticsSink {
public:
    std::function<void(const vyd::AnalyticsEvent&)> onEvent;

    void setUserLoginId(std::optional<std::string> loginId) override;
    std::optional<std::string> userLoginId() const override;
    void send(vyd::AnalyticsEvent event) override;

    std::vector<vyd::AnalyticsEvent> events() const;
    std::vector<std::optional<std::string>> loginIdChanges() const;

private:
    mutable std::mutex mutex_;
    std::vector<vyd::AnalyticsEvent> events_;
    std::vector<std::optional<std::string>> loginIdChanges_;
    std::optional<std::string> userLoginId_;
};

} // namespace vydtest
