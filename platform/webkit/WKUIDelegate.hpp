#pragma once

#include "platform/webkit/WKNavigationAction.hpp"
#include "platform/webkit/WKWebViewConfiguration.hpp"

#include <memory>

namespace webkit {

class WKWebView;

struct WKWindowFeatures {};

// The web view's user-interface questions, on the main thread.
class WKUIDelegate {
public:
    virtual ~WKUIDelegate() = default;

    // A page asks for a new window (a link with target "_blank"); the action has no target
    // frame. A web view returned loads the action's request; none (the default) opens nothing.
    virtual std::shared_ptr<WKWebView> createWebViewWithConfiguration(WKWebView& webView,
                                                                      const WKWebViewConfiguration& configuration,
                                                                      const WKNavigationAction& navigationAction,
                                                                      const WKWindowFeatures& windowFeatures) {
        return nullptr;
    }
};

} // namespace webkit
