#pragma once

// A subscription's handle. Copies share the subscription, as references to the platform's
// class do; the subscription is cancelled by `cancel()` or when the last copy goes away.

#include <functional>
#include <memory>
#include <vector>

namespace combine {

class AnyCancellable {
public:
    AnyCancellable() = default;
    explicit AnyCancellable(std::function<void()> cancel);

    // Idempotent; every copy sees the subscription cancelled.
    void cancel() const;
    // Keeps a copy in `set` (the platform's store(in:)).
    void store(std::vector<AnyCancellable>& set) const { set.push_back(*this); }

    explicit operator bool() const { return token_ != nullptr; }

private:
    struct Token;
    std::shared_ptr<Token> token_;
};

// The platform's Set<AnyCancellable>.
using CancellableSet = std::vector<AnyCancellable>;

} // namespace combine
