#pragma once

#include "platform/foundation/Error.hpp"
#include "platform/foundation/URLAuthenticationChallenge.hpp"
#include "platform/webkit/WKNavigation.hpp"
#include "platform/webkit/WKNavigationAction.hpp"
#include "platform/webkit/WKNavigationResponse.hpp"

#include <functional>
#include <memory>

namespace webkit {

class WKWebView;

// What a web view tells and asks about its navigations, always on the main thread. Every member
// is optional: the defaults allow, handle challenges by default and ignore the rest.
//
// For one navigation, in order: decidePolicyForNavigationAction; didStartProvisionalNavigation
// once allowed; for HTTPS, didReceiveAuthenticationChallenge before any request byte is sent;
// for each server redirect decidePolicyForNavigationAction again and, once allowed,
// didReceiveServerRedirectForProvisionalNavigation; decidePolicyForNavigationResponse;
// didCommitNavigation; didFinishNavigation. A failure before the commit ends it with
// didFailProvisionalNavigation. A cancelled first policy ends it with no further call.
class WKNavigationDelegate {
public:
    using ActionDecisionHandler = std::function<void(WKNavigationActionPolicy)>;
    using ResponseDecisionHandler = std::function<void(WKNavigationResponsePolicy)>;
    using NavigationPointer = std::shared_ptr<WKNavigation>;

    virtual ~WKNavigationDelegate() = default;

    // The handlers may be called later and from any thread; a navigation whose handler is never
    // called stays pending until another navigation replaces it.
    virtual void decidePolicyForNavigationAction(WKWebView& webView, const WKNavigationAction& navigationAction,
                                                 ActionDecisionHandler decisionHandler) {
        decisionHandler(WKNavigationActionPolicy::allow);
    }
    virtual void decidePolicyForNavigationResponse(WKWebView& webView, const WKNavigationResponse& navigationResponse,
                                                   ResponseDecisionHandler decisionHandler) {
        decisionHandler(WKNavigationResponsePolicy::allow);
    }
    // The handler may be called later and from any thread; until then the connection waits.
    virtual void didReceiveAuthenticationChallenge(WKWebView& webView,
                                                   const foundation::URLAuthenticationChallenge& challenge,
                                                   foundation::URLAuthenticationChallengeHandler completionHandler) {
        completionHandler(foundation::URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
    }
    virtual void didStartProvisionalNavigation(WKWebView& webView, const NavigationPointer& navigation) {}
    virtual void didReceiveServerRedirectForProvisionalNavigation(WKWebView& webView,
                                                                  const NavigationPointer& navigation) {}
    virtual void didFailProvisionalNavigation(WKWebView& webView, const NavigationPointer& navigation,
                                              const foundation::Error& error) {}
    virtual void didCommitNavigation(WKWebView& webView, const NavigationPointer& navigation) {}
    virtual void didFinishNavigation(WKWebView& webView, const NavigationPointer& navigation) {}
};

} // namespace webkit
