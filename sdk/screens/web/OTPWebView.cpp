#include "sdk/screens/web/OTPWebView.hpp"

#include "platform/swiftui/UIHostingController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/web/OTPHeaderView.hpp"
#include "sdk/uikit/Palette.hpp"

namespace vyd {
namespace {

using uikit::NSLayoutConstraint;

constexpr double headerHeight = 44;
constexpr double spinnerSide = 26;
constexpr double errorSpacing = 10;
constexpr double reloadWidth = 197;
constexpr double reloadHeight = 40;

} // namespace

OTPWebView::OTPWebView(std::optional<uikit::UIColor> navigationColor)
    : uikit::UIView(uikit::CGRect::zero()), navigationColor_(std::move(navigationColor)) {}

std::shared_ptr<webkit::WKWebView> OTPWebView::webView() {
    if (!webView_) {
        webView_ = webkit::WKWebView::make();
        webView_->setAllowsBackForwardNavigationGestures(true);
        webView_->setOpaque(false);
        webView_->setBackgroundColor(navigationColor_);
        webView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return webView_;
}

std::shared_ptr<uikit::UIImageView> OTPWebView::spinnerImageView() {
    if (!spinnerImageView_) {
        spinnerImageView_ = uikit::UIImageView::make(Asset::webSpinner.image());
        spinnerImageView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return spinnerImageView_;
}

std::shared_ptr<uikit::UILabel> OTPWebView::errorLabel() {
    if (!errorLabel_) {
        errorLabel_ = uikit::UILabel::make();
        errorLabel_->setText(L10n::Ui::Web::loadError());
        errorLabel_->setFont(uikit::UIFont::systemFont(15));
        errorLabel_->setTextColor(palette::textPrimary());
        errorLabel_->setTextAlignment(uikit::NSTextAlignment::center);
        errorLabel_->setNumberOfLines(0);
        errorLabel_->setHidden(true);
    }
    return errorLabel_;
}

std::shared_ptr<uikit::UIButton> OTPWebView::reloadButton() {
    if (!reloadButton_) {
        reloadButton_ = uikit::UIButton::make(uikit::UIButtonType::custom);
        reloadButton_->setTitle(L10n::Ui::Web::tryAgain(), uikit::UIControlState::normal);
        reloadButton_->setTitleColor(palette::brand(), uikit::UIControlState::normal);
        reloadButton_->titleLabel()->setFont(uikit::UIFont::systemFont(14, uikit::UIFontWeight::semibold));
        reloadButton_->setBackgroundColor(uikit::UIColor(8.0 / 255, 8.0 / 255, 8.0 / 255, 0.06));
        reloadButton_->layer()->setCornerRadius(12);
        reloadButton_->addTarget([call = delegateCall(&OTPWebViewDelegateProtocol::reloadButtonPressed)](
                                     uikit::UIControl&, const uikit::UIEvent*) { call(); },
                                 uikit::UIControlEvents::touchUpInside);
        reloadButton_->setHidden(true);
        reloadButton_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return reloadButton_;
}

std::shared_ptr<uikit::UIStackView> OTPWebView::errorStackView() {
    if (!errorStackView_) {
        errorStackView_ = uikit::UIStackView::make();
        errorStackView_->setAxis(uikit::UILayoutConstraintAxis::vertical);
        errorStackView_->setDistribution(uikit::UIStackViewDistribution::fill);
        errorStackView_->setAlignment(uikit::UIStackViewAlignment::center);
        errorStackView_->setSpacing(errorSpacing);
        errorStackView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return errorStackView_;
}

std::shared_ptr<swiftui::UIHostingController> OTPWebView::hostingHeaderController() {
    if (!hostingHeaderController_) {
        hostingHeaderController_ = swiftui::UIHostingController::make(OTPHeaderView());
        auto header = hostingHeaderController_->view();
        header->setTranslatesAutoresizingMaskIntoConstraints(false);
        header->setBackgroundColor(uikit::UIColor::clear());
        updateHeaderView();
    }
    return hostingHeaderController_;
}

void OTPWebView::setupView(const std::shared_ptr<OTPWebViewDelegateProtocol>& delegate) {
    setBackgroundColor(navigationColor_);
    delegate_ = delegate;
    addSubview(hostingHeaderController()->view());
    addSubview(webView());
    addSubview(errorStackView());
    addSubview(spinnerImageView());
    webView_->setUIDelegate(delegate);
    webView_->setNavigationDelegate(delegate);
    makeConstraints();
}

void OTPWebView::fillErrorArea() {
    if (!errorStackView_->arrangedSubviews().empty()) {
        return;
    }
    errorStackView_->addArrangedSubview(errorLabel());
    errorStackView_->addArrangedSubview(reloadButton());
    // Below required: the error stack folds the button to no height while it is hidden.
    auto reloadButtonHeight = reloadButton_->heightAnchor().constraintEqualToConstant(reloadHeight);
    reloadButtonHeight->setPriority(999);
    NSLayoutConstraint::activate({
        reloadButton_->widthAnchor().constraintEqualToConstant(reloadWidth),
        reloadButtonHeight,
        // The message wraps inside the screen's margins rather than running past them.
        errorStackView_->widthAnchor().constraintLessThanOrEqualTo(widthAnchor(), 1, -32),
    });
}

void OTPWebView::makeConstraints() {
    auto header = hostingHeaderController_->view();
    NSLayoutConstraint::activate({
        header->topAnchor().constraintEqualTo(safeAreaLayoutGuide()->topAnchor()),
        header->leadingAnchor().constraintEqualTo(leadingAnchor()),
        header->trailingAnchor().constraintEqualTo(trailingAnchor()),
        header->heightAnchor().constraintEqualToConstant(headerHeight),
        webView_->topAnchor().constraintEqualTo(header->bottomAnchor()),
        webView_->leadingAnchor().constraintEqualTo(leadingAnchor()),
        webView_->trailingAnchor().constraintEqualTo(trailingAnchor()),
        webView_->bottomAnchor().constraintEqualTo(bottomAnchor()),
        errorStackView_->centerXAnchor().constraintEqualTo(centerXAnchor()),
        errorStackView_->centerYAnchor().constraintEqualTo(centerYAnchor()),
        spinnerImageView_->widthAnchor().constraintEqualToConstant(spinnerSide),
        spinnerImageView_->heightAnchor().constraintEqualToConstant(spinnerSide),
        spinnerImageView_->centerXAnchor().constraintEqualTo(centerXAnchor()),
        spinnerImageView_->centerYAnchor().constraintEqualTo(centerYAnchor()),
    });
}

void OTPWebView::updateUI(const OTPWebViewViewModel& viewModel) {
    if (!viewModel.errorViewIsHidden) {
        fillErrorArea();
    }
    spinnerImageView()->setHidden(viewModel.spinnerViewIsHidden);
    errorStackView()->setHidden(viewModel.errorViewIsHidden);
    // The message and the button exist once an error has shown (and are made hidden).
    if (errorLabel_) {
        errorLabel_->setHidden(viewModel.errorViewIsHidden);
        reloadButton_->setHidden(viewModel.errorViewIsHidden);
    }
    updateHeaderView();
}

std::function<void()> OTPWebView::delegateCall(void (OTPWebViewDelegateProtocol::*member)()) {
    // Held weakly: the header and the button live in this view.
    std::weak_ptr<OTPWebView> weak = std::static_pointer_cast<OTPWebView>(shared_from_this());
    return [weak, member] {
        if (auto view = weak.lock()) {
            if (auto delegate = view->delegate()) {
                (delegate.get()->*member)();
            }
        }
    };
}

void OTPWebView::updateHeaderView() {
    const auto delegate = this->delegate();
    const bool showBack = delegate ? delegate->shouldShowBackButton() : false;
    // The same answer builds the same header (its actions reach the delegate at tap time), so only
    // a change is worth evaluating and laying the header out again.
    if (headerShowsBack_ == showBack) {
        return;
    }
    headerShowsBack_ = showBack;
    hostingHeaderController()->setRootView(OTPHeaderView(delegateCall(&OTPWebViewDelegateProtocol::backButtonPressed),
                                                         delegateCall(&OTPWebViewDelegateProtocol::doneButtonPressed),
                                                         showBack));
}

} // namespace vyd
