#include "sdk/screens/web/NavigationELKLiteWebViewInteractor.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/LoginFacadeProtocol.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/web/NavigationBaseWebViewInteractor.hpp"
#include "sdk/screens/web/WebSceneTrust.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

namespace vyd {

NavigationELKLiteWebViewInteractor::NavigationELKLiteWebViewInteractor(
    std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter,
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
    std::shared_ptr<CertificatesServiceProtocol> certificatesService,
    std::shared_ptr<AppTokenServiceProtocol> appTokenService, std::optional<uikit::UIColor> navigationColor,
    bool isSecure, foundation::URL startUrl, std::shared_ptr<DelegateManagerProtocol> delegateManager)
    : presenter_(std::move(presenter)), staticStorageService_(std::move(staticStorageService)),
      certificatesService_(std::move(certificatesService)), appTokenService_(std::move(appTokenService)),
      delegateManager_(std::move(delegateManager)), isSecure_(isSecure), startUrl_(std::move(startUrl)),
      navigationColor_(std::move(navigationColor)) {}

void NavigationELKLiteWebViewInteractor::loadStartPage(webkit::WKWebView& webView) {
    presenter_->loadWebView(webView, startUrl_);
}

void NavigationELKLiteWebViewInteractor::didReceiveChallenge(const std::optional<foundation::URL>&,
                                                             const foundation::URLAuthenticationChallenge& challenge,
                                                             foundation::URLAuthenticationChallengeHandler handler) {
    webscene::answerChallenge(certificatesService_, challenge, std::move(handler),
                              foundation::URLSessionAuthChallengeDisposition::performDefaultHandling, nullptr);
}

void NavigationELKLiteWebViewInteractor::decidePolicyFor(webkit::WKWebView& webView,
                                                         const webkit::WKNavigationAction& navigationAction,
                                                         PolicyCompletion completion) {
    const auto& url = navigationAction.request().url;
    if (!isDeeplink(url)) {
        completion(webkit::WKNavigationActionPolicy::allow);
        return;
    }
    Logger::log(L10n::Logs::openDeeplinkValue(url.debugDescription()));
    if (!isAuthDeeplink_) {
        completion(webkit::WKNavigationActionPolicy::allow);
        return;
    }
    processReturnLink(webView, url);
    isAuthDeeplink_ = false;
    completion(webkit::WKNavigationActionPolicy::cancel);
}

void NavigationELKLiteWebViewInteractor::processReturnLink(webkit::WKWebView& webView, const foundation::URL& url) {
    std::weak_ptr<NavigationELKLiteWebViewInteractor> weak = weak_from_this();
    std::weak_ptr<webkit::WKWebView> weakWebView =
        std::static_pointer_cast<webkit::WKWebView>(webView.shared_from_this());
    DIContainer::loginFacade()->getResponseFrom(url, [weak, weakWebView](const VYDAuthResponse& response) {
        if (auto self = weak.lock()) {
            self->tellDelegates(weakWebView.lock(), response);
        }
    });
}

void NavigationELKLiteWebViewInteractor::tellDelegates(const std::shared_ptr<webkit::WKWebView>& webView,
                                                       const VYDAuthResponse& response) {
    std::weak_ptr<NavigationELKLiteWebViewInteractor> weak = weak_from_this();
    delegateManager_->notifyDelegates<VYDWebViewDelegateProtocol>([&](VYDWebViewDelegateProtocol& delegate) {
        auto self = weak.lock();
        if (!self) {
            return;
        }
        self->savedWebViewForContinueAppToWeb_ = webView;
        auto* continuing = dynamic_cast<VYDWebViewReloginContinueDelegate*>(&delegate);
        if (!continuing) {
            return;
        }
        // The continuation is the host's answer to this call only: once the call has returned,
        // a kept copy does nothing but say so in the log.
        auto answering = std::make_shared<bool>(true);
        continuing->reloginStatusContinueAppToWeb(response, [weak, answering](std::optional<std::string> userID) {
            if (!*answering) {
                Logger::log(L10n::Logs::continueAppToWebAfterReturn());
                return;
            }
            DIContainer::loginFacade()->applyUserID(userID);
            if (auto interactor = weak.lock()) {
                interactor->continueAppToWeb(userID);
            }
        });
        *answering = false;
    });
}

void NavigationELKLiteWebViewInteractor::continueAppToWeb(const std::optional<std::string>&) {
    std::weak_ptr<NavigationELKLiteWebViewInteractor> weak = weak_from_this();
    appTokenService_->reloginSSOELKLite([weak](SSOResult result) {
        // The address may come on any thread; the scene is touched on the main one only.
        foundation::DispatchQueue::main().async([weak, result = std::move(result)] {
            const auto self = weak.lock();
            if (!self) {
                return;
            }
            if (const auto* address = std::get_if<foundation::URL>(&result)) {
                if (const auto webView = self->savedWebViewForContinueAppToWeb_.lock()) {
                    self->presenter_->loadWebView(*webView, *address);
                }
                return;
            }
            self->presenter_->shouldDismiss();
            navigationscene::notifyWebViewReject(*self->delegateManager_);
        });
    });
}

void NavigationELKLiteWebViewInteractor::didCommit(webkit::WKWebView& webView,
                                                   const std::shared_ptr<webkit::WKNavigation>&) {
    navigationscene::presentCommittedPage(*presenter_, webView);
}

void NavigationELKLiteWebViewInteractor::closeButtonInteracted() {
    navigationscene::notifyWebViewReject(*delegateManager_);
}

} // namespace vyd
