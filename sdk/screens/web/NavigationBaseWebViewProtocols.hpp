#pragma once
// How the parts of the navigation web scene (partner and personal-account pages in a panel) see
// each other. The controller holds the interactor, the router and the view; the interactor holds
// the presenter; the presenter and the router hold the controller weakly, so the scene lives
// exactly as long as its controller. Both variants (base and ELK-lite) share these protocols.
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLAuthenticationChallenge.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/webkit/WKNavigationDelegate.hpp"
#include "platform/webkit/WKUIDelegate.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace webkit {
class WKWebView;
}

namespace vyd {

class NavigationBaseWebViewDataSourceProtocol {
public:
    virtual ~NavigationBaseWebViewDataSourceProtocol() = default;
    virtual std::optional<uikit::UIColor> navigationColor() const = 0;
};

// The controller as the presenter sees it. Main thread.
class NavigationBaseWebViewControllerProtocol {
public:
    virtual ~NavigationBaseWebViewControllerProtocol() = default;

    virtual void showBackButton() = 0;
    virtual void hideBackButton() = 0;
    virtual void setTitle(const std::optional<std::string>& title, const std::optional<std::string>& subtitle) = 0;
    virtual void openSafariViewController(const foundation::URL& url,
                                          const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual void openDeeplink(const foundation::URL& url) = 0;
    virtual void closeViewController() = 0;
};

// The presenter as the interactor sees it. Main thread; every member does nothing once the
// controller is gone.
class NavigationBaseWebViewPresenterProtocol {
public:
    virtual ~NavigationBaseWebViewPresenterProtocol() = default;

    virtual std::shared_ptr<NavigationBaseWebViewControllerProtocol> viewController() const = 0;
    // Held weakly.
    virtual void setViewController(const std::shared_ptr<NavigationBaseWebViewControllerProtocol>& controller) = 0;
    virtual void presentSafariViewController(const foundation::URL& url,
                                             const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual void presentDeeplink(const foundation::URL& url) = 0;
    // Shows or hides the back button after a committed page.
    virtual void presentWebPage(webkit::WKWebView& webView) = 0;
    virtual void loadWebView(webkit::WKWebView& webView, const foundation::URL& url) = 0;
    virtual void updateNavigationBar(const std::optional<std::string>& pageHost) = 0;
    virtual void shouldDismiss() = 0;
};

// The interactor as the controller sees it: what decides. Main thread, but for the challenge's
// handler, which is called from a worker thread.
class NavigationBaseWebViewInteractorProtocol : public NavigationBaseWebViewDataSourceProtocol {
public:
    using PolicyCompletion = std::function<void(webkit::WKNavigationActionPolicy)>;

    virtual void loadStartPage(webkit::WKWebView& webView) = 0;
    // Returns at once. `url` is the web view's current URL, not necessarily the one loading.
    virtual void didReceiveChallenge(const std::optional<foundation::URL>& url,
                                     const foundation::URLAuthenticationChallenge& challenge,
                                     foundation::URLAuthenticationChallengeHandler completionHandler) = 0;
    virtual void decidePolicyFor(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                                 PolicyCompletion completion) = 0;
    virtual void didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>& navigation) = 0;
    virtual void closeButtonInteracted() = 0;
};

// The view's listener: its bar buttons. It also serves the web view as its delegates.
class NavigationBaseWebViewDelegateProtocol : public webkit::WKNavigationDelegate, public webkit::WKUIDelegate {
public:
    virtual void closeButtonPressed() = 0;
    virtual void backButtomPressed() = 0;
};

// The view as the controller sees it. Implementations are views.
class NavigationBaseWebViewProtocol {
public:
    virtual ~NavigationBaseWebViewProtocol() = default;

    virtual std::shared_ptr<webkit::WKWebView> webView() = 0;
    // Builds the hierarchy once; the delegate (a view controller) is held weakly.
    virtual void setupView(const std::shared_ptr<NavigationBaseWebViewDelegateProtocol>& delegate) = 0;
    // Only `subtitle` is shown: the bar carries the page's host alone.
    virtual void setTitle(const std::optional<std::string>& title, const std::optional<std::string>& subtitle) = 0;
    virtual void hideBackButton() = 0;
    virtual void showBackButton() = 0;
};

// The router as the controller sees it. Main thread.
class NavigationBaseWebViewRouterProtocol {
public:
    virtual ~NavigationBaseWebViewRouterProtocol() = default;

    virtual void routeToSafariViewController(const foundation::URL& url,
                                             const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual void routeToDeeplink(const foundation::URL& url) = 0;
    virtual void closeViewController() = 0;
};

} // namespace vyd
