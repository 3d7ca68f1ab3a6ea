#pragma once

#include "platform/foundation/OptionSet.hpp"

#include <functional>
#include <optional>
#include <utility>

namespace foundation {

// Which values an observation hands over: the new one, the old one, and whether the handler is
// also called at once with the current value.
enum class NSKeyValueObservingOptions : unsigned { new_ = 1, old = 2, initial = 4 };

VYD_OPTION_SET(NSKeyValueObservingOptions)

template <class Value>
struct NSKeyValueObservedChange {
    std::optional<Value> newValue;
    std::optional<Value> oldValue;
};

// An observation of a property; it ends when invalidated or released.
class NSKeyValueObservation {
public:
    explicit NSKeyValueObservation(std::function<void()> onInvalidate) : onInvalidate_(std::move(onInvalidate)) {}
    ~NSKeyValueObservation() { invalidate(); }
    NSKeyValueObservation(const NSKeyValueObservation&) = delete;
    NSKeyValueObservation& operator=(const NSKeyValueObservation&) = delete;

    void invalidate() {
        if (auto end = std::exchange(onInvalidate_, nullptr)) {
            end();
        }
    }

private:
    std::function<void()> onInvalidate_;
};

} // namespace foundation
