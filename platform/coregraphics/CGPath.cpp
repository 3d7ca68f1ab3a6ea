#include "platform/coregraphics/CGPath.hpp"

#include <algorithm>
#include <cmath>

namespace coregraphics {

CGPath CGPath::rect(const CGRect& rect) {
    CGPath path;
    if (rect.isNull()) {
        return path;
    }
    path.kind_ = Kind::rect;
    path.rect_ = rect.standardized();
    return path;
}

CGPath CGPath::roundedRect(const CGRect& rect, CGFloat cornerWidth, CGFloat cornerHeight) {
    CGPath path = CGPath::rect(rect);
    if (path.isEmpty()) {
        return path;
    }
    path.cornerWidth_ = std::clamp(std::isnan(cornerWidth) ? 0 : cornerWidth, 0.0, path.rect_.size.width / 2);
    path.cornerHeight_ = std::clamp(std::isnan(cornerHeight) ? 0 : cornerHeight, 0.0, path.rect_.size.height / 2);
    path.kind_ = Kind::roundedRect;
    return path;
}

} // namespace coregraphics
