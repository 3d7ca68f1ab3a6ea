#include "sdk/screens/web/OTPWebViewInteractor.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/webkit/WKError.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/AppMethodsWrapperProtocol.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/web/WebSceneTrust.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

namespace vyd {

using EventType = AuthNativeParams::EventType;
using FinalEvent = AuthNativeParams::FinalEvent;
using foundation::URLSessionAuthChallengeDisposition;

bool isPDFPageURL(const foundation::URL& url) { return url.absoluteString().ends_with(L10n::Common::pdf()); }

std::shared_ptr<OTPWebViewInteractor>
OTPWebViewInteractor::make(std::shared_ptr<OTPWebViewPresenterProtocol> presenter, foundation::URL startWebPageUrl,
                           bool isSecure, std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                           std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                           std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                           std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                           const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    auto interactor = std::make_shared<OTPWebViewInteractor>(
        std::move(presenter), std::move(startWebPageUrl), isSecure, std::move(appMethodsWrapper),
        std::move(staticStorageService), std::move(certificatesService), std::move(analyticsParamsMaker), delegate);
    foundation::NotificationCenter::defaultCenter().addObserver<OTPWebViewInteractor>(
        interactor, NotificationNames::authNativeResult(), nullptr,
        [](OTPWebViewInteractor& self, const foundation::Notification& note) { self.authNotificationHandler(note); });
    return interactor;
}

OTPWebViewInteractor::OTPWebViewInteractor(std::shared_ptr<OTPWebViewPresenterProtocol> presenter,
                                           foundation::URL startWebPageUrl, bool isSecure,
                                           std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                           std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                           std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                                           std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                           const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate)
    : presenter_(std::move(presenter)), staticStorageService_(std::move(staticStorageService)),
      appMethodsWrapper_(std::move(appMethodsWrapper)), certificatesService_(std::move(certificatesService)),
      analyticsParamsMaker_(std::move(analyticsParamsMaker)), delegate_(delegate), isSecure_(isSecure),
      startWebPageUrl_(std::move(startWebPageUrl)) {}

OTPWebViewInteractor::~OTPWebViewInteractor() { foundation::NotificationCenter::defaultCenter().removeObserver(this); }

void OTPWebViewInteractor::loadStartPage(webkit::WKWebView& webView) {
    presenter_->loadStartWebView(webView, startWebPageUrl_);
}

void OTPWebViewInteractor::didReceiveChallenge(const std::optional<foundation::URL>& url,
                                               const foundation::URLAuthenticationChallenge& challenge,
                                               foundation::URLAuthenticationChallengeHandler completionHandler) {
    std::function<void()> fallback;
    if (isSecure_ && url) {
        fallback = [weak = weak_from_this(), url = *url] {
            if (auto self = weak.lock()) {
                self->presenter_->presentSafariViewController(url, std::nullopt);
            }
        };
    }
    // The worker holds the scene weakly, so it never keeps it alive, nor releases it, off the
    // main thread.
    webscene::answerChallenge(certificatesService_, challenge, std::move(completionHandler),
                              URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::move(fallback),
                              std::weak_ptr<const void>(weak_from_this()));
}

void OTPWebViewInteractor::decidePolicyFor(webkit::WKWebView&, const webkit::WKNavigationAction& navigationAction,
                                           PolicyCompletion completion) {
    const auto& url = navigationAction.request().url;
    if (!isDeeplink(url)) {
        completion(webkit::WKNavigationActionPolicy::allow);
        return;
    }
    Logger::log(L10n::Logs::openDeeplinkValue(url.debugDescription()));
    appMethodsWrapper_->open(url, {}, nullptr);
    completion(webkit::WKNavigationActionPolicy::cancel);
}

void OTPWebViewInteractor::didCommit(webkit::WKWebView& webView, const std::shared_ptr<webkit::WKNavigation>&) {
    const auto url = webView.url();
    if (!url) {
        return;
    }
    updateNavigationStacks(*url, webView);
    if (pdfPagesStack_.empty()) {
        presenter_->prepareForAuthWebPage();
    } else {
        presenter_->prepareForPDFWebPage();
    }
    if (*url == startWebPageUrl_) {
        sendEvent(AnalyticsEventAction::authNative, EventType::show, AuthNativeParams::ScreenType::nativeScreen);
    }
}

void OTPWebViewInteractor::updateNavigationStacks(const foundation::URL& url, const webkit::WKWebView& webView) {
    const auto backItem = webView.backForwardList().backItem();
    if (!backItem) {
        return;
    }
    if (isPDFPageURL(url)) {
        pdfPagesStack_.push_back(backItem->url());
    }
    if (!(backItem->url() == url)) {
        pagesStack_.push_back(backItem->url());
    }
}

void OTPWebViewInteractor::didFailProvisionalNavigation(webkit::WKWebView&,
                                                        const std::shared_ptr<webkit::WKNavigation>&,
                                                        const foundation::Error& error) {
    handleWebViewError(error);
}

void OTPWebViewInteractor::handleWebViewError(const foundation::Error& error) {
    // A navigation that the policy turned away (a deep link reached by a redirect) is no failure.
    if (error.domain == L10n::Errors::WebView::webKitErrorDomain() &&
        error.code == webkit::WebKitErrorFrameLoadInterruptedByPolicyChange) {
        return;
    }
    presenter_->prepareForError();
    sendEvent(AnalyticsEventAction::authNativeError, EventType::show);
    Logger::log(L10n::Logs::errorInWebViewValue(error.localizedDescription));
}

void OTPWebViewInteractor::didFinish(const std::optional<foundation::URL>& url) {
    if (url && isPDFPageURL(*url)) {
        presenter_->prepareForPDFWebPage();
    } else {
        presenter_->prepareForFinish();
    }
}

void OTPWebViewInteractor::reloadButtonInteracted() {
    sendEvent(AnalyticsEventAction::authNativeError, EventType::click);
}

void OTPWebViewInteractor::closeButtonInteracted() {
    if (pdfPagesStack_.empty()) {
        if (auto delegate = delegate_.lock()) {
            delegate->webViewReject();
        }
        sendEvent(AnalyticsEventAction::authNative, EventType::close, std::nullopt, FinalEvent::reject);
        presenter_->shouldCloseViewController();
        return;
    }
    const auto page = pdfPagesStack_.back();
    pdfPagesStack_.pop_back();
    presenter_->presentBackListPage(page);
    pagesStack_.clear();
    sendEvent(AnalyticsEventAction::authNative, EventType::hide);
}

void OTPWebViewInteractor::backButtonInteracted() {
    if (pagesStack_.empty()) {
        return;
    }
    const auto page = pagesStack_.back();
    pagesStack_.pop_back();
    presenter_->presentBackListPage(page);
    sendEvent(AnalyticsEventAction::authNative, EventType::hide);
}

void OTPWebViewInteractor::authNotificationHandler(const foundation::Notification& notification) {
    const bool* isSuccess = notification.userInfoValue<bool>(L10n::Notifications::UserInfo::isSuccess());
    if (!isSuccess) {
        return;
    }
    const auto finalEvent = *isSuccess ? FinalEvent::success : FinalEvent::fail;
    if (!foundation::isMainThread()) {
        // A host may hand the return link back from any thread; the scene closes on the main one.
        foundation::DispatchQueue::main().async([weak = weak_from_this(), finalEvent] {
            if (auto self = weak.lock()) {
                self->closeOnReturn(finalEvent);
            }
        });
        return;
    }
    closeOnReturn(finalEvent);
}

void OTPWebViewInteractor::closeOnReturn(FinalEvent finalEvent) {
    sendEvent(AnalyticsEventAction::authNative, EventType::close, std::nullopt, finalEvent);
    presenter_->shouldCloseViewController();
}

void OTPWebViewInteractor::sendEvent(AnalyticsEventAction action, EventType eventType,
                                     std::optional<AuthNativeParams::ScreenType> screenType,
                                     std::optional<FinalEvent> finalEvent) const {
    const auto params =
        analyticsParamsMaker_->makeAuthNativeEventParams(AuthNativeParams(eventType, screenType, finalEvent));
    if (auto analytics = staticStorageService_->analyticsService()) {
        analytics->sendEvent(action, params);
    }
}

} // namespace vyd
