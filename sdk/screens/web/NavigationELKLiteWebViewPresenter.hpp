#pragma once
#include "sdk/screens/web/NavigationBaseWebViewPresenter.hpp"

#include <optional>

namespace vyd {

// The ELK-lite relogin's presenter: it counts its loads so that the first page committed after
// the partner's address (the second load) becomes the partner's start page, from which the back
// button never leads back into the bank's pages. The rest is the base presenter's.
class NavigationELKLiteWebViewPresenter : public NavigationBaseWebViewPresenter {
public:
    const std::optional<foundation::URL>& partnerStartPage() const { return partnerStartPage_; }
    int loadWebViewConter() const { return loadWebViewConter_; }
    bool isNeedToSave() const { return isNeedToSave_; }

    // Hides the back button before the partner's start page and on it; elsewhere shows it when
    // the web view can go back.
    void presentWebPage(webkit::WKWebView& webView) override;
    // Counts the load, shows the host when the controller is there, and loads in any case.
    void loadWebView(webkit::WKWebView& webView, const foundation::URL& url) override;

private:
    std::optional<foundation::URL> partnerStartPage_;
    int loadWebViewConter_ = 0;
    bool isNeedToSave_ = false;
};

} // namespace vyd
