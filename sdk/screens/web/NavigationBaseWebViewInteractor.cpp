#include "sdk/screens/web/NavigationBaseWebViewInteractor.hpp"

#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/web/WebSceneTrust.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

namespace vyd {

using foundation::URLSessionAuthChallengeDisposition;

namespace navigationscene {

void presentCommittedPage(NavigationBaseWebViewPresenterProtocol& presenter, webkit::WKWebView& webView) {
    presenter.presentWebPage(webView);
    const auto url = webView.url();
    presenter.updateNavigationBar(url ? url->host() : std::nullopt);
}

void notifyWebViewReject(const DelegateManagerProtocol& delegateManager) {
    delegateManager.notifyDelegates<VYDWebViewDelegateProtocol>(
        [](VYDWebViewDelegateProtocol& delegate) { delegate.webViewReject(); });
}

} // namespace navigationscene

NavigationBaseWebViewInteractor::NavigationBaseWebViewInteractor(
    std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter,
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
    std::shared_ptr<CertificatesServiceProtocol> certificatesService, std::optional<uikit::UIColor> navigationColor,
    bool isSecure, foundation::URL startUrl, const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate,
    std::shared_ptr<DelegateManagerProtocol> delegateManager)
    : presenter_(std::move(presenter)), staticStorageService_(std::move(staticStorageService)),
      certificatesService_(std::move(certificatesService)), delegateManager_(std::move(delegateManager)),
      delegate_(delegate), isSecure_(isSecure), startUrl_(std::move(startUrl)),
      navigationColor_(std::move(navigationColor)) {}

void NavigationBaseWebViewInteractor::loadStartPage(webkit::WKWebView& webView) {
    presenter_->loadWebView(webView, startUrl_);
}

void NavigationBaseWebViewInteractor::didReceiveChallenge(const std::optional<foundation::URL>& url,
                                                          const foundation::URLAuthenticationChallenge& challenge,
                                                          foundation::URLAuthenticationChallengeHandler handler) {
    std::function<void()> fallback;
    if (isSecure_ && url) {
        // The page the user was on opens in the system browser view over the scene, in the bar
        // colour current when the refusal comes back to the main thread.
        fallback = [weak = weak_from_this(), url = *url] {
            if (auto self = weak.lock()) {
                self->presenter_->presentSafariViewController(url, self->navigationColor_);
            }
        };
    }
    webscene::answerChallenge(certificatesService_, challenge, std::move(handler),
                              URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::move(fallback));
}

void NavigationBaseWebViewInteractor::decidePolicyFor(webkit::WKWebView&,
                                                      const webkit::WKNavigationAction& navigationAction,
                                                      PolicyCompletion completion) {
    // A request always carries a URL here, so there is no URL-less action to turn away.
    const auto& url = navigationAction.request().url;
    if (isDeeplink(url)) {
        Logger::log(L10n::Logs::openDeeplinkValue(url.debugDescription()));
        presenter_->presentDeeplink(url);
        completion(webkit::WKNavigationActionPolicy::cancel);
        return;
    }
    completion(webkit::WKNavigationActionPolicy::allow);
}

void NavigationBaseWebViewInteractor::didCommit(webkit::WKWebView& webView,
                                                const std::shared_ptr<webkit::WKNavigation>&) {
    navigationscene::presentCommittedPage(*presenter_, webView);
}

void NavigationBaseWebViewInteractor::closeButtonInteracted() {
    navigationscene::notifyWebViewReject(*delegateManager_);
}

} // namespace vyd
