#include "platform/swiftui/Geometry.hpp"

#include <algorithm>

namespace swiftui {

bool Shape::contains(const CGRect& rect, const CGPoint& point) const {
    if (!rect.contains(point)) {
        return false;
    }
    CGFloat rx = 0;
    CGFloat ry = 0;
    switch (kind) {
    case Kind::rectangle:
        return true;
    case Kind::circle:
        rx = ry = std::min(rect.width(), rect.height()) / 2;
        break;
    case Kind::roundedRectangle:
        rx = std::min(cornerSize.width, rect.width() / 2);
        ry = std::min(cornerSize.height, rect.height() / 2);
        break;
    }
    if (rx <= 0 || ry <= 0) {
        return true;
    }
    // Outside the corner ellipses' quarter only near a corner; the continuous style's
    // smoother corner is taken as the circular one here.
    const CGFloat cx = std::clamp(point.x, rect.minX() + rx, rect.maxX() - rx);
    const CGFloat cy = std::clamp(point.y, rect.minY() + ry, rect.maxY() - ry);
    const CGFloat dx = (point.x - cx) / rx;
    const CGFloat dy = (point.y - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

} // namespace swiftui
