#include "sdk/screens/web/NavigationBaseWebViewRouter.hpp"

#include "platform/safariservices/SFSafariViewController.hpp"
#include "sdk/base/AppMethodsWrapperProtocol.hpp"

namespace vyd {

NavigationBaseWebViewRouter::NavigationBaseWebViewRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper)
    : appMethodWrapper_(std::move(appMethodWrapper)) {}

void NavigationBaseWebViewRouter::routeToSafariViewController(const foundation::URL& url,
                                                              const std::optional<uikit::UIColor>& navigationColor) {
    if (auto controller = viewController()) {
        auto safari = safariservices::SFSafariViewController::make(url);
        safari->setPreferredBarTintColor(navigationColor);
        controller->present(safari, true);
    }
}

void NavigationBaseWebViewRouter::routeToDeeplink(const foundation::URL& url) {
    appMethodWrapper_->open(url, {}, nullptr);
}

void NavigationBaseWebViewRouter::closeViewController() {
    if (auto controller = viewController()) {
        controller->dismiss(true);
    }
}

} // namespace vyd
