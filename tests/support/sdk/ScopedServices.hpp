#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vydtest {

// Puts services into the container until the scope ends, then puts back whatever each replaced
// (nothing, if nothing had been made yet), last first, so one test's fakes never reach the next.
//     vydtest::ScopedServices services;
//     services.replace(&vyd::DIContainer::setAnalyticsService, fake);
class ScopedServices {
public:
    ScopedServices() = default;
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;
    ~ScopedServices() {
        for (auto restore = restores_.rbegin(); restore != restores_.rend(); ++restore) {
            (*restore)();
        }
    }

    template <class Protocol, class Replacement>
    void replace(std::shared_ptr<Protocol> (*set)(std::shared_ptr<Protocol>), std::shared_ptr<Replacement> value) {
        auto previous = set(std::move(value));
        restores_.emplace_back([set, previous = std::move(previous)]() mutable { set(std::move(previous)); });
    }

private:
    std::vector<std::function<void()>> restores_;
};

} // namespace vydtest
