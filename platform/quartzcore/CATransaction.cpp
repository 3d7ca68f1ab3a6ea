#include "platform/quartzcore/CATransaction.hpp"

#include "platform/foundation/Dispatch.hpp"

#include <optional>
#include <vector>

namespace quartzcore {

namespace {

struct TransactionValues {
    std::optional<double> animationDuration;
    std::optional<bool> disableActions;
};

// The bottom entry is the implicit transaction, which never ends.
std::vector<TransactionValues>& stack() {
    thread_local std::vector<TransactionValues> transactions(1);
    return transactions;
}

template <typename T>
std::optional<T> innermost(std::optional<T> TransactionValues::*member) {
    const auto& transactions = stack();
    for (auto it = transactions.rbegin(); it != transactions.rend(); ++it) {
        if ((*it).*member) {
            return (*it).*member;
        }
    }
    return std::nullopt;
}

// Values set outside any explicit transaction belong to the implicit one, which the platform
// commits at the end of the current run-loop turn: forget them there.
TransactionValues& current() {
    auto& transactions = stack();
    if (transactions.size() == 1 && foundation::isMainThread()) {
        foundation::DispatchQueue::main().async([] { stack().front() = {}; });
    }
    return transactions.back();
}

} // namespace

void CATransaction::begin() { stack().emplace_back(); }

void CATransaction::commit() {
    if (stack().size() > 1) {
        stack().pop_back();
    }
}

double CATransaction::animationDuration() {
    return innermost(&TransactionValues::animationDuration).value_or(defaultAnimationDuration);
}

void CATransaction::setAnimationDuration(double seconds) { current().animationDuration = seconds; }

bool CATransaction::disableActions() { return innermost(&TransactionValues::disableActions).value_or(false); }

void CATransaction::setDisableActions(bool disable) { current().disableActions = disable; }

} // namespace quartzcore
