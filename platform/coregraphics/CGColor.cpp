#include "platform/coregraphics/CGColor.hpp"

#include <cmath>

namespace coregraphics {

CGColor CGColor::rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    return CGColor(CGColorSpace::sRGB(), {red, green, blue, alpha});
}

CGColor CGColor::gray(CGFloat gray, CGFloat alpha) {
    return CGColor(CGColorSpace::genericGrayGamma2_2(), {gray, alpha});
}

std::optional<CGColor> CGColor::create(const CGColorSpace& space, const std::vector<CGFloat>& components) {
    if (components.size() != static_cast<std::size_t>(space.numberOfComponents()) + 1) {
        return std::nullopt;
    }
    for (CGFloat c : components) {
        if (std::isnan(c)) {
            return std::nullopt;
        }
    }
    return CGColor(space, components);
}

CGColor CGColor::copyWithAlpha(CGFloat alpha) const {
    std::vector<CGFloat> copy = components_;
    copy.back() = alpha;
    return CGColor(*space_, std::move(copy));
}

} // namespace coregraphics
