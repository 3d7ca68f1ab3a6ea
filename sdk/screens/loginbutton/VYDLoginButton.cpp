#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/loginbutton/LoginButtonController.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/uikit/Palette.hpp"

namespace vyd {

using uikit::UIControlState;

namespace {

constexpr coregraphics::CGSize defaultDesiredSize{50, 30};

} // namespace

std::shared_ptr<VYDLoginButton> VYDLoginButton::make(VYDLoginButtonStyle type,
                                                     const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer) {
    return make(type, VYDLoginButtonTextType::loginWithVyID, defaultDesiredSize, observer);
}

std::shared_ptr<VYDLoginButton> VYDLoginButton::make(VYDLoginButtonStyle type, VYDLoginButtonTextType textType,
                                                     CGSize desiredSize,
                                                     const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer) {
    // Refused before the controller exists, so a refused button reports nothing.
    validOption(type);
    validOption(textType);
    auto button = make(CGRect::zero());
    button->setUp(type, textType, desiredSize, observer);
    return button;
}

std::shared_ptr<VYDLoginButton>
VYDLoginButton::initWithType(std::int64_t type, const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer) {
    return make(validLoginButtonStyle(type), observer);
}

std::shared_ptr<VYDLoginButton>
VYDLoginButton::initWithType(std::int64_t type, std::int64_t textType, CGSize desiredSize,
                             const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer) {
    return make(validLoginButtonStyle(type), validLoginButtonTextType(textType), desiredSize, observer);
}

std::shared_ptr<VYDLoginButton> VYDLoginButton::make(const CGRect& frame) { return create<VYDLoginButton>(frame); }

VYDLoginButton::VYDLoginButton(const CGRect& frame)
    : UIButton(uikit::UIButtonType::custom, frame),
      settings_(std::make_shared<LoginButtonSettings>(VYDLoginButtonStyle::white)),
      loaderView_(uikit::UIActivityIndicatorView::make()) {}

VYDLoginButton::~VYDLoginButton() = default;

void VYDLoginButton::setUp(VYDLoginButtonStyle type, VYDLoginButtonTextType textType, CGSize desiredSize,
                           const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer) {
    settings_ = std::make_shared<LoginButtonSettings>(type);
    controller_ = std::make_shared<LoginButtonController>(
        DIContainer::networkService(), DIContainer::analyticsParamsMaker(), DIContainer::staticStorageService(),
        observer, settings_, std::static_pointer_cast<VYDLoginButton>(shared_from_this()));
    // Before sizing: a blocked button is hidden from the start and its observer hears of it
    // while the button is being made.
    controller_->hideButtonIfNeeded();

    settings_->setDesiredSize(desiredSize);
    settings_->setTextType(textType);
    sizeHeightToDesiredSize(*settings_);
    if (sizeWidthToDesiredSize(*settings_)) {
        controller_->desiredWidthIsWrong();
    }
    setUpView();
    controller_->loginButtonShowed();
}

void VYDLoginButton::setUpView() {
    titleLabel()->setFont(settings_->font());
    titleLabel()->setLineBreakMode(uikit::NSLineBreakMode::byTruncatingTail);

    layer()->setBorderWidth(settings_->borderWidth());
    layer()->setCornerRadius(settings_->cornerRadius());
    layer()->setBorderColor(settings_->borderColor().cgColor());

    setTitleColor(settings_->titleColor(), UIControlState::normal);
    setBackgroundColor(settings_->backgroundColor() == VYDLoginButtonStyle::green ? palette::brand()
                                                                                  : uikit::UIColor::white());

    setTranslatesAutoresizingMaskIntoConstraints(false);
    uikit::NSLayoutConstraint::activate({
        widthAnchor().constraintEqualToConstant(settings_->width()),
        heightAnchor().constraintEqualToConstant(settings_->height()),
    });

    const auto logoWidth = settings_->logoSize().width;
    setContentEdgeInsets({0, logoWidth, 0, logoWidth});

    showPlainTitleUnlessPersonalized();
    showLogo();
}

bool VYDLoginButton::attemptToPersonalize() {
    if (const auto name = settings_->maskedName()) {
        setTitle(settings_->adaptedDescription(*name), UIControlState::normal);
        if (controller_) {
            controller_->buttonPersonalizationChanged(true);
        }
        return true;
    }
    if (controller_) {
        controller_->buttonPersonalizationChanged(false);
    }
    return false;
}

void VYDLoginButton::showPlainTitleUnlessPersonalized() {
    if (!attemptToPersonalize()) {
        setTitle(settings_->text(), UIControlState::normal);
    }
}

void VYDLoginButton::showLogo() {
    const auto logo = settings_->logoImage();
    setImage(logo, UIControlState::normal);
    setImage(logo, UIControlState::highlighted);
}

bool VYDLoginButton::isLoaderHidden() {
    if (!isLoaderHidden_) {
        isLoaderHidden_ = true;
    }
    return *isLoaderHidden_;
}

void VYDLoginButton::setIsLoaderHidden(bool hidden) {
    isLoaderHidden_ = hidden;
    if (hidden) {
        hideLoader();
    } else {
        showLoader();
    }
}

void VYDLoginButton::showLoader() {
    setImage(nullptr, UIControlState::normal);
    setImage(nullptr, UIControlState::highlighted);
    setTitle(std::nullopt, UIControlState::normal);

    loaderView_->setCenter({settings_->width() * 0.5, settings_->height() * 0.5});
    loaderView_->setColor(settings_->loaderColor());
    loaderView_->startAnimating();
    addSubview(loaderView_);
}

void VYDLoginButton::hideLoader() {
    showLogo();
    loaderView_->removeFromSuperview();
    showPlainTitleUnlessPersonalized();
}

void VYDLoginButton::setBorderColor(const uikit::UIColor& color) {
    if (settings_->backgroundColor() != VYDLoginButtonStyle::white) {
        return;
    }
    settings_->setBorderColor(color);
    layer()->setBorderColor(color.cgColor());
}

void VYDLoginButton::setCornerRadius(VYDCornerRadiusStyle style) {
    applyCornerStyle(*settings_, style);
    layer()->setCornerRadius(settings_->cornerRadius());
}

void VYDLoginButton::setCornerRadius(std::int64_t rawStyle) { setCornerRadius(validCornerRadiusStyle(rawStyle)); }

void VYDLoginButton::sendAction(const uikit::UIControlAction& action, const std::shared_ptr<void>& to,
                                const uikit::UIEvent* event) {
    UIButton::sendAction(action, to, event);
    if (controller_) {
        controller_->buttonTapped();
    }
}

void VYDLoginButton::hideButton() { setHidden(true); }

} // namespace vyd
