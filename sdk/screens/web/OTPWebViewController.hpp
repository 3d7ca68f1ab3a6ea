#pragma once
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/screens/web/OTPWebViewProtocols.hpp"

#include <memory>

namespace vyd {

// The view controller of the full-screen authorization web scene. Its view is the scene's view;
// it serves as the web view's navigation and UI delegate, as the view's delegate and as the
// browser view's delegate, and forwards every event to the interactor. It holds the interactor,
// the router and the view. Main thread.
class OTPWebViewController : public uikit::UIViewController,
                             public OTPWebViewControllerProtocol,
                             public OTPWebViewDelegateProtocol,
                             public safariservices::SFSafariViewControllerDelegate {
public:
    // `contentView` is a view (an OTPWebView).
    static std::shared_ptr<OTPWebViewController> make(std::shared_ptr<OTPWebViewInteractorProtocol> interactor,
                                                      std::shared_ptr<OTPWebViewRouterProtocol> router,
                                                      std::shared_ptr<OTPWebViewProtocol> contentView) {
        return create<OTPWebViewController>(std::move(interactor), std::move(router), std::move(contentView));
    }

    // Public so that `create` can reach it; make the controller with `make`.
    OTPWebViewController(std::shared_ptr<OTPWebViewInteractorProtocol> interactor,
                         std::shared_ptr<OTPWebViewRouterProtocol> router,
                         std::shared_ptr<OTPWebViewProtocol> contentView);

    std::string className() const override { return "OTPWebViewController"; }

    const std::shared_ptr<OTPWebViewInteractorProtocol>& interactor() const { return interactor_; }
    const std::shared_ptr<OTPWebViewRouterProtocol>& router() const { return router_; }
    const std::shared_ptr<OTPWebViewProtocol>& contentView() const { return contentView_; }

    void loadView() override;
    // Sets the view up, becomes the web view's delegates and loads the start page.
    void viewDidLoad() override;

    // OTPWebViewControllerProtocol
    void openDeeplink(const foundation::URL& url) override;
    void closeViewController() override;
    void updateViewModel(const OTPWebViewViewModel& viewModel) override;
    void openBackListPage(const foundation::URL& url) override;
    void openSafariViewController(const foundation::URL& url,
                                  const std::optional<uikit::UIColor>& navigationColor) override;
    // True when the web view can go back and does not show a PDF document.
    bool shouldShowBackButton() override;

    // OTPWebViewDelegateProtocol
    void backButtonPressed() override;
    void doneButtonPressed() override;
    // Always restarts at the start page.
    void reloadButtonPressed() override;

    // WKNavigationDelegate
    void decidePolicyForNavigationAction(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                                         ActionDecisionHandler decisionHandler) override;
    void didReceiveAuthenticationChallenge(webkit::WKWebView& webView,
                                           const foundation::URLAuthenticationChallenge& challenge,
                                           foundation::URLAuthenticationChallengeHandler completionHandler) override;
    void didCommitNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation) override;
    void didFailProvisionalNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation,
                                      const foundation::Error& error) override;
    void didFinishNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation) override;

    // WKUIDelegate: a page's new window opens in this same web view; no second web view is made.
    std::shared_ptr<webkit::WKWebView>
    createWebViewWithConfiguration(webkit::WKWebView& webView, const webkit::WKWebViewConfiguration& configuration,
                                   const webkit::WKNavigationAction& navigationAction,
                                   const webkit::WKWindowFeatures& windowFeatures) override;

    // SFSafariViewControllerDelegate
    void safariViewControllerDidFinish(safariservices::SFSafariViewController& controller) override;

private:
    std::shared_ptr<OTPWebViewInteractorProtocol> interactor_;
    std::shared_ptr<OTPWebViewRouterProtocol> router_;
    std::shared_ptr<OTPWebViewProtocol> contentView_;
};

} // namespace vyd
