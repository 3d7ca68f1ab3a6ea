#pragma once

// Sizes, alignments and edges of the declarative layout. Leading is left and trailing is right:
// the layer lays out left to right only.

#include "platform/coregraphics/CGGeometry.hpp"

#include <cmath>
#include <limits>
#include <optional>

namespace swiftui {

using coregraphics::CGFloat;
using coregraphics::CGPoint;
using coregraphics::CGRect;
using coregraphics::CGSize;

inline constexpr CGFloat infinity = std::numeric_limits<CGFloat>::infinity();

// What a parent offers a child: a length per axis, or none (the child's ideal). Zero asks for
// the child's minimum, infinity for its maximum.
struct ProposedViewSize {
    std::optional<CGFloat> width;
    std::optional<CGFloat> height;

    static constexpr ProposedViewSize unspecified() { return {}; }
    static constexpr ProposedViewSize zero() { return {0, 0}; }
    static constexpr ProposedViewSize infinity() { return {swiftui::infinity, swiftui::infinity}; }

    CGSize replacingUnspecifiedDimensions(CGSize by = {10, 10}) const {
        return {width.value_or(by.width), height.value_or(by.height)};
    }

    friend bool operator==(const ProposedViewSize&, const ProposedViewSize&) = default;
};

enum class Axis { horizontal, vertical };

// A point in a view's unit square: (0, 0) top leading, (1, 1) bottom trailing.
struct UnitPoint {
    CGFloat x = 0;
    CGFloat y = 0;

    static constexpr UnitPoint zero() { return {0, 0}; }
    static constexpr UnitPoint center() { return {0.5, 0.5}; }
    static constexpr UnitPoint leading() { return {0, 0.5}; }
    static constexpr UnitPoint trailing() { return {1, 0.5}; }
    static constexpr UnitPoint top() { return {0.5, 0}; }
    static constexpr UnitPoint bottom() { return {0.5, 1}; }
    static constexpr UnitPoint topLeading() { return {0, 0}; }
    static constexpr UnitPoint topTrailing() { return {1, 0}; }
    static constexpr UnitPoint bottomLeading() { return {0, 1}; }
    static constexpr UnitPoint bottomTrailing() { return {1, 1}; }

    friend bool operator==(const UnitPoint&, const UnitPoint&) = default;
};

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom };

struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;

    static constexpr Alignment center() { return {}; }
    static constexpr Alignment leading() { return {HorizontalAlignment::leading, VerticalAlignment::center}; }
    static constexpr Alignment trailing() { return {HorizontalAlignment::trailing, VerticalAlignment::center}; }
    static constexpr Alignment top() { return {HorizontalAlignment::center, VerticalAlignment::top}; }
    static constexpr Alignment bottom() { return {HorizontalAlignment::center, VerticalAlignment::bottom}; }
    static constexpr Alignment topLeading() { return {HorizontalAlignment::leading, VerticalAlignment::top}; }
    static constexpr Alignment topTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::top}; }
    static constexpr Alignment bottomLeading() { return {HorizontalAlignment::leading, VerticalAlignment::bottom}; }
    static constexpr Alignment bottomTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::bottom}; }

    friend bool operator==(const Alignment&, const Alignment&) = default;
};

constexpr CGFloat alignmentFactor(HorizontalAlignment a) {
    return a == HorizontalAlignment::leading ? 0 : (a == HorizontalAlignment::center ? 0.5 : 1);
}
constexpr CGFloat alignmentFactor(VerticalAlignment a) {
    return a == VerticalAlignment::top ? 0 : (a == VerticalAlignment::center ? 0.5 : 1);
}

// Where a child of `size` goes in a space of `space` under the alignment (its top-left corner).
inline CGPoint aligned(CGSize size, CGSize space, Alignment alignment) {
    return {(space.width - size.width) * alignmentFactor(alignment.horizontal),
            (space.height - size.height) * alignmentFactor(alignment.vertical)};
}

enum class Edge { top = 1, leading = 2, bottom = 4, trailing = 8 };

// A set of edges.
struct EdgeSet {
    unsigned raw = 0;

    constexpr EdgeSet(Edge edge) : raw(static_cast<unsigned>(edge)) {} // NOLINT: a single edge is a set
    constexpr explicit EdgeSet(unsigned raw) : raw(raw) {}
    static constexpr EdgeSet all() { return EdgeSet(15u); }
    static constexpr EdgeSet horizontal() { return EdgeSet(10u); }
    static constexpr EdgeSet vertical() { return EdgeSet(5u); }
    constexpr bool contains(Edge edge) const { return (raw & static_cast<unsigned>(edge)) != 0; }
    friend constexpr EdgeSet operator|(EdgeSet a, EdgeSet b) { return EdgeSet(a.raw | b.raw); }
};

struct EdgeInsets {
    CGFloat top = 0;
    CGFloat leading = 0;
    CGFloat bottom = 0;
    CGFloat trailing = 0;

    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

enum class ContentMode { fit, fill };

enum class RoundedCornerStyle { circular, continuous };

// The shapes that views are clipped to.
struct Shape {
    enum class Kind { rectangle, roundedRectangle, circle };
    Kind kind = Kind::rectangle;
    CGSize cornerSize;
    RoundedCornerStyle style = RoundedCornerStyle::circular;

    // Whether the point lies inside the shape fitted to `rect`.
    bool contains(const CGRect& rect, const CGPoint& point) const;
};

inline Shape Rectangle() { return {}; }
inline Shape RoundedRectangle(CGFloat cornerRadius, RoundedCornerStyle style = RoundedCornerStyle::circular) {
    return {Shape::Kind::roundedRectangle, {cornerRadius, cornerRadius}, style};
}
inline Shape Circle() { return {Shape::Kind::circle, {}, RoundedCornerStyle::circular}; }

} // namespace swiftui
