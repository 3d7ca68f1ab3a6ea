#pragma once

// Distances inward from each edge of a rectangle, in points. Negative values reach outward.

#include "platform/coregraphics/CGGeometry.hpp"

namespace uikit {

using coregraphics::CGFloat;

struct UIEdgeInsets {
    CGFloat top = 0;
    CGFloat left = 0;
    CGFloat bottom = 0;
    CGFloat right = 0;

    static constexpr UIEdgeInsets zero() { return {}; }

    friend constexpr bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};

// The rectangle shrunk by the insets (the platform's `rect.inset(by:)`): plain arithmetic on the
// origin and size, so insets larger than the rectangle give a negative width or height, which
// the min/max queries read in standardized form.
inline coregraphics::CGRect inset(const coregraphics::CGRect& rect, const UIEdgeInsets& insets) {
    return {rect.origin.x + insets.left, rect.origin.y + insets.top, rect.size.width - insets.left - insets.right,
            rect.size.height - insets.top - insets.bottom};
}

} // namespace uikit
