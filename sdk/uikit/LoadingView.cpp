#include "sdk/uikit/LoadingView.hpp"

#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

#include <cmath>

namespace vyd {

using uikit::UIView;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double halfTurnDuration = 1.0;
constexpr coregraphics::CGFloat spinnerSide = 40;

} // namespace

void LoadingView::didInit() {
    UIView::didInit();
    addSubview(overlayView());
    addSubview(spinnerImageView());
    startAnimating();
    makeConstraints();
}

void LoadingView::setActivityColor(std::optional<uikit::UIColor> color) {
    activityColor_ = std::move(color);
    const auto spinner = spinnerImageView();
    spinner->setTintColor(activityColor_);
    if (const auto& image = spinner->image()) {
        spinner->setImage(image->withRenderingMode(activityColor_ ? uikit::UIImageRenderingMode::alwaysTemplate
                                                                  : uikit::UIImageRenderingMode::alwaysOriginal));
    }
}

std::shared_ptr<uikit::UIImageView> LoadingView::spinnerImageView() {
    if (!spinnerImageView_) {
        spinnerImageView_ = uikit::UIImageView::make(Asset::spinner.image());
    }
    return spinnerImageView_;
}

void LoadingView::setBlockingSuperview(bool blocking) {
    isBlockingSuperview_ = blocking;
    setUserInteractionEnabled(!blocking);
    overlayView()->setHidden(!blocking);
}

std::shared_ptr<UIView> LoadingView::overlayView() {
    if (!overlayView_) {
        overlayView_ = UIView::make();
        overlayView_->setHidden(true);
        overlayView_->setBackgroundColor(palette::overlay());
    }
    return overlayView_;
}

void LoadingView::startAnimating() { rotateLoader(); }

void LoadingView::stopAnimating() {
    animating_ = false;
    ++loopGeneration_;
    // The step in progress completes as not finished and, its generation gone, starts no other.
    spinnerImageView()->layer()->removeAllAnimations();
}

void LoadingView::didMoveToSuperview() {
    UIView::didMoveToSuperview();
    if (!superview()) {
        if (animating_) {
            stopAnimating();
            stoppedByRemoval_ = true;
        }
    } else if (stoppedByRemoval_) {
        stoppedByRemoval_ = false;
        startAnimating();
    }
}

void LoadingView::makeConstraints() {
    for (const auto& subview : subviews()) {
        subview->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    const auto spinner = spinnerImageView();
    uikit::NSLayoutConstraint::activate({
        spinner->centerXAnchor().constraintEqualTo(centerXAnchor()),
        spinner->centerYAnchor().constraintEqualTo(centerYAnchor()),
        spinner->widthAnchor().constraintEqualToConstant(spinnerSide),
        spinner->heightAnchor().constraintEqualToConstant(spinnerSide),
    });
    pinToEdges(overlayView());
}

void LoadingView::rotateLoader() {
    if (animating_) {
        return;
    }
    animating_ = true;
    // A spinner stopped at the half turn starts with the other half, so that the first step
    // animates at all.
    const auto half = coregraphics::CGAffineTransform::rotation(pi);
    const auto now = spinnerImageView()->transform();
    const bool atHalf = std::fabs(now.a - half.a) < 1e-9 && std::fabs(now.b - half.b) < 1e-9;
    rotateStep(atHalf ? 2 * pi : pi, ++loopGeneration_);
}

void LoadingView::rotateStep(double angle, std::uint64_t generation) {
    const auto spinner = spinnerImageView();
    // Held weakly: the loop must not keep a view that its owner let go.
    std::weak_ptr<LoadingView> weakSelf = std::static_pointer_cast<LoadingView>(shared_from_this());
    UIView::animate(
        halfTurnDuration, 0, uikit::UIViewAnimationOptions::curveLinear,
        [spinner, angle] { spinner->setTransform(coregraphics::CGAffineTransform::rotation(angle)); },
        [weakSelf, angle, generation](bool /*finished*/) {
            const auto self = weakSelf.lock();
            if (!self || self->loopGeneration_ != generation) {
                return;
            }
            self->rotateStep(angle == pi ? 2 * pi : pi, generation);
        });
}

} // namespace vyd
