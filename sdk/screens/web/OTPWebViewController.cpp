#include "sdk/screens/web/OTPWebViewController.hpp"

#include "platform/foundation/FatalError.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/webkit/WKWebView.hpp"

namespace vyd {

OTPWebViewController::OTPWebViewController(std::shared_ptr<OTPWebViewInteractorProtocol> interactor,
                                           std::shared_ptr<OTPWebViewRouterProtocol> router,
                                           std::shared_ptr<OTPWebViewProtocol> contentView)
    : interactor_(std::move(interactor)), router_(std::move(router)), contentView_(std::move(contentView)) {}

void OTPWebViewController::loadView() {
    auto view = std::dynamic_pointer_cast<uikit::UIView>(contentView_);
    if (!view) {
        foundation::fatalError("The content view of OTPWebViewController is not a view");
    }
    setView(std::move(view));
}

void OTPWebViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    auto self = std::static_pointer_cast<OTPWebViewController>(shared_from_this());
    contentView_->setupView(self);
    auto webView = contentView_->webView();
    webView->setNavigationDelegate(self);
    webView->setUIDelegate(self);
    view()->setBackgroundColor(uikit::UIColor::systemGroupedBackground());
    interactor_->loadStartPage(*webView);
}

void OTPWebViewController::openDeeplink(const foundation::URL& url) { router_->routeToDeeplink(url); }

void OTPWebViewController::closeViewController() { router_->closeViewController(); }

void OTPWebViewController::updateViewModel(const OTPWebViewViewModel& viewModel) { contentView_->updateUI(viewModel); }

void OTPWebViewController::openBackListPage(const foundation::URL& url) {
    auto webView = contentView_->webView();
    for (const auto& item : webView->backForwardList().backList()) {
        if (item->url() == url) {
            webView->go(item);
            return;
        }
    }
}

void OTPWebViewController::openSafariViewController(const foundation::URL& url,
                                                    const std::optional<uikit::UIColor>& navigationColor) {
    router_->routeToSafariViewController(url, navigationColor);
}

bool OTPWebViewController::shouldShowBackButton() {
    const auto webView = contentView_->webView();
    if (webView->backForwardList().backList().empty()) {
        return false;
    }
    const auto& url = webView->url();
    return !url || !isPDFPageURL(*url);
}

void OTPWebViewController::backButtonPressed() { interactor_->backButtonInteracted(); }

void OTPWebViewController::doneButtonPressed() { interactor_->closeButtonInteracted(); }

void OTPWebViewController::reloadButtonPressed() {
    interactor_->reloadButtonInteracted();
    interactor_->loadStartPage(*contentView_->webView());
}

void OTPWebViewController::decidePolicyForNavigationAction(webkit::WKWebView& webView,
                                                           const webkit::WKNavigationAction& navigationAction,
                                                           ActionDecisionHandler decisionHandler) {
    interactor_->decidePolicyFor(webView, navigationAction, std::move(decisionHandler));
}

void OTPWebViewController::didReceiveAuthenticationChallenge(
    webkit::WKWebView& webView, const foundation::URLAuthenticationChallenge& challenge,
    foundation::URLAuthenticationChallengeHandler completionHandler) {
    interactor_->didReceiveChallenge(webView.url(), challenge, std::move(completionHandler));
}

void OTPWebViewController::didCommitNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation) {
    interactor_->didCommit(webView, navigation);
}

void OTPWebViewController::didFailProvisionalNavigation(webkit::WKWebView& webView, const NavigationPointer& navigation,
                                                        const foundation::Error& error) {
    interactor_->didFailProvisionalNavigation(webView, navigation, error);
}

void OTPWebViewController::didFinishNavigation(webkit::WKWebView& webView, const NavigationPointer&) {
    interactor_->didFinish(webView.url());
}

std::shared_ptr<webkit::WKWebView>
OTPWebViewController::createWebViewWithConfiguration(webkit::WKWebView& webView, const webkit::WKWebViewConfiguration&,
                                                     const webkit::WKNavigationAction& navigationAction,
                                                     const webkit::WKWindowFeatures&) {
    if (!navigationAction.targetFrame()) {
        webView.load(navigationAction.request());
    }
    return nullptr;
}

void OTPWebViewController::safariViewControllerDidFinish(safariservices::SFSafariViewController&) {
    router_->closeSafaViewController();
}

} // namespace vyd
