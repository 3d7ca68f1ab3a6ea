#pragma once
#include "sdk/services/AnalyticsSink.hpp"

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace vyd {

// The sink in use until the host app plugs in its analytics framework: keeps the latest events in
// memory (the oldest go once `capacity` is reached) so that an app can show what was reported.
class InMemoryAnalyticsSink : public AnalyticsSink {
public:
    static constexpr std::size_t defaultCapacity = 1000;

    explicit InMemoryAnalyticsSink(std::size_t capacity = defaultCapacity) : capacity_(capacity) {}

    void setUserLoginId(std::optional<std::string> loginId) override;
    std::optional<std::string> userLoginId() const override;
    void send(AnalyticsEvent event) override;

    // Oldest first.
    std::vector<AnalyticsEvent> events() const;
    // The events kept so far, leaving none.
    std::vector<AnalyticsEvent> takeEvents();

private:
    mutable std::mutex mutex_;
    std::size_t capacity_;
    std::deque<AnalyticsEvent> events_;
    std::optional<std::string> userLoginId_;
};

} // namespace vyd
