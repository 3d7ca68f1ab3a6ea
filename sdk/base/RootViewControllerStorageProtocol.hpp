#pragma once
#include <memory>

namespace uikit {
class UIViewController;
}

namespace vyd {

// The host app's view controller over which the SDK presents its screens during a login. Held
// weakly: the SDK never keeps the host's screens alive.
class RootViewControllerStorageProtocol {
public:
    virtual ~RootViewControllerStorageProtocol() = default;

    virtual std::shared_ptr<uikit::UIViewController> viewController() const = 0;
    virtual void setViewController(const std::shared_ptr<uikit::UIViewController>& viewController) = 0;
};

} // namespace vyd
