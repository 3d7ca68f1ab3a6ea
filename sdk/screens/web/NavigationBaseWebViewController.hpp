#pragma once
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>

namespace vyd {

// The view controller of the navigation web scene, for both variants. Its view is the scene's
// view; it serves as the web view's navigation and UI delegate and as the view's delegate, and
// forwards every decision to the interactor. It holds the interactor, the router and the view.
// Main thread.
class NavigationBaseWebViewController : public uikit::UIViewController,
                                        public NavigationBaseWebViewControllerProtocol,
                                        public NavigationBaseWebViewDelegateProtocol {
public:
    // `contentView` is a view (a NavigationBaseWebView).
    static std::shared_ptr<NavigationBaseWebViewController>
    make(std::shared_ptr<NavigationBaseWebViewInteractorProtocol> interactor,
         std::shared_ptr<NavigationBaseWebViewRouterProtocol> router,
         std::shared_ptr<NavigationBaseWebViewProtocol> contentView) {
        return create<NavigationBaseWebViewController>(std::move(interactor), std::move(router),
                                                       std::move(contentView));
    }

    // Public so that `create` can reach it; make the controller with `make`.
    NavigationBaseWebViewController(std::shared_ptr<NavigationBaseWebViewInteractorProtocol> interactor,
                                    std::shared_ptr<NavigationBaseWebViewRouterProtocol> router,
                                    std::shared_ptr<NavigationBaseWebViewProtocol> contentView);

    std::string className() const override { return "NavigationBaseWebViewController"; }

    const std::shared_ptr<NavigationBaseWebViewInteractorProtocol>& interactor() const { return interactor_; }
    const std::shared_ptr<NavigationBaseWebViewRouterProtocol>& router() const { return router_; }
    const std::shared_ptr<NavigationBaseWebViewProtocol>& contentView() const { return contentView_; }
    // Where the page was scrolled when the keyboard last appeared.
    coregraphics::CGPoint keyboardAdjustOffset() const { return keyboardAdjustOffset_; }

    void loadView() override;
    // Sets the view up, becomes the web view's delegates and loads the start page.
    void viewDidLoad() override;
    // While the scene shows, a hidden keyboard puts the page back where it was scrolled.
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // NavigationBaseWebViewControllerProtocol
    void showBackButton() override;
    void hideBackButton() override;
    void setTitle(const std::optional<std::string>& title, const std::optional<std::string>& subtitle) override;
    void openSafariViewController(const foundation::URL& url,
                                  const std::optional<uikit::UIColor>& navigationColor) override;
    void openDeeplink(const foundation::URL& url) override;
    void closeViewController() override;

    // NavigationBaseWebViewDelegateProtocol: the scene closes first, then the delegates hear of it.
    void closeButtonPressed() override;
    void backButtomPressed() override;

    // WKNavigationDelegate
    void decidePolicyForNavigationAction(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                                         ActionDecisionHandler decisionHandler) override;
    void didReceiveAuthenticationChallenge(webkit::WKWebView& webView,
                                           const foundation::URLAuthenticationChallenge& challenge,
                                           foundation::URLAuthenticationChallengeHandler completionHandler) override;
    void didCommitNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation) override;

    // WKUIDelegate: a page's new window opens in this same web view; no second web view is made.
    std::shared_ptr<webkit::WKWebView>
    createWebViewWithConfiguration(webkit::WKWebView& webView, const webkit::WKWebViewConfiguration& configuration,
                                   const webkit::WKNavigationAction& navigationAction,
                                   const webkit::WKWindowFeatures& windowFeatures) override;

private:
    std::shared_ptr<NavigationBaseWebViewInteractorProtocol> interactor_;
    std::shared_ptr<NavigationBaseWebViewRouterProtocol> router_;
    std::shared_ptr<NavigationBaseWebViewProtocol> contentView_;
    coregraphics::CGPoint keyboardAdjustOffset_{};
};

} // namespace vyd
