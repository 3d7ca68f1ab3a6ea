#include "platform/coregraphics/CGGeometry.hpp"

#include <algorithm>

namespace coregraphics {

CGRect CGRect::standardized() const {
    if (isNull()) {
        return null();
    }
    return {minX(), minY(), width(), height()};
}

CGRect CGRect::offsetBy(CGFloat dx, CGFloat dy) const {
    if (isNull()) {
        return null();
    }
    const CGRect s = standardized();
    return {s.origin.x + dx, s.origin.y + dy, s.size.width, s.size.height};
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const {
    if (isNull()) {
        return null();
    }
    const CGRect s = standardized();
    const CGFloat w = s.size.width - 2 * dx;
    const CGFloat h = s.size.height - 2 * dy;
    if (w < 0 || h < 0) {
        return null();
    }
    return {s.origin.x + dx, s.origin.y + dy, w, h};
}

CGRect CGRect::intersection(const CGRect& other) const {
    if (isNull() || other.isNull()) {
        return null();
    }
    const CGFloat left = std::max(minX(), other.minX());
    const CGFloat right = std::min(maxX(), other.maxX());
    const CGFloat top = std::max(minY(), other.minY());
    const CGFloat bottom = std::min(maxY(), other.maxY());
    if (left > right || top > bottom) {
        return null();
    }
    return {left, top, right - left, bottom - top};
}

CGRect CGRect::unionWith(const CGRect& other) const {
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    const CGFloat left = std::min(minX(), other.minX());
    const CGFloat top = std::min(minY(), other.minY());
    return {left, top, std::max(maxX(), other.maxX()) - left, std::max(maxY(), other.maxY()) - top};
}

bool CGRect::contains(const CGPoint& point) const {
    if (isNull()) {
        return false;
    }
    return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool CGRect::contains(const CGRect& other) const {
    if (isNull() || other.isNull()) {
        return false;
    }
    return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() && other.maxY() <= maxY();
}

bool CGRect::intersects(const CGRect& other) const {
    const CGRect common = intersection(other);
    return !common.isNull() && common.size.width > 0 && common.size.height > 0;
}

bool operator==(const CGRect& a, const CGRect& b) {
    if (a.isNull() || b.isNull()) {
        return a.isNull() && b.isNull();
    }
    const CGRect sa = a.standardized();
    const CGRect sb = b.standardized();
    return sa.origin == sb.origin && sa.size == sb.size;
}

} // namespace coregraphics
