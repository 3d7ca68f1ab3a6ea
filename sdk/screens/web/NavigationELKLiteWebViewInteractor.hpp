#pragma once
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>

namespace vyd {

class AppTokenServiceProtocol;
class CertificatesServiceProtocol;
class DelegateManagerProtocol;
class StaticStorageServiceProtocol;
struct VYDAuthResponse;

// The ELK-lite relogin's interactor. The first deep link of the scene's life is the return link
// of the bank's sign-in: it is processed like any return link and its result goes to the host's
// delegates with a continuation; when the host continues, the partner's single-sign-on address
// loads in the same web view, or the scene closes when there is none. Later deep links go to the
// web view unprocessed. A refused server trust falls to the system's own evaluation. Main thread.
class NavigationELKLiteWebViewInteractor : public NavigationBaseWebViewInteractorProtocol,
                                           public std::enable_shared_from_this<NavigationELKLiteWebViewInteractor> {
public:
    NavigationELKLiteWebViewInteractor(std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter,
                                       std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                       std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                                       std::shared_ptr<AppTokenServiceProtocol> appTokenService,
                                       std::optional<uikit::UIColor> navigationColor, bool isSecure,
                                       foundation::URL startUrl,
                                       std::shared_ptr<DelegateManagerProtocol> delegateManager);

    const std::shared_ptr<NavigationBaseWebViewPresenterProtocol>& presenter() const { return presenter_; }
    const foundation::URL& startUrl() const { return startUrl_; }
    bool isAuthDeeplink() const { return isAuthDeeplink_; }
    std::shared_ptr<webkit::WKWebView> savedWebViewForContinueAppToWeb() const {
        return savedWebViewForContinueAppToWeb_.lock();
    }

    std::optional<uikit::UIColor> navigationColor() const override { return navigationColor_; }
    void setNavigationColor(std::optional<uikit::UIColor> color) { navigationColor_ = std::move(color); }

    void loadStartPage(webkit::WKWebView& webView) override;
    void didReceiveChallenge(const std::optional<foundation::URL>& url,
                             const foundation::URLAuthenticationChallenge& challenge,
                             foundation::URLAuthenticationChallengeHandler completionHandler) override;
    void decidePolicyFor(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                         PolicyCompletion completion) override;
    void didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>& navigation) override;
    void closeButtonInteracted() override;

    // Asks the app-token service for the partner's address, after the host continued.
    void continueAppToWeb(const std::optional<std::string>& userID);

private:
    void processReturnLink(webkit::WKWebView& webView, const foundation::URL& url);
    void tellDelegates(const std::shared_ptr<webkit::WKWebView>& webView, const VYDAuthResponse& response);

    std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<CertificatesServiceProtocol> certificatesService_;
    std::shared_ptr<AppTokenServiceProtocol> appTokenService_;
    std::shared_ptr<DelegateManagerProtocol> delegateManager_;
    bool isSecure_;
    foundation::URL startUrl_;
    std::optional<uikit::UIColor> navigationColor_;
    bool isAuthDeeplink_ = true;
    std::weak_ptr<webkit::WKWebView> savedWebViewForContinueAppToWeb_;
};

} // namespace vyd
