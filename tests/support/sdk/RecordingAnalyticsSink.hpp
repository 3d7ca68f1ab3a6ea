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

    void setUserLoginId(std::optional<std::string> loginId) override {
        std::lock_guard lock(mutex_);
        loginIdChanges_.push_back(loginId);
        userLoginId_ = std::move(loginId);
    }
    std::optional<std::string> userLoginId() const override { return copy(userLoginId_); }
    void send(vyd::AnalyticsEvent event) override {
        std::unique_lock lock(mutex_);
        events_.push_back(event);
        lock.unlock();
        if (onEvent) {
            onEvent(event);
        }
    }

    std::vector<vyd::AnalyticsEvent> events() const { return copy(events_); }
    std::vector<std::optional<std::string>> loginIdChanges() const { return copy(loginIdChanges_); }

private:
    template <class T>
    T copy(const T& value) const {
        std::lock_guard lock(mutex_);
        return value;
    }

    mutable std::mutex mutex_;
    std::vector<vyd::AnalyticsEvent> events_;
    std::vector<std::optional<std::string>> loginIdChanges_;
    std::optional<std::string> userLoginId_;
};

} // namespace vydtest
