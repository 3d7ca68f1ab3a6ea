#include "sdk/services/InMemoryAnalyticsSink.hpp"

namespace vyd {

void InMemoryAnalyticsSink::setUserLoginId(std::optional<std::string> loginId) {
    std::lock_guard lock(mutex_);
    userLoginId_ = std::move(loginId);
}

std::optional<std::string> InMemoryAnalyticsSink::userLoginId() const {
    std::lock_guard lock(mutex_);
    return userLoginId_;
}

void InMemoryAnalyticsSink::send(AnalyticsEvent event) {
    std::lock_guard lock(mutex_);
    if (capacity_ == 0) {
        return;
    }
    while (events_.size() >= capacity_) {
        events_.pop_front();
    }
    events_.push_back(std::move(event));
}

std::vector<AnalyticsEvent> InMemoryAnalyticsSink::events() const {
    std::lock_guard lock(mutex_);
    return {events_.begin(), events_.end()};
}

std::vector<AnalyticsEvent> InMemoryAnalyticsSink::takeEvents() {
    std::lock_guard lock(mutex_);
    std::vector<AnalyticsEvent> taken(std::make_move_iterator(events_.begin()), std::make_move_iterator(events_.end()));
    events_.clear();
    return taken;
}

} // namespace vyd
