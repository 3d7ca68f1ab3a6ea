#include "sdk/base/DelegateManager.hpp"

namespace vyd {
namespace {

// The address of the complete object: the same whichever base the caller's pointer has.
const void* identity(const std::shared_ptr<DelegateObject>& delegate) {
    return dynamic_cast<const void*>(delegate.get());
}

} // namespace

void DelegateManager::addDelegate(const std::shared_ptr<DelegateObject>& delegate) {
    if (!delegate) {
        return;
    }
    std::lock_guard lock(mutex_);
    delegates_.insert_or_assign(identity(delegate), delegate);
}

void DelegateManager::removeDelegate(const std::shared_ptr<DelegateObject>& delegate) {
    if (!delegate) {
        return;
    }
    std::shared_ptr<DelegateObject> removed; // released after the lock, its destructor may call back
    {
        std::lock_guard lock(mutex_);
        auto found = delegates_.find(identity(delegate));
        if (found == delegates_.end()) {
            return;
        }
        removed = std::move(found->second);
        delegates_.erase(found);
    }
}

std::vector<std::shared_ptr<DelegateObject>> DelegateManager::registeredDelegates() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<DelegateObject>> result;
    result.reserve(delegates_.size());
    for (const auto& entry : delegates_) {
        result.push_back(entry.second);
    }
    return result;
}

} // namespace vyd
