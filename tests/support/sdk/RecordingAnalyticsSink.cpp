#include "support/sdk/RecordingAnalyticsSink.hpp"

namespace vydtest {

void RecordingAnalyticsSink::setUserLoginId(std::optional<std::string> loginId) {
    std::lock_guard lock(mutex_);
    loginIdChanges_.push_back(loginId);
    userLoginId_ = std::move(loginId);
}

std::optional<std::string> RecordingAnalyticsSink::userLoginId() const {
    std::lock_guard lock(mutex_);
    return userLoginId_;
}

void RecordingAnalyticsSink::send(vyd::AnalyticsEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    if (onEvent) {
        onEvent(event);
    }
}

std::vector<vyd::AnalyticsEvent> RecordingAnalyticsSink::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<std::optional<std::string>> RecordingAnalyticsSink::loginIdChanges() const {
    std::lock_guard lock(mutex_);
    return loginIdChanges_;
}

} // namespace vydtest
