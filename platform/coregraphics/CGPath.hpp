#pragma once

// An immutable outline. Only the shapes the UI layer draws exist: a rectangle and a rectangle
// with rounded corners. Corner sizes larger than half a side are reduced to half that side, as
// UIKit's rounded-rectangle paths do, so that a path never folds over itself.

#include "platform/coregraphics/CGGeometry.hpp"

namespace coregraphics {

class CGPath {
public:
    enum class Kind { empty, rect, roundedRect };

    CGPath() = default;
    static CGPath rect(const CGRect& rect);
    static CGPath roundedRect(const CGRect& rect, CGFloat cornerWidth, CGFloat cornerHeight);
    static CGPath roundedRect(const CGRect& rect, CGFloat cornerRadius) {
        return roundedRect(rect, cornerRadius, cornerRadius);
    }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::empty; }
    // The rectangle the path was made from, standardized; the null rectangle for an empty path.
    CGRect boundingBox() const { return kind_ == Kind::empty ? CGRect::null() : rect_; }
    CGFloat cornerWidth() const { return cornerWidth_; }
    CGFloat cornerHeight() const { return cornerHeight_; }

    friend bool operator==(const CGPath&, const CGPath&) = default;

private:
    Kind kind_ = Kind::empty;
    CGRect rect_;
    CGFloat cornerWidth_ = 0;
    CGFloat cornerHeight_ = 0;
};

} // namespace coregraphics
