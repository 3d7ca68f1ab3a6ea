#pragma once
#include "sdk/base/RootViewControllerStorageProtocol.hpp"

#include <mutex>

namespace vyd {

class RootViewControllerStorage : public RootViewControllerStorageProtocol {
public:
    std::shared_ptr<uikit::UIViewController> viewController() const override {
        std::lock_guard lock(mutex_);
        return viewController_.lock();
    }
    void setViewController(const std::shared_ptr<uikit::UIViewController>& viewController) override {
        std::lock_guard lock(mutex_);
        viewController_ = viewController;
    }

private:
    mutable std::mutex mutex_;
    std::weak_ptr<uikit::UIViewController> viewController_;
};

} // namespace vyd
