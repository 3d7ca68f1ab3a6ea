#pragma once
#include "sdk/core/DelegateManagerProtocol.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace vyd {

// One process-wide service: made by its factory on first use, then shared; a setter replaces it
// (tests, host apps). Setting nullptr drops it, so the next read makes a fresh one.
template <class T>
class DIEntry {
public:
    explicit DIEntry(std::function<std::shared_ptr<T>()> make) : make_(std::move(make)) {}

    std::shared_ptr<T> get() {
        {
            std::lock_guard lock(mutex_);
            if (value_) {
                return value_;
            }
        }
        // Made outside the lock: a factory may read other entries, which may read this one.
        auto made = make_();
        std::lock_guard lock(mutex_);
        if (!value_) {
            value_ = std::move(made);
        }
        return value_;
    }

    void set(std::shared_ptr<T> value) {
        std::shared_ptr<T> previous;
        std::lock_guard lock(mutex_);
        previous = std::exchange(value_, std::move(value));
    }

private:
    std::function<std::shared_ptr<T>()> make_;
    std::mutex mutex_;
    std::shared_ptr<T> value_;
};

// The process-wide service container. An entry is a getter and a setter here and a factory in
// DIContainer.cpp.
class DIContainer {
public:
    static std::shared_ptr<DelegateManagerProtocol> delegateManager();
    static void setDelegateManager(std::shared_ptr<DelegateManagerProtocol> value);
};

} // namespace vyd
