#include "sdk/screens/web/NavigationELKLiteWebViewPresenter.hpp"

#include "platform/webkit/WKWebView.hpp"

namespace vyd {

void NavigationELKLiteWebViewPresenter::presentWebPage(webkit::WKWebView& webView) {
    if (loadWebViewConter_ == 2 && isNeedToSave_) {
        partnerStartPage_ = webView.url();
        isNeedToSave_ = false;
    }
    const auto controller = viewController();
    if (!controller) {
        return;
    }
    const bool onOrBeforeStartPage = !partnerStartPage_ || webView.url() == partnerStartPage_;
    if (!onOrBeforeStartPage && webView.canGoBack()) {
        controller->showBackButton();
    } else {
        controller->hideBackButton();
    }
}

void NavigationELKLiteWebViewPresenter::loadWebView(webkit::WKWebView& webView, const foundation::URL& url) {
    if (++loadWebViewConter_ == 2) {
        isNeedToSave_ = true;
    }
    showHost(url.host());
    loadPage(webView, url);
}

} // namespace vyd
