#pragma once
#include "sdk/screens/web/OTPWebViewProtocols.hpp"

#include <memory>

namespace vyd {

// Keeps the scene's view model (loading, page, finished, PDF, error) and turns the interactor's
// requests into calls on the controller; every call is skipped once the controller is gone.
// Main thread.
class OTPWebViewPresenter : public OTPWebViewPresenterProtocol {
public:
    // Starts in the loading state, without controller.
    OTPWebViewPresenter() = default;

    std::shared_ptr<OTPWebViewControllerProtocol> viewController() const { return viewController_.lock(); }
    // Held weakly.
    void setViewController(const std::shared_ptr<OTPWebViewControllerProtocol>& viewController) {
        viewController_ = viewController;
    }
    const OTPWebViewViewModel& viewModel() const { return viewModel_; }

    void presentSafariViewController(const foundation::URL& url,
                                     const std::optional<uikit::UIColor>& navigationColor) override;
    void presentDeeplink(const foundation::URL& url) override;
    // The URL is loaded with a 60-second request even when the controller is gone.
    void loadStartWebView(webkit::WKWebView& webView, const foundation::URL& url) override;
    void prepareForAuthWebPage() override;
    void prepareForPDFWebPage() override;
    void prepareForFinish() override;
    void prepareForError() override;
    void presentBackListPage(const foundation::URL& url) override;
    void shouldCloseViewController() override;

private:
    void show(const OTPWebViewViewModel& viewModel);

    std::weak_ptr<OTPWebViewControllerProtocol> viewController_;
    OTPWebViewViewModel viewModel_;
};

} // namespace vyd
