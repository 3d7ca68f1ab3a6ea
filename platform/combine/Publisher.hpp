#pragma once

// Publishers that never fail, with the operators the SDK chains: sink, compactMap,
// removeDuplicates and receive(on:). A publisher is a value describing how to subscribe; each
// subscription gets its own operator state (the last value seen by removeDuplicates, say).

#include "platform/combine/AnyCancellable.hpp"
#include "platform/foundation/Dispatch.hpp"

#include <atomic>
#include <concepts>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

namespace combine {

// The output of publishers that carry no value (the platform's Void).
struct Void {
    friend constexpr bool operator==(Void, Void) { return true; }
};

template <class T>
class Publisher {
public:
    using Output = T;
    using Receiver = std::function<void(const T&)>;
    using Subscribe = std::function<AnyCancellable(Receiver)>;

    explicit Publisher(Subscribe subscribe) : subscribe_(std::move(subscribe)) {}

    // Subscribes with a handler of the value (or, for Void, of nothing). The handler runs on
    // whatever thread delivers, until the returned handle cancels.
    template <class F>
    AnyCancellable sink(F receiveValue) const {
        if constexpr (std::is_invocable_v<F&, const T&>) {
            return subscribe_(Receiver(std::move(receiveValue)));
        } else {
            static_assert(std::is_invocable_v<F&>, "sink takes a handler of the output or of nothing");
            return subscribe_([f = std::move(receiveValue)](const T&) mutable { f(); });
        }
    }

    // Values transformed by `transform`; absent results are dropped.
    template <class F, class U = typename std::invoke_result_t<F&, const T&>::value_type>
    Publisher<U> compactMap(F transform) const {
        auto upstream = subscribe_;
        return Publisher<U>([upstream, transform](typename Publisher<U>::Receiver receiver) {
            return upstream([transform, receiver = std::move(receiver)](const T& value) {
                if (auto mapped = transform(value)) {
                    receiver(*mapped);
                }
            });
        });
    }

    // Drops a value equal to the one delivered just before it.
    Publisher<T> removeDuplicates() const requires std::equality_comparable<T> {
        auto upstream = subscribe_;
        return Publisher<T>([upstream](Receiver receiver) {
            struct Last {
                std::mutex mutex;
                std::optional<T> value;
            };
            auto last = std::make_shared<Last>();
            return upstream([last, receiver = std::move(receiver)](const T& value) {
                {
                    std::lock_guard lock(last->mutex);
                    if (last->value && *last->value == value) {
                        return;
                    }
                    last->value = value;
                }
                receiver(value);
            });
        });
    }

    // Delivers each value asynchronously on `queue`; values still queued when the subscription
    // is cancelled are dropped.
    Publisher<T> receiveOn(foundation::DispatchQueue& queue) const {
        auto upstream = subscribe_;
        foundation::DispatchQueue* target = &queue;
        return Publisher<T>([upstream, target](Receiver receiver) {
            auto live = std::make_shared<std::atomic<bool>>(true);
            auto shared = std::make_shared<Receiver>(std::move(receiver));
            AnyCancellable inner = upstream([live, shared, target](const T& value) {
                target->async([live, shared, value] {
                    if (live->load()) {
                        (*shared)(value);
                    }
                });
            });
            return AnyCancellable([live, inner] {
                live->store(false);
                inner.cancel();
            });
        });
    }

    Publisher<T> eraseToAnyPublisher() const { return *this; }

private:
    Subscribe subscribe_;
};

} // namespace combine
