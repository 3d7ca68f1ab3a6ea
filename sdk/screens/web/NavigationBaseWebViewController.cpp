#include "sdk/screens/web/NavigationBaseWebViewController.hpp"

#include "platform/foundation/FatalError.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/uikit/UIKeyboard.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/webkit/WKWebView.hpp"

namespace vyd {

NavigationBaseWebViewController::NavigationBaseWebViewController(
    std::shared_ptr<NavigationBaseWebViewInteractorProtocol> interactor,
    std::shared_ptr<NavigationBaseWebViewRouterProtocol> router,
    std::shared_ptr<NavigationBaseWebViewProtocol> contentView)
    : interactor_(std::move(interactor)), router_(std::move(router)), contentView_(std::move(contentView)) {}

void NavigationBaseWebViewController::loadView() {
    auto view = std::dynamic_pointer_cast<uikit::UIView>(contentView_);
    if (!view) {
        foundation::fatalError("The content view of NavigationBaseWebViewController is not a view");
    }
    setView(std::move(view));
}

void NavigationBaseWebViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    auto self = std::static_pointer_cast<NavigationBaseWebViewController>(shared_from_this());
    contentView_->setupView(self);
    auto webView = contentView_->webView();
    webView->setNavigationDelegate(self);
    webView->setUIDelegate(self);
    interactor_->loadStartPage(*webView);
}

void NavigationBaseWebViewController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    auto& center = foundation::NotificationCenter::defaultCenter();
    auto self = std::static_pointer_cast<NavigationBaseWebViewController>(shared_from_this());
    center.addObserver<NavigationBaseWebViewController>(
        self, uikit::UIKeyboard::willShowNotification, nullptr,
        [](NavigationBaseWebViewController& controller, const foundation::Notification&) {
            controller.keyboardAdjustOffset_ = controller.contentView_->webView()->scrollView()->contentOffset();
        });
    center.addObserver<NavigationBaseWebViewController>(
        self, uikit::UIKeyboard::willHideNotification, nullptr,
        [](NavigationBaseWebViewController& controller, const foundation::Notification&) {
            controller.contentView_->webView()->scrollView()->setContentOffset(controller.keyboardAdjustOffset_, false);
        });
}

void NavigationBaseWebViewController::viewWillDisappear(bool animated) {
    UIViewController::viewWillDisappear(animated);
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.removeObserver(this, uikit::UIKeyboard::willShowNotification);
    center.removeObserver(this, uikit::UIKeyboard::willHideNotification);
}

void NavigationBaseWebViewController::showBackButton() { contentView_->showBackButton(); }

void NavigationBaseWebViewController::hideBackButton() { contentView_->hideBackButton(); }

void NavigationBaseWebViewController::setTitle(const std::optional<std::string>& title,
                                               const std::optional<std::string>& subtitle) {
    contentView_->setTitle(title, subtitle);
}

void NavigationBaseWebViewController::openSafariViewController(const foundation::URL& url,
                                                               const std::optional<uikit::UIColor>& navigationColor) {
    router_->routeToSafariViewController(url, navigationColor);
}

void NavigationBaseWebViewController::openDeeplink(const foundation::URL& url) { router_->routeToDeeplink(url); }

void NavigationBaseWebViewController::closeViewController() { router_->closeViewController(); }

void NavigationBaseWebViewController::closeButtonPressed() {
    router_->closeViewController();
    interactor_->closeButtonInteracted();
}

void NavigationBaseWebViewController::backButtomPressed() { contentView_->webView()->goBack(); }

void NavigationBaseWebViewController::decidePolicyForNavigationAction(
    webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
    ActionDecisionHandler decisionHandler) {
    interactor_->decidePolicyFor(webView, navigationAction, std::move(decisionHandler));
}

void NavigationBaseWebViewController::didReceiveAuthenticationChallenge(
    webkit::WKWebView& webView, const foundation::URLAuthenticationChallenge& challenge,
    foundation::URLAuthenticationChallengeHandler completionHandler) {
    interactor_->didReceiveChallenge(webView.url(), challenge, std::move(completionHandler));
}

void NavigationBaseWebViewController::didCommitNavigation(webkit::WKWebView& webView,
                                                          const NavigationPointer& navigation) {
    interactor_->didCommit(webView, navigation);
}

std::shared_ptr<webkit::WKWebView> NavigationBaseWebViewController::createWebViewWithConfiguration(
    webkit::WKWebView& webView, const webkit::WKWebViewConfiguration&,
    const webkit::WKNavigationAction& navigationAction, const webkit::WKWindowFeatures&) {
    if (!navigationAction.targetFrame()) {
        webView.load(navigationAction.request());
    }
    return nullptr;
}

} // namespace vyd
