#pragma once
#include "platform/uikit/UIViewController.hpp"
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>

namespace vyd {

class AppMethodsWrapperProtocol;

// Opens the system browser view and deep links, and dismisses the scene. Holds the controller
// weakly.
class NavigationBaseWebViewRouter : public NavigationBaseWebViewRouterProtocol {
public:
    explicit NavigationBaseWebViewRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper);

    std::shared_ptr<uikit::UIViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::shared_ptr<uikit::UIViewController>& controller) { viewController_ = controller; }

    void routeToSafariViewController(const foundation::URL& url,
                                     const std::optional<uikit::UIColor>& navigationColor) override;
    // The application opens it; nobody hears whether an app took it.
    void routeToDeeplink(const foundation::URL& url) override;
    void closeViewController() override;

private:
    std::weak_ptr<uikit::UIViewController> viewController_;
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper_;
};

} // namespace vyd
