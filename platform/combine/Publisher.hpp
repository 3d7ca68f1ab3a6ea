#pragma once

// Publishers that never fail, with the operators the SDK chains: sink and compactMap. A
// publisher is a value describing how to subscribe; each subscription gets its own operator
// state.

#include "platform/combine/AnyCancellable.hpp"

#include <functional>
#include <memory>
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

private:
    Subscribe subscribe_;
};

} // namespace combine
