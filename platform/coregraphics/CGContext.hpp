#pragma once

// A bitmap drawing context. Coordinates are in points with the origin at the top left, as
// UIKit draws; a point is `scale` pixels. Drawing composites source-over, colours and images
// sampled with bilinear filtering. One context belongs to one thread at a time.

#include "platform/coregraphics/CGColor.hpp"
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/coregraphics/CGImage.hpp"

#include <memory>
#include <vector>

namespace coregraphics {

class CGContext {
public:
    // No context for a size that is empty, not finite, or larger than CGImage allows; a scale
    // that is not positive and finite counts as 1.
    static std::unique_ptr<CGContext> bitmap(CGSize size, CGFloat scale, bool opaque);

    CGFloat scale() const { return scale_; }
    bool isOpaque() const { return opaque_; }

    void fill(const CGRect& rect, const CGColor& color);
    // Draws the whole image scaled into the rectangle.
    void draw(const CGImage& image, const CGRect& rect);

    std::shared_ptr<const CGImage> makeImage() const;

private:
    struct Premultiplied {
        float red = 0, green = 0, blue = 0, alpha = 0;
    };

    CGContext(std::size_t width, std::size_t height, CGFloat scale, bool opaque);
    // The pixel columns and rows a rectangle in points covers, clipped to the bitmap.
    bool pixelSpan(const CGRect& rect, std::size_t& x0, std::size_t& y0, std::size_t& x1, std::size_t& y1) const;
    void composite(std::size_t x, std::size_t y, const Premultiplied& source);

    std::size_t width_;
    std::size_t height_;
    CGFloat scale_;
    bool opaque_;
    std::vector<Premultiplied> pixels_;
};

} // namespace coregraphics
