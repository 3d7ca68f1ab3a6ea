#include "sdk/screens/web/WebSceneAssembler.hpp"

#include "platform/uikit/UIScrollView.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/web/NavigationBaseWebView.hpp"
#include "sdk/screens/web/NavigationBaseWebViewController.hpp"
#include "sdk/screens/web/NavigationBaseWebViewInteractor.hpp"
#include "sdk/screens/web/NavigationBaseWebViewPresenter.hpp"
#include "sdk/screens/web/NavigationBaseWebViewRouter.hpp"
#include "sdk/screens/web/NavigationELKLiteWebViewInteractor.hpp"
#include "sdk/screens/web/NavigationELKLiteWebViewPresenter.hpp"
#include "sdk/screens/web/OTPWebView.hpp"
#include "sdk/screens/web/OTPWebViewController.hpp"
#include "sdk/screens/web/OTPWebViewInteractor.hpp"
#include "sdk/screens/web/OTPWebViewPresenter.hpp"
#include "sdk/screens/web/OTPWebViewRouter.hpp"

namespace vyd {

std::shared_ptr<uikit::UIViewController>
WebSceneAssembler::createAuthWebViewController(const foundation::URL& url, bool isSecure,
                                               const std::optional<uikit::UIColor>& navigationColor,
                                               const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto view = OTPWebView::make(navigationColor);
    const auto presenter = std::make_shared<OTPWebViewPresenter>();
    // The interactor and the router open deep links through the same wrapper.
    const auto appMethodsWrapper = DIContainer::appMethodsWrapper();
    const auto interactor =
        OTPWebViewInteractor::make(presenter, url, isSecure, appMethodsWrapper, DIContainer::staticStorageService(),
                                   DIContainer::certificatesService(), DIContainer::analyticsParamsMaker(), delegate);
    const auto router = std::make_shared<OTPWebViewRouter>(appMethodsWrapper);
    const auto controller = OTPWebViewController::make(interactor, router, view);
    presenter->setViewController(controller);
    router->setViewController(controller);
    return controller;
}

NavigationWebScene WebSceneAssembler::createNavigationWebViewController(
    const foundation::URL& url, bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
    NavigationWebViewType webViewType, const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    std::shared_ptr<NavigationBaseWebViewPresenter> presenter;
    std::shared_ptr<NavigationBaseWebViewInteractorProtocol> interactor;
    std::shared_ptr<NavigationBaseWebView> view;
    if (webViewType == NavigationWebViewType::base) {
        presenter = std::make_shared<NavigationBaseWebViewPresenter>();
        view = NavigationBaseWebView::make(navigationColor);
        interactor = std::make_shared<NavigationBaseWebViewInteractor>(
            presenter, DIContainer::staticStorageService(), DIContainer::certificatesService(), navigationColor,
            isSecure, url, delegate, DIContainer::delegateManager());
    } else {
        // The relogin reaches the host only through the delegate manager.
        presenter = std::make_shared<NavigationELKLiteWebViewPresenter>();
        view = NavigationBaseWebView::make(navigationColor);
        interactor = std::make_shared<NavigationELKLiteWebViewInteractor>(
            presenter, DIContainer::staticStorageService(), DIContainer::certificatesService(),
            DIContainer::appTokenService(), navigationColor, isSecure, url, DIContainer::delegateManager());
    }
    const auto router = std::make_shared<NavigationBaseWebViewRouter>(DIContainer::appMethodWrapper());
    const auto controller = NavigationBaseWebViewController::make(interactor, router, view);
    presenter->setViewController(controller);
    router->setViewController(controller);
    return {controller, view->webView()->scrollView()};
}

} // namespace vyd
