#pragma once

// A 2-D affine transform in the platform's row-vector convention: a point (x, y) maps to
// (a*x + c*y + tx, b*x + d*y + ty). Angles are in radians; with y pointing down, a positive
// angle turns clockwise on screen.

#include "platform/coregraphics/CGGeometry.hpp"

namespace coregraphics {

struct CGAffineTransform {
    CGFloat a = 1;
    CGFloat b = 0;
    CGFloat c = 0;
    CGFloat d = 1;
    CGFloat tx = 0;
    CGFloat ty = 0;

    static constexpr CGAffineTransform identity() { return {}; }
    static CGAffineTransform rotation(CGFloat angle);
    static constexpr CGAffineTransform translation(CGFloat x, CGFloat y) { return {1, 0, 0, 1, x, y}; }
    static constexpr CGAffineTransform scale(CGFloat sx, CGFloat sy) { return {sx, 0, 0, sy, 0, 0}; }

    bool isIdentity() const { return *this == identity(); }

    // A transform that cannot be inverted (zero determinant) is returned unchanged, as the
    // platform does.
    CGAffineTransform inverted() const;

    friend constexpr bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;
};

} // namespace coregraphics
