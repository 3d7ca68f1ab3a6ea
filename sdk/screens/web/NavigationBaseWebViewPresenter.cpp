#include "sdk/screens/web/NavigationBaseWebViewPresenter.hpp"

#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

void loadPage(webkit::WKWebView& webView, const foundation::URL& url) {
    webView.load(foundation::URLRequest(url, foundation::URLRequestCachePolicy::useProtocolCachePolicy, 60));
}

void NavigationBaseWebViewPresenter::presentSafariViewController(const foundation::URL& url,
                                                                 const std::optional<uikit::UIColor>& navigationColor) {
    if (auto controller = viewController()) {
        controller->openSafariViewController(url, navigationColor);
    }
}

void NavigationBaseWebViewPresenter::presentDeeplink(const foundation::URL& url) {
    if (auto controller = viewController()) {
        controller->openDeeplink(url);
    }
}

void NavigationBaseWebViewPresenter::presentWebPage(webkit::WKWebView& webView) {
    if (auto controller = viewController()) {
        webView.canGoBack() ? controller->showBackButton() : controller->hideBackButton();
    }
}

void NavigationBaseWebViewPresenter::showHost(const std::optional<std::string>& host) {
    if (auto controller = viewController()) {
        controller->setTitle(L10n::Ui::Common::vyIdB64(), host);
    }
}

void NavigationBaseWebViewPresenter::loadWebView(webkit::WKWebView& webView, const foundation::URL& url) {
    Logger::log(L10n::Logs::openWithWebViewValue(url.absoluteString()));
    if (!viewController()) {
        return;
    }
    showHost(url.host());
    loadPage(webView, url);
}

void NavigationBaseWebViewPresenter::updateNavigationBar(const std::optional<std::string>& pageHost) {
    showHost(pageHost);
}

void NavigationBaseWebViewPresenter::shouldDismiss() {
    if (auto controller = viewController()) {
        controller->closeViewController();
    }
}

} // namespace vyd
