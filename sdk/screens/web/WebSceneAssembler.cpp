#include "sdk/screens/web/WebSceneAssembler.hpp"

#include "sdk/base/DIContainer.hpp"
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

NavigationWebScene
WebSceneAssembler::createNavigationWebViewController(const foundation::URL&, bool, const std::optional<uikit::UIColor>&,
                                                     NavigationWebViewType,
                                                     const std::shared_ptr<VYDWebViewDelegateProtocol>&) {
    return {};
}

} // namespace vyd
