#include "platform/uikit/UIColor.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace uikit {

using coregraphics::CGColorSpace;
using coregraphics::CGColorSpaceModel;

struct UIColor::Storage {
    std::optional<CGColor> color;
    DynamicProvider provider;
};

namespace {

// A provider that resolves to another dynamic colour is followed; one that keeps returning
// dynamic colours (e.g. itself) is cut off rather than recursing for ever.
constexpr int maximumResolutionDepth = 16;

CGColor extendedColor(const CGColorSpace& space, const std::vector<CGFloat>& components) {
    // The counts are fixed by the callers, so creation cannot fail except for NaN input, which
    // becomes transparent black rather than poisoning later arithmetic.
    if (auto color = CGColor::create(space, components)) {
        return *color;
    }
    return *CGColor::create(space, std::vector<CGFloat>(components.size(), 0));
}

UIColor dynamicPair(UIColor light, UIColor dark) {
    return UIColor([light, dark](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? dark : light;
    });
}

} // namespace

UIColor::UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
    : storage_(std::make_shared<const Storage>(
          Storage{extendedColor(CGColorSpace::extendedSRGB(), {red, green, blue, alpha}), nullptr})) {}

UIColor::UIColor(CGFloat white, CGFloat alpha)
    : storage_(std::make_shared<const Storage>(
          Storage{extendedColor(CGColorSpace::extendedGray(), {white, alpha}), nullptr})) {}

UIColor::UIColor(const CGColor& color) : storage_(std::make_shared<const Storage>(Storage{color, nullptr})) {}

UIColor::UIColor(DynamicProvider dynamicProvider)
    : storage_(std::make_shared<const Storage>(Storage{std::nullopt, std::move(dynamicProvider)})) {
    if (!storage_->provider) {
        storage_ = clear().storage_;
    }
}

UIColor UIColor::fromHSB(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha) {
    // Hue wraps around the circle; 1 is the same as 0.
    CGFloat h = std::fmod(hue, 1.0);
    if (h < 0) {
        h += 1;
    }
    const CGFloat sector = h * 6;
    const int index = static_cast<int>(std::floor(sector)) % 6;
    const CGFloat f = sector - std::floor(sector);
    const CGFloat v = brightness;
    const CGFloat p = v * (1 - saturation);
    const CGFloat q = v * (1 - saturation * f);
    const CGFloat t = v * (1 - saturation * (1 - f));
    switch (index) {
    case 0:
        return UIColor(v, t, p, alpha);
    case 1:
        return UIColor(q, v, p, alpha);
    case 2:
        return UIColor(p, v, t, alpha);
    case 3:
        return UIColor(p, q, v, alpha);
    case 4:
        return UIColor(t, p, v, alpha);
    default:
        return UIColor(v, p, q, alpha);
    }
}

UIColor UIColor::white() { return UIColor(1.0, 1.0); }
UIColor UIColor::black() { return UIColor(0.0, 1.0); }
UIColor UIColor::gray() { return UIColor(0.5, 1.0); }
UIColor UIColor::clear() { return UIColor(0.0, 0.0); }
UIColor UIColor::red() { return UIColor(1.0, 0.0, 0.0, 1.0); }
UIColor UIColor::blue() { return UIColor(0.0, 0.0, 1.0, 1.0); }

UIColor UIColor::systemBlue() {
    static const UIColor color =
        dynamicPair(UIColor(0.0, 122 / 255.0, 1.0, 1.0), UIColor(10 / 255.0, 132 / 255.0, 1.0, 1.0));
    return color;
}

UIColor UIColor::systemGroupedBackground() {
    static const UIColor color =
        dynamicPair(UIColor(242 / 255.0, 242 / 255.0, 247 / 255.0, 1.0), UIColor(0.0, 0.0, 0.0, 1.0));
    return color;
}

bool UIColor::isDynamic() const { return static_cast<bool>(storage_->provider); }

UIColor UIColor::resolvedColor(const UITraitCollection& traits) const {
    UIColor color = *this;
    for (int depth = 0; color.isDynamic(); ++depth) {
        if (depth == maximumResolutionDepth) {
            return clear();
        }
        color = color.storage_->provider(traits);
    }
    return color;
}

CGColor UIColor::cgColor() const { return *resolvedColor(UITraitCollection::current()).storage_->color; }

bool UIColor::getRed(CGFloat& red, CGFloat& green, CGFloat& blue, CGFloat& alpha) const {
    const CGColor color = cgColor();
    const auto& c = color.components();
    switch (color.colorSpace().model()) {
    case CGColorSpaceModel::monochrome:
        red = green = blue = c[0];
        alpha = c[1];
        return true;
    case CGColorSpaceModel::rgb:
        red = c[0];
        green = c[1];
        blue = c[2];
        alpha = c[3];
        return true;
    default:
        return false;
    }
}

bool UIColor::getHue(CGFloat& hue, CGFloat& saturation, CGFloat& brightness, CGFloat& alpha) const {
    CGFloat r = 0;
    CGFloat g = 0;
    CGFloat b = 0;
    CGFloat a = 0;
    if (!getRed(r, g, b, a)) {
        return false;
    }
    const CGFloat maximum = std::max({r, g, b});
    const CGFloat minimum = std::min({r, g, b});
    const CGFloat delta = maximum - minimum;
    CGFloat h = 0;
    if (delta > 0) {
        if (maximum == r) {
            h = (g - b) / delta;
        } else if (maximum == g) {
            h = 2 + (b - r) / delta;
        } else {
            h = 4 + (r - g) / delta;
        }
        h /= 6;
        if (h < 0) {
            h += 1;
        }
    }
    hue = h;
    saturation = maximum > 0 ? delta / maximum : 0;
    brightness = maximum;
    alpha = a;
    return true;
}

bool UIColor::getWhite(CGFloat& white, CGFloat& alpha) const {
    const CGColor color = cgColor();
    const auto& c = color.components();
    switch (color.colorSpace().model()) {
    case CGColorSpaceModel::monochrome:
        white = c[0];
        alpha = c[1];
        return true;
    case CGColorSpaceModel::rgb:
        white = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2];
        alpha = c[3];
        return true;
    default:
        return false;
    }
}

UIColor UIColor::withAlphaComponent(CGFloat alpha) const {
    if (!isDynamic()) {
        return UIColor(storage_->color->copyWithAlpha(alpha));
    }
    const UIColor base = *this;
    return UIColor([base, alpha](const UITraitCollection& traits) {
        return base.resolvedColor(traits).withAlphaComponent(alpha);
    });
}

bool operator==(const UIColor& a, const UIColor& b) {
    if (a.storage_ == b.storage_) {
        return true;
    }
    if (a.isDynamic() || b.isDynamic()) {
        return false;
    }
    return *a.storage_->color == *b.storage_->color;
}

} // namespace uikit
