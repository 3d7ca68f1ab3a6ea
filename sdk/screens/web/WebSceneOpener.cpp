#include "sdk/screens/web/WebSceneOpener.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/base/UIUtils.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/web/VYDSafariViewControllerDelegate.hpp"

#include <algorithm>

namespace vyd {
namespace {

template <class... Cases>
struct Overloaded : Cases... {
    using Cases::operator()...;
};
template <class... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

// As the platform describes an optional list of strings.
std::string describe(const std::optional<std::vector<std::string>>& list) {
    if (!list) {
        return "nil";
    }
    std::string out = "Optional([";
    for (std::size_t i = 0; i < list->size(); ++i) {
        out += (i ? ", \"" : "\"") + (*list)[i] + "\"";
    }
    return out + "])";
}

} // namespace

WebSceneOpener::WebSceneOpener(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                               std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                               std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                               std::shared_ptr<DelegateManagerProtocol> delegateManager,
                               std::shared_ptr<WebSceneAssemblerProtocol> assembler)
    : appMethodsWrapper_(std::move(appMethodsWrapper)), staticStorageService_(std::move(staticStorageService)),
      analyticsParamsMaker_(std::move(analyticsParamsMaker)), delegateManager_(std::move(delegateManager)),
      assembler_(std::move(assembler)) {}

std::shared_ptr<WebSceneOpener> WebSceneOpener::make(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                                     std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                                     std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                                     std::shared_ptr<DelegateManagerProtocol> delegateManager,
                                                     std::shared_ptr<WebSceneAssemblerProtocol> assembler) {
    std::shared_ptr<WebSceneOpener> opener(
        new WebSceneOpener(std::move(appMethodsWrapper), std::move(staticStorageService),
                           std::move(analyticsParamsMaker), std::move(delegateManager), std::move(assembler)));
    foundation::NotificationCenter::defaultCenter().addObserver<WebSceneOpener>(
        opener, NotificationNames::authNativeResult(), nullptr,
        [](WebSceneOpener& self, const foundation::Notification& notification) {
            self.authNotificationHandler(notification);
        });
    return opener;
}

WebSceneOpener::~WebSceneOpener() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    if (delegateManager_) {
        delegateManager_->removeDelegate(delegate_.lock());
    }
}

bool WebSceneOpener::isWhiteHost(const foundation::URL& url, bool isSecure) const {
    if (!isSecure) {
        return true;
    }
    const auto whiteList = staticStorageService_->remoteConfig().hostsWhiteList;
    const auto host = url.host();
    if (whiteList && host && std::find(whiteList->begin(), whiteList->end(), *host) != whiteList->end()) {
        return true;
    }
    Logger::log(L10n::Logs::notWhiteListValue(host ? *host : url.absoluteString(), describe(whiteList)));
    return false;
}

bool WebSceneOpener::allowsModalWebView(const foundation::URL& url, bool isSecure, SecureLevel secureLevel) const {
    if (!isWhiteHost(url, isSecure)) {
        return false;
    }
    if (secureLevel == SecureLevel::low) {
        return true;
    }
    const auto clientId = staticStorageService_->clientId();
    if (!clientId || clientId->empty()) {
        return false;
    }
    const auto config = staticStorageService_->remoteConfig();
    const auto& switches = config.vyIDWebViewEnabledMap;
    if (const auto entry = switches.find(*clientId); entry != switches.end()) {
        return entry->second;
    }
    return config.featureToggles.isWebViewEnabled();
}

bool WebSceneOpener::allowsChildWebView(const foundation::URL& url, bool isSecure,
                                        NavigationWebViewType webViewType) const {
    if (!isWhiteHost(url, isSecure)) {
        return false;
    }
    return webViewType == NavigationWebViewType::elkLite ||
           staticStorageService_->remoteConfig().featureToggles.isWebViewEnabled();
}

void WebSceneOpener::openScene(const foundation::URL& url, const PresentationStyle& presentationStyle, bool isSecure,
                               const std::optional<uikit::UIColor>& navigationColor,
                               const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    std::visit(
        Overloaded{
            [&](const ModalWebView& modal) {
                if (!allowsModalWebView(url, isSecure, modal.secureLevel) ||
                    !openAuthWebView(url, modal.viewController, isSecure, navigationColor, delegate)) {
                    openSafariViewController(url, modal.viewController, navigationColor);
                }
            },
            [&](const ChildWebView& child) {
                checkChildWebView(url, isSecure, navigationColor, child.panel, child.webViewType, delegate);
            },
            [&](const SafariView& safari) { openSafariViewController(url, safari.viewController, navigationColor); },
        },
        presentationStyle);
}

bool WebSceneOpener::openAuthWebView(const foundation::URL& url, const std::shared_ptr<uikit::UIViewController>& over,
                                     bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
                                     const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    // The scene closes itself; the opener keeps nothing of it.
    const auto scene = over && assembler_
                           ? assembler_->createAuthWebViewController(url, isSecure, navigationColor, delegate)
                           : nullptr;
    if (!scene) {
        return false;
    }
    scene->setModalPresentationStyle(uikit::UIModalPresentationStyle::fullScreen);
    over->present(scene, true);
    Logger::log(L10n::Logs::openWithWebViewValue(url.absoluteString()));
    return true;
}

void WebSceneOpener::checkChildWebView(const foundation::URL& url, bool isSecure,
                                       const std::optional<uikit::UIColor>& navigationColor,
                                       const std::shared_ptr<SlidePanelController>& spc,
                                       NavigationWebViewType webViewType,
                                       const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    if (spc && allowsChildWebView(url, isSecure, webViewType) &&
        configureSPCWebViewController(spc, url, isSecure, navigationColor, webViewType, delegate)) {
        Logger::log(L10n::Logs::openWithWebViewValue(url.absoluteString()));
        return;
    }
    // Over the key window's root, or over what it presents: a root that presents the panel
    // itself would refuse another presentation and the page would never show.
    std::shared_ptr<uikit::UIViewController> over;
    if (const auto window = UIUtils::currentActiveKeyWindow()) {
        over = window->rootViewController();
        while (over && over->presentedViewController()) {
            over = over->presentedViewController();
        }
    }
    openSafariViewController(url, over ? over : spc, navigationColor);
    if (spc) {
        spc->move(SlidePanelState::hidden(), false);
    }
}

bool WebSceneOpener::configureSPCWebViewController(const std::shared_ptr<SlidePanelController>& spc,
                                                   const foundation::URL& url, bool isSecure,
                                                   const std::optional<uikit::UIColor>& navigationColor,
                                                   NavigationWebViewType webViewType,
                                                   const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto scene = assembler_ ? assembler_->createNavigationWebViewController(url, isSecure, navigationColor,
                                                                                  webViewType, delegate)
                                  : NavigationWebScene{};
    if (!scene.viewController) {
        return false;
    }
    delegate_ = delegate;
    if (delegateManager_) {
        delegateManager_->addDelegate(shared_from_this());
    }
    const auto navigationController = uikit::UINavigationController::make(scene.viewController);
    if (scene.scrollView) {
        spc->track(scene.scrollView);
    }
    spc->set(navigationController);
    if (const auto& surface = spc->surfaceView()) {
        surface->grabberHandle()->setHidden(true);
    }
    slidePanelVC_ = spc;
    spc->setDelegate(shared_from_this());
    return true;
}

void WebSceneOpener::openSafariViewController(const foundation::URL& url,
                                              const std::shared_ptr<uikit::UIViewController>& over,
                                              const std::optional<uikit::UIColor>& navigationColor) {
    if (!over) {
        return;
    }
    const auto safari = safariservices::SFSafariViewController::make(url);
    safari->setPreferredBarTintColor(navigationColor);
    if (std::dynamic_pointer_cast<SlidePanelController>(over)) {
        over->show(safari, nullptr);
    } else {
        over->present(safari, true);
    }
    presentedController_ = safari;
    Logger::log(L10n::Logs::openWithSafariValue(url.absoluteString()));
    if (const auto safariDelegate = std::dynamic_pointer_cast<VYDSafariViewControllerDelegate>(over)) {
        safari->setDelegate(safariDelegate);
        safariDelegate->setSafariViewController(safari);
    }
}

void WebSceneOpener::authNotificationHandler(const foundation::Notification&) {
    if (presentedController_) {
        presentedController_->dismiss(true);
    }
}

void WebSceneOpener::webViewReject() {
    if (const auto panel = slidePanelVC_) {
        // The scene's own close button dismisses what presents it, the panel: already on its way
        // out, the panel would not report its removal and would be kept, with the scene and its
        // web view, until the next page.
        if (panel->isBeingDismissed()) {
            slidePanelVC_.reset();
        } else {
            panel->remove();
        }
    }
    if (delegateManager_) {
        delegateManager_->removeDelegate(delegate_.lock());
    }
}

void WebSceneOpener::reloginStatus(const VYDAuthResponse&) {}

void WebSceneOpener::slidePanelDidRemove(const std::shared_ptr<SlidePanelController>& panel) {
    // An earlier panel that still names the opener as its delegate must not make it forget the
    // current one.
    if (panel != slidePanelVC_) {
        return;
    }
    panel->removeFromParent();
    slidePanelVC_.reset();
}

} // namespace vyd
