#pragma once

// An immutable colour: a colour space and its components, alpha last. A grey colour has two
// components (white, alpha), an RGB colour four (red, green, blue, alpha). Colours are values
// here; two colours are equal when their spaces and components are equal, as the platform
// compares them.

#include "platform/coregraphics/CGColorSpace.hpp"
#include "platform/coregraphics/CGGeometry.hpp"

#include <optional>
#include <vector>

namespace coregraphics {

class CGColor {
public:
    // sRGB and generic grey, as the platform's CGColor initialisers make them.
    static CGColor rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha = 1);
    static CGColor gray(CGFloat gray, CGFloat alpha = 1);
    static CGColor white() { return gray(1, 1); }
    static CGColor black() { return gray(0, 1); }
    static CGColor clear() { return gray(0, 0); }

    // No colour when the number of components does not fit the space (its components plus
    // alpha) or a component is not a number.
    static std::optional<CGColor> create(const CGColorSpace& space, const std::vector<CGFloat>& components);

    const CGColorSpace& colorSpace() const { return *space_; }
    const std::vector<CGFloat>& components() const { return components_; }
    std::size_t numberOfComponents() const { return components_.size(); }
    CGFloat alpha() const { return components_.back(); }
    CGColor copyWithAlpha(CGFloat alpha) const;

    friend bool operator==(const CGColor& a, const CGColor& b) {
        return *a.space_ == *b.space_ && a.components_ == b.components_;
    }

private:
    CGColor(const CGColorSpace& space, std::vector<CGFloat> components)
        : space_(&space), components_(std::move(components)) {}

    const CGColorSpace* space_;
    std::vector<CGFloat> components_;
};

} // namespace coregraphics
