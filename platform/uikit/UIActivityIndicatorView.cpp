#include "platform/uikit/UIActivityIndicatorView.hpp"

#include "platform/quartzcore/CABasicAnimation.hpp"

#include <cmath>

namespace uikit {

namespace {

const char* const kSpinKey = "spin";

CGSize sizeOf(UIActivityIndicatorViewStyle style) {
    const bool large =
        style == UIActivityIndicatorViewStyle::large || style == UIActivityIndicatorViewStyle::whiteLarge;
    return large ? CGSize{37, 37} : CGSize{20, 20};
}

UIColor defaultColor(UIActivityIndicatorViewStyle style) {
    return style == UIActivityIndicatorViewStyle::white || style == UIActivityIndicatorViewStyle::whiteLarge
               ? UIColor::white()
               : UIColor::gray();
}

} // namespace

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(CGRect{{0, 0}, sizeOf(style)}), style_(style), color_(defaultColor(style)) {
    setHidden(true);
}

void UIActivityIndicatorView::setColor(std::optional<UIColor> color) { color_ = color ? *color : defaultColor(style_); }

void UIActivityIndicatorView::startAnimating() {
    if (animating_) {
        return;
    }
    animating_ = true;
    setHidden(false);
    auto spin = quartzcore::CABasicAnimation::make("transform.rotation");
    spin->fromValue = 0.0;
    spin->toValue = 2 * M_PI;
    spin->duration = 1;
    spin->repeatCount = HUGE_VALF;
    layer()->add(spin, kSpinKey);
}

void UIActivityIndicatorView::stopAnimating() {
    if (!animating_) {
        return;
    }
    animating_ = false;
    layer()->removeAnimation(kSpinKey);
    setHidden(true);
}

CGSize UIActivityIndicatorView::intrinsicContentSize() const { return sizeOf(style_); }

} // namespace uikit
