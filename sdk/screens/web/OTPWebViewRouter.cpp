#include "sdk/screens/web/OTPWebViewRouter.hpp"

#include "platform/safariservices/SFSafariViewController.hpp"
#include "sdk/base/AppMethodsWrapperProtocol.hpp"

namespace vyd {

OTPWebViewRouter::OTPWebViewRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper)
    : appMethodWrapper_(std::move(appMethodWrapper)) {}

void OTPWebViewRouter::routeToSafariViewController(const foundation::URL& url,
                                                   const std::optional<uikit::UIColor>& navigationColor) {
    auto controller = viewController();
    if (!controller) {
        return;
    }
    auto safari = safariservices::SFSafariViewController::make(url);
    safari->setPreferredBarTintColor(navigationColor);
    if (auto delegate = std::dynamic_pointer_cast<safariservices::SFSafariViewControllerDelegate>(controller)) {
        safari->setDelegate(delegate);
    }
    safariVC_ = safari;
    controller->present(safari, true);
}

void OTPWebViewRouter::routeToDeeplink(const foundation::URL& url) { appMethodWrapper_->open(url, {}, nullptr); }

void OTPWebViewRouter::closeViewController() {
    closeSafaViewController();
    if (auto controller = viewController()) {
        controller->dismiss(true);
    }
}

void OTPWebViewRouter::closeSafaViewController() {
    if (safariVC_) {
        safariVC_->dismiss(true);
    }
}

} // namespace vyd
