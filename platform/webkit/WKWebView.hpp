#pragma once

// The web view: a view that loads pages through a real engine and parses them, without drawing.
//
// Loading: every navigation (load, link, form, redirect, back-forward, reload, script) first asks
// the navigation delegate for a policy; once allowed, its requests run on a worker thread over
// libcurl (HTTP and HTTPS, cookies of the configuration's data store) while every delegate call
// comes on the main thread. One navigation runs at a time: a new one cancels the one under way
// (which, once started, fails with NSURLErrorCancelled). Over HTTPS the navigation delegate
// answers the server-trust challenge before any request byte leaves. Server redirects (at most
// 20) are new navigation actions; one that the policy cancels fails the navigation with
// WebKitErrorDomain 102. A committed response moves the back-forward list, sets `url` and
// `title`, parses the HTML document for its links and forms, and raises the estimated progress
// in steps to 1.0. See WKNavigationDelegate for the order of the calls.
//
// Releasing a web view cancels its navigation; no delegate hears of it. Main thread only.

#include "platform/foundation/NSKeyValueObservation.hpp"
#include "platform/foundation/URLRequest.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/webkit/HTMLPage.hpp"
#include "platform/webkit/WKBackForwardList.hpp"
#include "platform/webkit/WKNavigation.hpp"
#include "platform/webkit/WKNavigationDelegate.hpp"
#include "platform/webkit/WKUIDelegate.hpp"
#include "platform/webkit/WKWebViewConfiguration.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace webkit {

class WKWebView : public uikit::UIView {
public:
    using NavigationPointer = std::shared_ptr<WKNavigation>;
    using ProgressHandler = std::function<void(WKWebView&, const foundation::NSKeyValueObservedChange<double>&)>;

    static std::shared_ptr<WKWebView> make(const uikit::CGRect& frame = uikit::CGRect::zero(),
                                           WKWebViewConfiguration configuration = {}) {
        return create<WKWebView>(frame, std::move(configuration));
    }

    // Public so that `create` can reach it; make web views with `make`.
    WKWebView(const uikit::CGRect& frame, WKWebViewConfiguration configuration);
    ~WKWebView() override;

    std::string className() const override { return "WKWebView"; }

    // A copy of what the web view was made with.
    const WKWebViewConfiguration& configuration() const { return configuration_; }
    const std::shared_ptr<uikit::UIScrollView>& scrollView() const { return scrollView_; }
    bool allowsBackForwardNavigationGestures() const { return allowsBackForwardGestures_; }
    void setAllowsBackForwardNavigationGestures(bool allows) { allowsBackForwardGestures_ = allows; }

    // Held weakly: whoever sets a delegate keeps it alive.
    std::shared_ptr<WKNavigationDelegate> navigationDelegate() const { return navigationDelegate_.lock(); }
    void setNavigationDelegate(const std::shared_ptr<WKNavigationDelegate>& delegate) {
        navigationDelegate_ = delegate;
    }
    std::shared_ptr<WKUIDelegate> uiDelegate() const { return uiDelegate_.lock(); }
    void setUIDelegate(const std::shared_ptr<WKUIDelegate>& delegate) { uiDelegate_ = delegate; }

    // The active URL: once a navigation has started (its policy allowed it) and until it
    // commits, the URL it is loading (a redirect's target after a redirect); otherwise the
    // committed page's, none before the first commit. A failed navigation leaves the committed
    // page's URL, as a cancelled policy never changes it.
    std::optional<foundation::URL> url() const;
    // The committed page's title; none before the first commit.
    const std::optional<std::string>& title() const { return title_; }
    bool isLoading() const;
    double estimatedProgress() const { return estimatedProgress_; }
    // Observes the estimated progress until the observation is invalidated or released.
    std::shared_ptr<foundation::NSKeyValueObservation>
    observeEstimatedProgress(foundation::NSKeyValueObservingOptions options, ProgressHandler handler);

    NavigationPointer load(const foundation::URLRequest& request);

    const WKBackForwardList& backForwardList() const { return backForwardList_; }
    bool canGoBack() const { return backForwardList_.backItem() != nullptr; }
    // None when there is nothing to go to.
    NavigationPointer goBack();
    NavigationPointer go(const WKBackForwardList::Item& to);

    // The page's side, for the simulated user: the committed HTML document as parsed (none for
    // other content), and what a user or a script does on it.
    const std::optional<HTMLPage>& page() const { return page_; }
    // A link with target "_blank" asks for a new window: the policy and then the UI delegate
    // get an action without target frame, and this web view does not navigate.
    NavigationPointer activateLink(const HTMLLink& link);
    // The form's own fields with `values` set by name (a name the form lacks is added).
    NavigationPointer submitForm(const HTMLForm& form, const std::vector<std::pair<std::string, std::string>>& values);
    // A script's `location = url`: any URL, deep links included.
    NavigationPointer navigateByScript(const foundation::URL& url);

    struct Engine; // the loading engine; its worker threads outlive the view harmlessly

protected:
    void didInit() override;

private:
    friend struct Engine;

    void setEstimatedProgress(double progress);

    WKWebViewConfiguration configuration_;
    std::shared_ptr<uikit::UIScrollView> scrollView_;
    bool allowsBackForwardGestures_ = false;
    std::weak_ptr<WKNavigationDelegate> navigationDelegate_;
    std::weak_ptr<WKUIDelegate> uiDelegate_;
    std::optional<foundation::URL> url_;
    std::optional<std::string> title_;
    std::optional<HTMLPage> page_;
    double estimatedProgress_ = 0;
    WKBackForwardList backForwardList_;

    struct ProgressObserver;
    std::vector<std::shared_ptr<ProgressObserver>> progressObservers_;
    std::unique_ptr<Engine> engine_;
};

} // namespace webkit
