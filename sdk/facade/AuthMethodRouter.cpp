#include "sdk/facade/AuthMethodRouter.hpp"

#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

AuthMethodRouter::AuthMethodRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                   std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                                   WebSceneOpenerProvider webSceneOpener,
                                   std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                                   std::shared_ptr<AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler)
    : appMethodsWrapper_(std::move(appMethodsWrapper)),
      rootViewControllerStorage_(std::move(rootViewControllerStorage)), webSceneOpener_(std::move(webSceneOpener)),
      slidePanelFactory_(std::move(slidePanelFactory)), coordinatorAssembler_(std::move(coordinatorAssembler)) {}

std::shared_ptr<WebSceneOpenerProtocol> AuthMethodRouter::webSceneOpener() const {
    return webSceneOpener_ ? webSceneOpener_() : nullptr;
}

void AuthMethodRouter::openApp(const foundation::URL& url, AppMethodsWrapperProtocol::Completion completion) {
    if (!appMethodsWrapper_) {
        if (completion) {
            completion(false);
        }
        return;
    }
    Logger::log(L10n::Logs::openDeeplinkValue(url.absoluteString()));
    appMethodsWrapper_->open(url, {}, std::move(completion));
}

bool AuthMethodRouter::openWebPage(const foundation::URL& url, WebSceneSecureLevel secureLevel,
                                   const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto opener = webSceneOpener();
    const auto viewController = rootViewControllerStorage_->viewController();
    if (!opener || !viewController) {
        return false;
    }
    opener->openScene(url, ModalWebView{viewController, secureLevel}, true, std::nullopt, delegate);
    return true;
}

bool AuthMethodRouter::openELKLitePage(const foundation::URL& url, const std::optional<uikit::UIColor>& navigationColor,
                                       const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto opener = webSceneOpener();
    const auto viewController = rootViewControllerStorage_->viewController();
    if (!opener || !viewController || !slidePanelFactory_) {
        return false;
    }
    const auto panel = slidePanelFactory_->createSlidePanel(
        SlidePanelFactoryProtocol::PanelStyle::web, SlidePanelFactoryProtocol::PanelBehavior::default_, nullptr);
    viewController->present(panel, true);
    opener->openScene(url, ChildWebView{panel, NavigationWebViewType::elkLite}, false, navigationColor, delegate);
    return true;
}

bool AuthMethodRouter::startChoice(const VYDAuthRequest& request,
                                   const std::shared_ptr<AuthServiceInternalProtocol>& authService) {
    if (!coordinatorAssembler_) {
        return false;
    }
    coordinator = coordinatorAssembler_->create(request, authService);
    if (!coordinator) {
        return false;
    }
    coordinator->startAuthChooseScenario();
    return true;
}

} // namespace vyd
