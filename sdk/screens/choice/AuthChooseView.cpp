#include "sdk/screens/choice/AuthChooseView.hpp"

#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/UIUtils.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

namespace vyd {
namespace {

using uikit::NSLayoutConstraint;
using uikit::UIControlState;

constexpr coregraphics::CGFloat logoSide = 78;
constexpr coregraphics::CGFloat closeSide = 32;
constexpr coregraphics::CGFloat closeFrameSide = 44;
constexpr coregraphics::CGFloat buttonHeight = 40;
constexpr coregraphics::CGFloat buttonCornerRadius = 12;

std::shared_ptr<uikit::UIStackView> verticalStack(coregraphics::CGFloat spacing,
                                                  uikit::UIStackViewAlignment alignment) {
    auto stack = uikit::UIStackView::make();
    stack->setAxis(uikit::UILayoutConstraintAxis::vertical);
    stack->setSpacing(spacing);
    stack->setAlignment(alignment);
    stack->setDistribution(uikit::UIStackViewDistribution::fill);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    return stack;
}

std::shared_ptr<uikit::UIView> plainView() {
    auto view = uikit::UIView::make();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}

std::shared_ptr<uikit::UILabel> label(std::string text, uikit::UIFont font, uikit::UIColor color) {
    auto made = uikit::UILabel::make();
    made->setText(std::move(text));
    made->setFont(std::move(font));
    made->setTextColor(std::move(color));
    made->setNumberOfLines(0);
    made->setTranslatesAutoresizingMaskIntoConstraints(false);
    return made;
}

} // namespace

AuthChooseView::AuthChooseView(std::string partnerName)
    : uikit::UIView(uikit::CGRect::zero()), partnerName_(std::move(partnerName)) {}

void AuthChooseView::didInit() {
    UIView::didInit();
    setupUI();
    setupConstraints();
}

std::shared_ptr<uikit::UIImageView> AuthChooseView::backgroundImageView() {
    if (!backgroundImageView_) {
        backgroundImageView_ = uikit::UIImageView::make(Asset::gradientBackground.image());
        backgroundImageView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return backgroundImageView_;
}

std::shared_ptr<ImageContainerView> AuthChooseView::logoImageView() {
    if (!logoImageView_) {
        logoImageView_ = ImageContainerView::make();
        logoImageView_->setTranslatesAutoresizingMaskIntoConstraints(false);
        logoImageView_->imageView()->setImage(Asset::vyLogo.image());
        logoImageView_->setBackgroundColor(uikit::UIColor::clear());
        NSLayoutConstraint::activate({
            logoImageView_->widthAnchor().constraintEqualToConstant(logoSide),
            logoImageView_->heightAnchor().constraintEqualToConstant(logoSide),
        });
        dropShadow(*logoImageView_, palette::greenShadow(), {0, 12}, 5, 0.24F);
        logoImageView_->imageView()->layer()->setCornerRadius(15);
        logoImageView_->imageView()->setClipsToBounds(true);
    }
    return logoImageView_;
}

std::shared_ptr<uikit::UIButton> AuthChooseView::makeButton(void (AuthChooseView::*action)()) {
    auto button = uikit::UIButton::make(uikit::UIButtonType::custom);
    button->addTarget(std::static_pointer_cast<AuthChooseView>(shared_from_this()), action,
                      uikit::UIControlEvents::touchUpInside);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    return button;
}

std::shared_ptr<uikit::UIButton> AuthChooseView::closeButton() {
    if (!closeButton_) {
        closeButton_ = uikit::UIButton::make(uikit::CGRect(0, 0, closeFrameSide, closeFrameSide));
        closeButton_->setTranslatesAutoresizingMaskIntoConstraints(false);
        closeButton_->setAccessibilityIdentifier("CloseButton");
        closeButton_->setImage(Asset::dsIc24CrossSmall.image(), UIControlState::normal);
        closeButton_->addTarget(std::static_pointer_cast<AuthChooseView>(shared_from_this()),
                                &AuthChooseView::closeButtonAction, uikit::UIControlEvents::touchUpInside);
        closeButton_->setImageEdgeInsets({4, 4, 4, 4});
        closeButton_->setBackgroundColor(palette::backgroundSecondary().withAlphaComponent(0.5));
        closeButton_->layer()->setCornerRadius(8);
        closeButton_->layer()->setMasksToBounds(true);
        NSLayoutConstraint::activate({
            closeButton_->widthAnchor().constraintEqualToConstant(closeSide),
            closeButton_->heightAnchor().constraintEqualToConstant(closeSide),
        });
    }
    return closeButton_;
}

std::shared_ptr<uikit::UILabel> AuthChooseView::headerLabel() {
    if (!headerLabel_) {
        headerLabel_ = label(L10n::Ui::AuthChoose::openVybB64(),
                             uikit::UIFont::systemFont(20, uikit::UIFontWeight::bold), palette::textPrimary());
    }
    return headerLabel_;
}

std::shared_ptr<uikit::UILabel> AuthChooseView::descritionLabel() {
    if (!descritionLabel_) {
        descritionLabel_ = label(L10n::Ui::AuthChoose::itIsSafeToOpenValues(L10n::Ui::Common::vyIdB64(), partnerName_),
                                 uikit::UIFont::systemFont(14, uikit::UIFontWeight::medium), palette::textSecondary());
    }
    return descritionLabel_;
}

std::shared_ptr<uikit::UIButton> AuthChooseView::continueButton() {
    if (!continueButton_) {
        continueButton_ = makeButton(&AuthChooseView::continueButtonAction);
        continueButton_->setTitle(L10n::Ui::AuthChoose::continue_(), UIControlState::normal);
        continueButton_->setTitleColor(uikit::UIColor(1, 1, 1, 1), UIControlState::normal);
        continueButton_->titleLabel()->setFont(uikit::UIFont::systemFont(14, uikit::UIFontWeight::semibold));
        continueButton_->setBackgroundColor(palette::accent());
        continueButton_->layer()->setCornerRadius(buttonCornerRadius);
        continueButton_->heightAnchor().constraintEqualToConstant(buttonHeight)->setActive(true);
    }
    return continueButton_;
}

std::shared_ptr<uikit::UIButton> AuthChooseView::enterByPhoneButton() {
    if (!enterByPhoneButton_) {
        enterByPhoneButton_ = makeButton(&AuthChooseView::enterByPhoneButtonAction);
        enterByPhoneButton_->setTitle(L10n::Ui::AuthChoose::enterByPhone(), UIControlState::normal);
        enterByPhoneButton_->setTitleColor(palette::accent(), UIControlState::normal);
        enterByPhoneButton_->titleLabel()->setFont(uikit::UIFont::systemFont(14, uikit::UIFontWeight::semibold));
        // The same pale green in light and dark appearance.
        enterByPhoneButton_->setBackgroundColor(uikit::UIColor(224.0 / 255, 251.0 / 255, 225.0 / 255, 1));
        enterByPhoneButton_->layer()->setCornerRadius(buttonCornerRadius);
        enterByPhoneButton_->heightAnchor().constraintEqualToConstant(buttonHeight)->setActive(true);
    }
    return enterByPhoneButton_;
}

std::shared_ptr<uikit::UIStackView> AuthChooseView::labelsStackView() {
    if (!labelsStackView_) {
        labelsStackView_ = verticalStack(16, uikit::UIStackViewAlignment::leading);
    }
    return labelsStackView_;
}

std::shared_ptr<uikit::UIStackView> AuthChooseView::buttonsStackView() {
    if (!buttonsStackView_) {
        buttonsStackView_ = verticalStack(8, uikit::UIStackViewAlignment::fill);
    }
    return buttonsStackView_;
}

std::shared_ptr<uikit::UIStackView> AuthChooseView::mainStackView() {
    if (!mainStackView_) {
        mainStackView_ = verticalStack(24, uikit::UIStackViewAlignment::fill);
    }
    return mainStackView_;
}

std::shared_ptr<uikit::UIView> AuthChooseView::topContainerView() {
    if (!topContainerView_) {
        topContainerView_ = plainView();
    }
    return topContainerView_;
}

std::shared_ptr<uikit::UIView> AuthChooseView::bottomContainerView() {
    if (!bottomContainerView_) {
        bottomContainerView_ = plainView();
        bottomContainerView_->setBackgroundColor(palette::backgroundSecondary());
    }
    return bottomContainerView_;
}

std::shared_ptr<uikit::UIView> AuthChooseView::mainContainerView() {
    if (!mainContainerView_) {
        mainContainerView_ = plainView();
    }
    return mainContainerView_;
}

void AuthChooseView::setupUI() {
    // The close button goes last so that it lies over the logo and the background.
    addSubviews(*topContainerView(), {backgroundImageView(), logoImageView(), closeButton()});
    addArrangedSubviews(*labelsStackView(), {headerLabel(), descritionLabel()}, false);
    addArrangedSubviews(*buttonsStackView(), {continueButton(), enterByPhoneButton()}, false);
    addArrangedSubviews(*mainStackView(), {labelsStackView(), buttonsStackView()}, false);
    bottomContainerView()->addSubview(mainStackView());
    addSubviews(*mainContainerView(), {topContainerView(), bottomContainerView()});
    addSubview(mainContainerView());
}

void AuthChooseView::setupConstraints() {
    pinToEdges(backgroundImageView_);
    const auto top = topContainerView_;
    const auto bottom = bottomContainerView_;
    const auto main = mainContainerView_;
    const auto keyWindow = UIUtils::currentKeyWindow();
    const coregraphics::CGFloat bottomInset = keyWindow ? keyWindow->safeAreaInsets().bottom : 0;
    NSLayoutConstraint::activate({
        logoImageView_->leadingAnchor().constraintEqualTo(top->leadingAnchor(), 24),
        logoImageView_->topAnchor().constraintEqualTo(top->topAnchor(), 58),
        closeButton_->topAnchor().constraintEqualTo(top->topAnchor(), 22),
        closeButton_->trailingAnchor().constraintEqualTo(top->trailingAnchor(), -20),
        mainStackView_->topAnchor().constraintEqualTo(bottom->topAnchor(), 24),
        mainStackView_->leadingAnchor().constraintEqualTo(bottom->leadingAnchor(), 24),
        mainStackView_->trailingAnchor().constraintEqualTo(bottom->trailingAnchor(), -24),
        mainStackView_->bottomAnchor().constraintEqualTo(bottom->bottomAnchor(), -32),
        top->topAnchor().constraintEqualTo(main->topAnchor()),
        top->trailingAnchor().constraintEqualTo(main->trailingAnchor()),
        top->leadingAnchor().constraintEqualTo(main->leadingAnchor()),
        bottom->topAnchor().constraintEqualTo(top->bottomAnchor()),
        bottom->leadingAnchor().constraintEqualTo(main->leadingAnchor()),
        bottom->trailingAnchor().constraintEqualTo(main->trailingAnchor()),
        bottom->bottomAnchor().constraintEqualTo(main->bottomAnchor()),
        main->topAnchor().constraintEqualTo(topAnchor()),
        main->leadingAnchor().constraintEqualTo(leadingAnchor()),
        main->trailingAnchor().constraintEqualTo(trailingAnchor()),
        main->bottomAnchor().constraintLessThanOrEqualTo(bottomAnchor(), bottomInset),
    });
}

void AuthChooseView::closeButtonAction() {
    if (const auto delegate = this->delegate()) {
        delegate->closeButtonPressed();
    }
}

void AuthChooseView::continueButtonAction() {
    if (const auto delegate = this->delegate()) {
        delegate->continueButtonPressed();
    }
}

void AuthChooseView::enterByPhoneButtonAction() {
    if (const auto delegate = this->delegate()) {
        delegate->enterByPhoneButtonPressed();
    }
}

} // namespace vyd
