#pragma once
// How the parts of the full-screen authorization web scene see each other. The controller holds
// the interactor, the router and the view; the interactor holds the presenter; the presenter and
// the router hold the controller weakly, so the scene lives exactly as long as its controller.
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLAuthenticationChallenge.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/webkit/WKNavigationDelegate.hpp"
#include "platform/webkit/WKUIDelegate.hpp"

#include <functional>
#include <memory>
#include <optional>

namespace webkit {
class WKWebView;
}

namespace vyd {

// Whether the URL's text ends with the catalogue's PDF suffix (".pdf", case-sensitive): how the
// scene tells a PDF document from a page.
bool isPDFPageURL(const foundation::URL& url);

// What the view shows over the page.
struct OTPWebViewViewModel {
    bool errorViewIsHidden = true;
    bool spinnerViewIsHidden = false;
    bool isPDFPage = false;

    friend bool operator==(const OTPWebViewViewModel&, const OTPWebViewViewModel&) = default;
};

// The view's listener: the header's and the error area's buttons. It also serves the web view
// as its navigation and UI delegate.
class OTPWebViewDelegateProtocol : public webkit::WKNavigationDelegate, public webkit::WKUIDelegate {
public:
    virtual void backButtonPressed() = 0;
    virtual void doneButtonPressed() = 0;
    virtual void reloadButtonPressed() = 0;
    // Asked each time the header is built.
    virtual bool shouldShowBackButton() = 0;
};

// The view as the controller sees it. Implementations are views (the controller shows them).
class OTPWebViewProtocol {
public:
    virtual ~OTPWebViewProtocol() = default;

    virtual std::shared_ptr<webkit::WKWebView> webView() = 0;
    // Builds the hierarchy once; the delegate is held weakly.
    virtual void setupView(const std::shared_ptr<OTPWebViewDelegateProtocol>& delegate) = 0;
    virtual void updateUI(const OTPWebViewViewModel& viewModel) = 0;
};

// The controller as the presenter sees it.
class OTPWebViewControllerProtocol {
public:
    virtual ~OTPWebViewControllerProtocol() = default;

    virtual void openDeeplink(const foundation::URL& url) = 0;
    virtual void closeViewController() = 0;
    virtual void updateViewModel(const OTPWebViewViewModel& viewModel) = 0;
    // Goes to the first page of the web view's back list with this URL; nothing when none has it.
    virtual void openBackListPage(const foundation::URL& url) = 0;
    virtual void openSafariViewController(const foundation::URL& url,
                                          const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual bool shouldShowBackButton() = 0;
};

// The presenter as the interactor sees it. Main thread.
class OTPWebViewPresenterProtocol {
public:
    virtual ~OTPWebViewPresenterProtocol() = default;

    virtual void presentSafariViewController(const foundation::URL& url,
                                             const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual void presentDeeplink(const foundation::URL& url) = 0;
    // Shows the loading state and loads the URL.
    virtual void loadStartWebView(webkit::WKWebView& webView, const foundation::URL& url) = 0;
    virtual void prepareForAuthWebPage() = 0;
    virtual void prepareForPDFWebPage() = 0;
    virtual void prepareForFinish() = 0;
    virtual void prepareForError() = 0;
    virtual void presentBackListPage(const foundation::URL& url) = 0;
    virtual void shouldCloseViewController() = 0;
};

// The interactor as the controller sees it. Called on the main thread.
class OTPWebViewInteractorProtocol {
public:
    using PolicyCompletion = std::function<void(webkit::WKNavigationActionPolicy)>;

    virtual ~OTPWebViewInteractorProtocol() = default;

    virtual void loadStartPage(webkit::WKWebView& webView) = 0;
    // Returns at once; the handler is called later, from a worker thread.
    virtual void didReceiveChallenge(const std::optional<foundation::URL>& url,
                                     const foundation::URLAuthenticationChallenge& challenge,
                                     foundation::URLAuthenticationChallengeHandler completionHandler) = 0;
    virtual void decidePolicyFor(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                                 PolicyCompletion completion) = 0;
    virtual void didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>& navigation) = 0;
    virtual void didFailProvisionalNavigation(webkit::WKWebView& webView,
                                              const std::shared_ptr<webkit::WKNavigation>& navigation,
                                              const foundation::Error& error) = 0;
    virtual void didFinish(const std::optional<foundation::URL>& url) = 0;
    virtual void reloadButtonInteracted() = 0;
    virtual void closeButtonInteracted() = 0;
    virtual void backButtonInteracted() = 0;
};

// The router as the controller sees it. Main thread.
class OTPWebViewRouterProtocol {
public:
    virtual ~OTPWebViewRouterProtocol() = default;

    virtual void routeToSafariViewController(const foundation::URL& url,
                                             const std::optional<uikit::UIColor>& navigationColor) = 0;
    virtual void routeToDeeplink(const foundation::URL& url) = 0;
    virtual void closeViewController() = 0;
    virtual void closeSafaViewController() = 0;
};

} // namespace vyd
