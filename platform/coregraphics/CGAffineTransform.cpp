#include "platform/coregraphics/CGAffineTransform.hpp"

#include <algorithm>
#include <cmath>

namespace coregraphics {

CGAffineTransform CGAffineTransform::rotation(CGFloat angle) {
    const CGFloat cosine = std::cos(angle);
    const CGFloat sine = std::sin(angle);
    return {cosine, sine, -sine, cosine, 0, 0};
}

CGAffineTransform CGAffineTransform::inverted() const {
    const CGFloat determinant = a * d - b * c;
    if (determinant == 0 || !std::isfinite(determinant)) {
        return *this;
    }
    const CGFloat ia = d / determinant;
    const CGFloat ib = -b / determinant;
    const CGFloat ic = -c / determinant;
    const CGFloat id = a / determinant;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

CGPoint CGPoint::applying(const CGAffineTransform& t) const {
    return {t.a * x + t.c * y + t.tx, t.b * x + t.d * y + t.ty};
}

CGSize CGSize::applying(const CGAffineTransform& t) const {
    return {t.a * width + t.c * height, t.b * width + t.d * height};
}

CGRect CGRect::applying(const CGAffineTransform& t) const {
    if (isNull()) {
        return null();
    }
    const CGPoint corners[] = {CGPoint{minX(), minY()}.applying(t), CGPoint{maxX(), minY()}.applying(t),
                               CGPoint{minX(), maxY()}.applying(t), CGPoint{maxX(), maxY()}.applying(t)};
    CGFloat left = corners[0].x;
    CGFloat right = corners[0].x;
    CGFloat top = corners[0].y;
    CGFloat bottom = corners[0].y;
    for (const CGPoint& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}

} // namespace coregraphics
