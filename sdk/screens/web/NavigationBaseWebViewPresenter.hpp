#pragma once
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>

namespace vyd {

// Turns the interactor's requests into calls on the controller (title, back button, loading).
// Holds the controller weakly; every member does nothing once it is gone.
class NavigationBaseWebViewPresenter : public NavigationBaseWebViewPresenterProtocol {
public:
    std::shared_ptr<NavigationBaseWebViewControllerProtocol> viewController() const override {
        return viewController_.lock();
    }
    void setViewController(const std::shared_ptr<NavigationBaseWebViewControllerProtocol>& controller) override {
        viewController_ = controller;
    }
    void presentSafariViewController(const foundation::URL& url,
                                     const std::optional<uikit::UIColor>& navigationColor) override;
    void presentDeeplink(const foundation::URL& url) override;
    void presentWebPage(webkit::WKWebView& webView) override;
    // Shows the URL's host in the bar and loads it (default cache policy, 60 s time-out).
    void loadWebView(webkit::WKWebView& webView, const foundation::URL& url) override;
    void updateNavigationBar(const std::optional<std::string>& pageHost) override;
    void shouldDismiss() override;

protected:
    // The bar's title for a page: the scene title with the host of the page.
    void showHost(const std::optional<std::string>& host);

private:
    std::weak_ptr<NavigationBaseWebViewControllerProtocol> viewController_;
};

// Loads a page in the web view as both presenters do: default cache policy, 60 s time-out.
void loadPage(webkit::WKWebView& webView, const foundation::URL& url);

} // namespace vyd
