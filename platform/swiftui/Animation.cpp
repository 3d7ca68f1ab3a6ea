#include "platform/swiftui/Animation.hpp"

namespace swiftui {

namespace {
thread_local const Transaction* current = nullptr;
}

void withTransaction(const Transaction& transaction, const std::function<void()>& body) {
    const Transaction* outer = current;
    current = &transaction;
    struct Restore {
        const Transaction* outer;
        ~Restore() { current = outer; }
    } restore{outer};
    body();
}

void withAnimation(std::optional<Animation> animation, const std::function<void()>& body) {
    withTransaction(Transaction(std::move(animation)), body);
}

const Transaction& currentTransaction() {
    static const Transaction empty;
    return current ? *current : empty;
}

} // namespace swiftui
