#pragma once
#include "platform/foundation/NSKeyValueObservation.hpp"
#include "platform/uikit/UIView.hpp"
#include "sdk/screens/web/NavigationBaseWebViewProtocols.hpp"

#include <memory>
#include <optional>

namespace uikit {
class UIBarButtonItem;
class UIImage;
class UIProgressView;
} // namespace uikit

namespace vyd {

// The navigation web scene's view: the web view under the hosting navigation controller's bar,
// which it styles (appearance, bottom line, loading bar, close and back buttons, the page's host
// as title). The bar parts are installed only when the delegate sits in a navigation controller.
class NavigationBaseWebView : public uikit::UIView, public NavigationBaseWebViewProtocol {
public:
    static std::shared_ptr<NavigationBaseWebView> make(std::optional<uikit::UIColor> navigationColor) {
        return create<NavigationBaseWebView>(std::move(navigationColor));
    }

    // Public so that `create` can reach it; make the view with `make`.
    explicit NavigationBaseWebView(std::optional<uikit::UIColor> navigationColor);

    std::string className() const override { return "NavigationBaseWebView"; }

    std::shared_ptr<NavigationBaseWebViewDelegateProtocol> delegate() const { return delegate_.lock(); }
    const std::optional<uikit::UIColor>& navigationColor() const { return navigationColor_; }
    // Made on first use.
    std::shared_ptr<uikit::UIProgressView> progressView();
    std::shared_ptr<uikit::UIBarButtonItem> closeBarButton();
    std::shared_ptr<uikit::UIBarButtonItem> backBarButton();

    std::shared_ptr<webkit::WKWebView> webView() override;
    void setupView(const std::shared_ptr<NavigationBaseWebViewDelegateProtocol>& delegate) override;
    void setTitle(const std::optional<std::string>& title, const std::optional<std::string>& subtitle) override;
    void hideBackButton() override;
    void showBackButton() override;

private:
    std::shared_ptr<uikit::UIBarButtonItem> barButton(const std::shared_ptr<uikit::UIImage>& image,
                                                      void (NavigationBaseWebViewDelegateProtocol::*action)());
    void observeProgress();

    std::weak_ptr<NavigationBaseWebViewDelegateProtocol> delegate_;
    std::shared_ptr<foundation::NSKeyValueObservation> observerWebViewEstimatedProgress_;
    const std::optional<uikit::UIColor> navigationColor_;
    std::shared_ptr<webkit::WKWebView> webView_;
    std::shared_ptr<uikit::UIBarButtonItem> closeBarButton_;
    std::shared_ptr<uikit::UIBarButtonItem> backBarButton_;
    std::shared_ptr<uikit::UIProgressView> progressView_;
};

} // namespace vyd
