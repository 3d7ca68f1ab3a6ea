#pragma once
#include "sdk/base/DelegateManagerProtocol.hpp"

#include <mutex>
#include <unordered_map>

namespace vyd {

// Thread-safe; actions run outside the lock.
class DelegateManager : public DelegateManagerProtocol {
public:
    void addDelegate(const std::shared_ptr<DelegateObject>& delegate) override;
    void removeDelegate(const std::shared_ptr<DelegateObject>& delegate) override;
    std::vector<std::shared_ptr<DelegateObject>> registeredDelegates() const override;

private:
    mutable std::mutex mutex_;
    std::unordered_map<const void*, std::shared_ptr<DelegateObject>> delegates_;
};

} // namespace vyd
