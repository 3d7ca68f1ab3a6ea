#pragma once
#include "sdk/screens/web/OTPWebViewProtocols.hpp"

#include <memory>

namespace safariservices {
class SFSafariViewController;
}
namespace uikit {
class UIViewController;
}

namespace vyd {

class AppMethodsWrapperProtocol;

// Shows the system browser view over the scene, opens deep links and closes the scene.
// Main thread.
class OTPWebViewRouter : public OTPWebViewRouterProtocol {
public:
    explicit OTPWebViewRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper);

    // The scene's controller, held weakly.
    std::shared_ptr<uikit::UIViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::shared_ptr<uikit::UIViewController>& viewController) {
        viewController_ = viewController;
    }
    // The browser view presented last; kept after it was dismissed.
    const std::shared_ptr<safariservices::SFSafariViewController>& safariVC() const { return safariVC_; }

    // Nothing once the controller is gone. The controller becomes the browser view's delegate
    // when it is one.
    void routeToSafariViewController(const foundation::URL& url,
                                     const std::optional<uikit::UIColor>& navigationColor) override;
    void routeToDeeplink(const foundation::URL& url) override;
    // Dismisses the browser view presented last (whether or not it is still up), then the scene.
    void closeViewController() override;
    void closeSafaViewController() override;

private:
    std::weak_ptr<uikit::UIViewController> viewController_;
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper_;
    std::shared_ptr<safariservices::SFSafariViewController> safariVC_;
};

} // namespace vyd
