#include "platform/uikit/UIScreen.hpp"

#include <cmath>
#include <iostream>

namespace uikit {

UIScreen& UIScreen::main() {
    static UIScreen screen;
    return screen;
}

bool UIScreen::setBounds(const coregraphics::CGRect& bounds) {
    const bool finite = std::isfinite(bounds.origin.x) && std::isfinite(bounds.origin.y) &&
                        std::isfinite(bounds.size.width) && std::isfinite(bounds.size.height);
    if (!finite || bounds.size.width <= 0 || bounds.size.height <= 0) {
        std::cerr << "UIScreen: bounds need a finite, positive size; they stay " << bounds_.size.width << " x "
                  << bounds_.size.height << ".\n";
        return false;
    }
    bounds_ = bounds;
    return true;
}

bool UIScreen::setScale(coregraphics::CGFloat scale) {
    if (!std::isfinite(scale) || scale <= 0) {
        std::cerr << "UIScreen: the scale must be finite and positive; it stays " << scale_ << ".\n";
        return false;
    }
    scale_ = scale;
    return true;
}

} // namespace uikit
