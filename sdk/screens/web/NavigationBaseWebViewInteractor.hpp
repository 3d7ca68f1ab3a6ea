#pragma once
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>

namespace vyd {

class CertificatesServiceProtocol;
class DelegateManagerProtocol;
class StaticStorageServiceProtocol;
class VYDWebViewDelegateProtocol;

// What the navigation web scene decides: its start page, which navigations the web view may
// perform (deep links go to the application), how server trust is answered and whom it tells
// when the user closes it. It never closes the scene itself. Main thread.
class NavigationBaseWebViewInteractor : public NavigationBaseWebViewInteractorProtocol,
                                        public std::enable_shared_from_this<NavigationBaseWebViewInteractor> {
public:
    NavigationBaseWebViewInteractor(std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter,
                                    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                    std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                                    std::optional<uikit::UIColor> navigationColor, bool isSecure,
                                    foundation::URL startUrl,
                                    const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate,
                                    std::shared_ptr<DelegateManagerProtocol> delegateManager);

    const std::shared_ptr<NavigationBaseWebViewPresenterProtocol>& presenter() const { return presenter_; }
    bool isSecure() const { return isSecure_; }
    const foundation::URL& startUrl() const { return startUrl_; }
    // The host's delegate handed over at construction; the scene reaches delegates only through
    // the delegate manager.
    std::shared_ptr<VYDWebViewDelegateProtocol> delegate() const { return delegate_.lock(); }

    std::optional<uikit::UIColor> navigationColor() const override { return navigationColor_; }
    // The next browser-view fallback uses the new colour.
    void setNavigationColor(std::optional<uikit::UIColor> color) { navigationColor_ = std::move(color); }

    void loadStartPage(webkit::WKWebView& webView) override;
    void didReceiveChallenge(const std::optional<foundation::URL>& url,
                             const foundation::URLAuthenticationChallenge& challenge,
                             foundation::URLAuthenticationChallengeHandler completionHandler) override;
    void decidePolicyFor(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                         PolicyCompletion completion) override;
    void didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>& navigation) override;
    void closeButtonInteracted() override;

private:
    std::shared_ptr<NavigationBaseWebViewPresenterProtocol> presenter_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<CertificatesServiceProtocol> certificatesService_;
    std::shared_ptr<DelegateManagerProtocol> delegateManager_;
    std::weak_ptr<VYDWebViewDelegateProtocol> delegate_;
    bool isSecure_;
    foundation::URL startUrl_;
    std::optional<uikit::UIColor> navigationColor_;
};

// Shared by both variants of the scene.
namespace navigationscene {

// After a commit: the back button's state first, then the page's host in the bar.
void presentCommittedPage(NavigationBaseWebViewPresenterProtocol& presenter, webkit::WKWebView& webView);
// Every registered VYDWebViewDelegateProtocol delegate hears webViewReject once.
void notifyWebViewReject(const DelegateManagerProtocol& delegateManager);

} // namespace navigationscene

} // namespace vyd
