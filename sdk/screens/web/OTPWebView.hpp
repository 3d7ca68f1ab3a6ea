#pragma once
#include "platform/uikit/UIView.hpp"
#include "sdk/screens/web/OTPWebViewProtocols.hpp"

#include <functional>
#include <memory>
#include <optional>

namespace swiftui {
class UIHostingController;
}
namespace uikit {
class UIButton;
class UIImageView;
class UILabel;
class UIStackView;
} // namespace uikit

namespace vyd {

// The content view of the full-screen authorization web scene: the header (back chevron and
// "Done", a declarative view) above a web view that fills the rest, with a loading image and an
// error area over the web view's centre. The error area holds a short message and the reload
// button; both show with the error state. It owns no logic: every tap goes to its delegate, held
// weakly, and the view model decides what shows. Elements are built on first use. Main thread.
class OTPWebView : public uikit::UIView, public OTPWebViewProtocol {
public:
    // The navigation colour is the background of the view and of the web view (none: none).
    static std::shared_ptr<OTPWebView> make(std::optional<uikit::UIColor> navigationColor) {
        return create<OTPWebView>(std::move(navigationColor));
    }

    // Public so that `create` can reach it; make the view with `make`.
    explicit OTPWebView(std::optional<uikit::UIColor> navigationColor);

    std::string className() const override { return "OTPWebView"; }

    std::shared_ptr<OTPWebViewDelegateProtocol> delegate() const { return delegate_.lock(); }
    const std::optional<uikit::UIColor>& navigationColor() const { return navigationColor_; }

    // OTPWebViewProtocol
    std::shared_ptr<webkit::WKWebView> webView() override;
    void setupView(const std::shared_ptr<OTPWebViewDelegateProtocol>& delegate) override;
    // The loading image and the error area (with its message and reload button) show as the
    // model says, then the header is built again.
    void updateUI(const OTPWebViewViewModel& viewModel) override;

    // 26 x 26 points, centred.
    std::shared_ptr<uikit::UIImageView> spinnerImageView();
    // Vertical, centred, spacing 10: the message above the reload button.
    std::shared_ptr<uikit::UIStackView> errorStackView();
    // "The page did not load"; hidden until the error state.
    std::shared_ptr<uikit::UILabel> errorLabel();
    // "Start again", 197 x 40 points; hidden until the error state.
    std::shared_ptr<uikit::UIButton> reloadButton();
    std::shared_ptr<swiftui::UIHostingController> hostingHeaderController();

private:
    void updateHeaderView();
    // Calls the member on the delegate, once the view and the delegate still exist.
    std::function<void()> delegateCall(void (OTPWebViewDelegateProtocol::*member)());
    void makeConstraints();
    // The message and the reload button go into the error area when it first shows an error: a
    // page that loads pays nothing for them.
    void fillErrorArea();

    std::weak_ptr<OTPWebViewDelegateProtocol> delegate_;
    const std::optional<uikit::UIColor> navigationColor_;
    std::shared_ptr<webkit::WKWebView> webView_;
    std::shared_ptr<uikit::UIImageView> spinnerImageView_;
    std::shared_ptr<uikit::UIStackView> errorStackView_;
    std::shared_ptr<uikit::UILabel> errorLabel_;
    std::shared_ptr<uikit::UIButton> reloadButton_;
    std::shared_ptr<swiftui::UIHostingController> hostingHeaderController_;
    // What the header was last built with; none before its first build.
    std::optional<bool> headerShowsBack_;
};

} // namespace vyd
