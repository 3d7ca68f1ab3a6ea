#pragma once
#include "sdk/base/DelegateManagerProtocol.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace vyd {

#define VYD_SERVICE(Protocol, getter, Setter) class Protocol;
#include "sdk/base/DIContainerServices.def"
#undef VYD_SERVICE

// One process-wide service: made by its factory on first use, then shared; a setter replaces it
// (tests, host apps) and hands back the one it replaced. Setting nullptr drops it, so the next
// read makes a fresh one.
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

    // Returns what was there (nullptr if nothing was made yet), so a caller can put it back.
    std::shared_ptr<T> set(std::shared_ptr<T> value) {
        std::lock_guard lock(mutex_);
        return std::exchange(value_, std::move(value));
    }

private:
    std::function<std::shared_ptr<T>()> make_;
    std::mutex mutex_;
    std::shared_ptr<T> value_;
};

// The process-wide service container: a getter and a setter for each line of
// DIContainerServices.def, and a factory for each in DIContainer.cpp.
class DIContainer {
public:
#define VYD_SERVICE(Protocol, getter, Setter)                                                                          \
    static std::shared_ptr<Protocol> getter();                                                                         \
    static std::shared_ptr<Protocol> set##Setter(std::shared_ptr<Protocol> value);
#include "sdk/base/DIContainerServices.def"
#undef VYD_SERVICE
};

} // namespace vyd
