#pragma once

#include "platform/foundation/Dispatch.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "support/TestServer.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace webtest {

using namespace webkit;
using foundation::URL;
using foundation::URLRequest;

inline constexpr double loadBound = 15; // seconds; only reached when something is broken

inline URLRequest requestFor(const std::string& text) { return URLRequest(URL::string(text).value()); }

inline testsupport::TestResponse page(const std::string& title, const std::string& body = {}) {
    return {200, "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>", "text/html", {}};
}

// Serves at "/<name>" a page titled <name> for each name.
inline void servePages(testsupport::TestServer& server, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        server.handle("GET", std::string("/") + name,
                      [title = std::string(name)](const testsupport::TestRequest&) { return page(title); });
    }
}

inline const char* typeName(WKNavigationType type) {
    switch (type) {
    case WKNavigationType::linkActivated:
        return "link";
    case WKNavigationType::formSubmitted:
        return "form";
    case WKNavigationType::backForward:
        return "backForward";
    default:
        return "other";
    }
}

// Writes down every call of the navigation delegate, as "policy <type> <url>", "start",
// "redirect", "challenge <host>", "response <status>", "commit", "finish", "fail <domain>
// <code>". Policies are answered by `decideAction` (allow at once unless set) and challenges by
// `answerChallenge` (default handling unless set).
class RecordingDelegate : public WKNavigationDelegate {
public:
    std::vector<std::string> calls;
    std::vector<WKNavigationAction> actions;
    std::vector<foundation::Error> errors;
    bool onMainThreadOnly = true;

    std::function<void(const WKNavigationAction&, ActionDecisionHandler)> decideAction;
    std::function<void(const foundation::URLAuthenticationChallenge&, foundation::URLAuthenticationChallengeHandler)>
        answerChallenge;

    bool ended() const { return !calls.empty() && (calls.back() == "finish" || calls.back().rfind("fail", 0) == 0); }
    // Runs the main queue until the navigation under way finishes or fails.
    void waitForEnd() {
        EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return ended(); }, loadBound))
            << "the navigation never ended";
    }
    void clear() {
        calls.clear();
        actions.clear();
        errors.clear();
    }

    void decidePolicyForNavigationAction(WKWebView&, const WKNavigationAction& action,
                                         ActionDecisionHandler decisionHandler) override {
        note("policy " + std::string(typeName(action.navigationType())) + " " + action.request().url.absoluteString());
        actions.push_back(action);
        if (decideAction) {
            decideAction(action, std::move(decisionHandler));
        } else {
            decisionHandler(WKNavigationActionPolicy::allow);
        }
    }
    void decidePolicyForNavigationResponse(WKWebView&, const WKNavigationResponse& response,
                                           ResponseDecisionHandler decisionHandler) override {
        note("response " + std::to_string(response.response().statusCode()));
        decisionHandler(WKNavigationResponsePolicy::allow);
    }
    void didReceiveAuthenticationChallenge(WKWebView&, const foundation::URLAuthenticationChallenge& challenge,
                                           foundation::URLAuthenticationChallengeHandler completionHandler) override {
        note("challenge " + challenge.protectionSpace().host());
        if (answerChallenge) {
            answerChallenge(challenge, std::move(completionHandler));
        } else {
            completionHandler(foundation::URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
        }
    }
    void didStartProvisionalNavigation(WKWebView&, const NavigationPointer&) override { note("start"); }
    void didReceiveServerRedirectForProvisionalNavigation(WKWebView&, const NavigationPointer&) override {
        note("redirect");
    }
    void didFailProvisionalNavigation(WKWebView&, const NavigationPointer&, const foundation::Error& error) override {
        note("fail " + error.domain + " " + std::to_string(error.code));
        errors.push_back(error);
    }
    void didCommitNavigation(WKWebView&, const NavigationPointer&) override { note("commit"); }
    void didFinishNavigation(WKWebView&, const NavigationPointer&) override { note("finish"); }

private:
    void note(std::string call) {
        onMainThreadOnly = onMainThreadOnly && foundation::isMainThread();
        calls.push_back(std::move(call));
    }
};

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        webView = WKWebView::make();
        delegate = std::make_shared<RecordingDelegate>();
        webView->setNavigationDelegate(delegate);
    }

    // Starts a navigation with `start` and waits for its end; the calls of this navigation only.
    std::vector<std::string> navigate(const std::function<void()>& start) {
        delegate->clear();
        start();
        delegate->waitForEnd();
        return delegate->calls;
    }
    std::vector<std::string> loadAndWait(const URLRequest& request) {
        return navigate([&] { webView->load(request); });
    }
    std::vector<std::string> loadAndWait(const std::string& url) { return loadAndWait(requestFor(url)); }

    std::shared_ptr<WKWebView> webView;
    std::shared_ptr<RecordingDelegate> delegate;
};

} // namespace webtest
