#include "sdk/screens/web/OTPWebViewPresenter.hpp"

#include "platform/foundation/URLRequest.hpp"
#include "platform/webkit/WKWebView.hpp"

namespace vyd {
namespace {

// errorViewIsHidden, spinnerViewIsHidden, isPDFPage
constexpr OTPWebViewViewModel loading{true, false, false};
constexpr OTPWebViewViewModel page{true, true, false};
constexpr OTPWebViewViewModel pdf{true, true, true};
constexpr OTPWebViewViewModel error{false, true, false};

constexpr double startPageTimeout = 60;

} // namespace

void OTPWebViewPresenter::show(const OTPWebViewViewModel& viewModel) {
    viewModel_ = viewModel;
    if (auto controller = viewController()) {
        controller->updateViewModel(viewModel_);
    }
}

void OTPWebViewPresenter::presentSafariViewController(const foundation::URL& url,
                                                      const std::optional<uikit::UIColor>& navigationColor) {
    if (auto controller = viewController()) {
        controller->openSafariViewController(url, navigationColor);
    }
}

void OTPWebViewPresenter::presentDeeplink(const foundation::URL& url) {
    if (auto controller = viewController()) {
        controller->openDeeplink(url);
    }
}

void OTPWebViewPresenter::loadStartWebView(webkit::WKWebView& webView, const foundation::URL& url) {
    show(loading);
    webView.load(
        foundation::URLRequest(url, foundation::URLRequestCachePolicy::useProtocolCachePolicy, startPageTimeout));
}

void OTPWebViewPresenter::prepareForAuthWebPage() { show(page); }

void OTPWebViewPresenter::prepareForPDFWebPage() { show(pdf); }

void OTPWebViewPresenter::prepareForFinish() { show(page); }

void OTPWebViewPresenter::prepareForError() { show(error); }

void OTPWebViewPresenter::presentBackListPage(const foundation::URL& url) {
    if (auto controller = viewController()) {
        controller->openBackListPage(url);
    }
}

void OTPWebViewPresenter::shouldCloseViewController() {
    if (auto controller = viewController()) {
        controller->closeViewController();
    }
}

} // namespace vyd
