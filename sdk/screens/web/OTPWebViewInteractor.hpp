#pragma once
#include "sdk/screens/web/OTPWebViewProtocols.hpp"
#include "sdk/services/AnalyticsEventAction.hpp"
#include "sdk/services/AuthNativeParams.hpp"

#include <memory>
#include <optional>
#include <vector>

namespace foundation {
struct Notification;
}

namespace vyd {

class AnalyticsParamsMakerProtocol;
class AppMethodsWrapperProtocol;
class CertificatesServiceProtocol;
class StaticStorageServiceProtocol;
class VYDWebViewDelegateProtocol;

// The logic of the full-screen authorization web scene:
// - pages on http and https load in the web view; any other URL is a deep link, handed to the
//   system to open while the web view stays where it is;
// - server trust is checked with the SDK's own anchors on a worker thread; an untrusted server
//   in a secure scene sends the same URL to the system browser view instead;
// - two stacks of URLs: the pages the back button returns to, and for each PDF document opened
//   the page it was opened from, so that "Done" on a PDF returns to that page;
// - load failures become the error state (WebKit's "interrupted by policy" excepted);
// - the scene closes on "Done" without a PDF open, or when the host app hands back the return
//   link (AuthNativeResult with a Bool "isSuccess");
// - each step is reported as a native-authorization event.
// Main thread, but for the trust check.
class OTPWebViewInteractor : public OTPWebViewInteractorProtocol,
                             public std::enable_shared_from_this<OTPWebViewInteractor> {
public:
    // Observes AuthNativeResult from here until it is released. The delegate is held weakly.
    static std::shared_ptr<OTPWebViewInteractor>
    make(std::shared_ptr<OTPWebViewPresenterProtocol> presenter, foundation::URL startWebPageUrl, bool isSecure,
         std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
         std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
         std::shared_ptr<CertificatesServiceProtocol> certificatesService,
         std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
         const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);

    // Public so that make_shared can reach it; make interactors with `make`.
    OTPWebViewInteractor(std::shared_ptr<OTPWebViewPresenterProtocol> presenter, foundation::URL startWebPageUrl,
                         bool isSecure, std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                         std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                         std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                         std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                         const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    ~OTPWebViewInteractor() override;
    OTPWebViewInteractor(const OTPWebViewInteractor&) = delete;
    OTPWebViewInteractor& operator=(const OTPWebViewInteractor&) = delete;

    void loadStartPage(webkit::WKWebView& webView) override;
    // Cancelled as well when the scene is gone by the time the check runs: a closed scene
    // trusts nothing, and the web view is not left waiting.
    void didReceiveChallenge(const std::optional<foundation::URL>& url,
                             const foundation::URLAuthenticationChallenge& challenge,
                             foundation::URLAuthenticationChallengeHandler completionHandler) override;
    // Answers at once.
    void decidePolicyFor(webkit::WKWebView& webView, const webkit::WKNavigationAction& navigationAction,
                         PolicyCompletion completion) override;
    void didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>& navigation) override;
    void didFailProvisionalNavigation(webkit::WKWebView& webView,
                                      const std::shared_ptr<webkit::WKNavigation>& navigation,
                                      const foundation::Error& error) override;
    void didFinish(const std::optional<foundation::URL>& url) override;
    void reloadButtonInteracted() override;
    void closeButtonInteracted() override;
    void backButtonInteracted() override;

    // Closes the scene with a Bool "isSuccess" (nothing else): at once on the main thread, from
    // another thread by way of the main queue.
    void authNotificationHandler(const foundation::Notification& notification);

    const foundation::URL& startWebPageUrl() const { return startWebPageUrl_; }
    bool isSecure() const { return isSecure_; }
    const std::vector<foundation::URL>& pdfPagesStack() const { return pdfPagesStack_; }
    const std::vector<foundation::URL>& pagesStack() const { return pagesStack_; }

private:
    void updateNavigationStacks(const foundation::URL& url, const webkit::WKWebView& webView);
    void handleWebViewError(const foundation::Error& error);
    void closeOnReturn(AuthNativeParams::FinalEvent finalEvent);
    void sendEvent(AnalyticsEventAction action, AuthNativeParams::EventType eventType,
                   std::optional<AuthNativeParams::ScreenType> screenType = std::nullopt,
                   std::optional<AuthNativeParams::FinalEvent> finalEvent = std::nullopt) const;

    std::shared_ptr<OTPWebViewPresenterProtocol> presenter_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper_;
    std::shared_ptr<CertificatesServiceProtocol> certificatesService_;
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker_;
    std::weak_ptr<VYDWebViewDelegateProtocol> delegate_;
    const bool isSecure_;
    const foundation::URL startWebPageUrl_;
    std::vector<foundation::URL> pdfPagesStack_;
    std::vector<foundation::URL> pagesStack_;
};

} // namespace vyd
