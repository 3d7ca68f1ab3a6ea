#pragma once
// What the sign-in roads share to follow a web page as a user would.

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/webkit/WKWebView.hpp"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace hostapp {

// Runs the main queue (pages arrive from the network) until `done`; says so when it never came.
inline bool waitFor(const std::function<bool()>& done, const char* what) {
    constexpr double pageBound = 15; // seconds; only reached when something is broken
    if (foundation::RunLoop::main().runUntil(done, pageBound)) {
        return true;
    }
    std::printf("  (gave up waiting for %s)\n", what);
    return false;
}

// The web view the user sees inside `view`.
inline std::shared_ptr<webkit::WKWebView> findWebView(const std::shared_ptr<uikit::UIView>& view) {
    if (auto webView = std::dynamic_pointer_cast<webkit::WKWebView>(view)) {
        return webView;
    }
    for (const auto& subview : view->subviews()) {
        if (auto webView = findWebView(subview)) {
            return webView;
        }
    }
    return nullptr;
}

// Waits for the page with that title to have loaded and prints where the user is.
inline bool waitForPage(webkit::WKWebView& webView, const std::string& title) {
    const bool loaded =
        waitFor([&] { return !webView.isLoading() && webView.title() == title && webView.url(); }, title.c_str());
    if (loaded) {
        std::printf("  page \"%s\" at %s\n", title.c_str(), webView.url()->path().c_str());
    }
    return loaded;
}

} // namespace hostapp
