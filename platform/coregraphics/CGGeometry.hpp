#pragma once

// Points, sizes and rectangles in points, with the top-left origin that UIKit draws in.
//
// Rectangles follow the platform's rules: a rectangle with a negative width or height is read
// in its standardized form by every min/mid/max query and operation, the null rectangle (the
// result of intersecting rectangles that do not meet) has an infinite origin, and equality
// compares standardized rectangles.

#include <cmath>
#include <limits>

namespace coregraphics {

using CGFloat = double;

struct CGAffineTransform;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;

    static constexpr CGPoint zero() { return {}; }
    CGPoint applying(const CGAffineTransform& t) const;

    friend constexpr bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;

    static constexpr CGSize zero() { return {}; }
    // Sizes are vectors: a transform's translation does not move them.
    CGSize applying(const CGAffineTransform& t) const;

    friend constexpr bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGVector {
    CGFloat dx = 0;
    CGFloat dy = 0;

    friend constexpr bool operator==(const CGVector&, const CGVector&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;

    constexpr CGRect() = default;
    constexpr CGRect(CGPoint o, CGSize s) : origin(o), size(s) {}
    constexpr CGRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) : origin{x, y}, size{width, height} {}

    static constexpr CGRect zero() { return {}; }
    // The rectangle that stands for "no rectangle", e.g. the intersection of disjoint rectangles.
    static constexpr CGRect null() {
        return {std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity(), 0, 0};
    }

    CGFloat minX() const { return std::fmin(origin.x, origin.x + size.width); }
    CGFloat midX() const { return origin.x + size.width / 2; }
    CGFloat maxX() const { return std::fmax(origin.x, origin.x + size.width); }
    CGFloat minY() const { return std::fmin(origin.y, origin.y + size.height); }
    CGFloat midY() const { return origin.y + size.height / 2; }
    CGFloat maxY() const { return std::fmax(origin.y, origin.y + size.height); }
    CGFloat width() const { return std::fabs(size.width); }
    CGFloat height() const { return std::fabs(size.height); }

    bool isNull() const { return std::isinf(origin.x) || std::isinf(origin.y); }
    // Null rectangles and rectangles without area are empty.
    bool isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }

    CGRect standardized() const;
    CGRect offsetBy(CGFloat dx, CGFloat dy) const;
    // Shrinks each side by dx (left and right) and dy (top and bottom); negative values grow
    // it. A rectangle that would get a negative width or height becomes the null rectangle.
    CGRect insetBy(CGFloat dx, CGFloat dy) const;
    CGRect intersection(const CGRect& other) const;
    // The smallest rectangle containing both; a null rectangle adds nothing.
    CGRect unionWith(const CGRect& other) const;

    // Points on the minimum edges are inside, points on the maximum edges are not.
    bool contains(const CGPoint& point) const;
    bool contains(const CGRect& other) const;
    // True when the two rectangles share some area; rectangles that only touch do not.
    bool intersects(const CGRect& other) const;

    // The bounding box of the transformed corners.
    CGRect applying(const CGAffineTransform& t) const;

    friend bool operator==(const CGRect& a, const CGRect& b);
};

} // namespace coregraphics
