#include "platform/coregraphics/CGContext.hpp"

#include <algorithm>
#include <cmath>

namespace coregraphics {

namespace {

float clamp01(CGFloat value) { return static_cast<float>(std::clamp(std::isnan(value) ? 0.0 : value, 0.0, 1.0)); }

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

CGContext::CGContext(std::size_t width, std::size_t height, CGFloat scale, bool opaque)
    : width_(width), height_(height), scale_(scale), opaque_(opaque), pixels_(width * height) {
    if (opaque_) {
        std::fill(pixels_.begin(), pixels_.end(), Premultiplied{0, 0, 0, 1});
    }
}

std::unique_ptr<CGContext> CGContext::bitmap(CGSize size, CGFloat scale, bool opaque) {
    if (!(std::isfinite(scale) && scale > 0)) {
        scale = 1;
    }
    const CGFloat w = std::ceil(size.width * scale - 1e-9);
    const CGFloat h = std::ceil(size.height * scale - 1e-9);
    if (!(std::isfinite(w) && std::isfinite(h) && w >= 1 && h >= 1)) {
        return nullptr;
    }
    const auto limit = static_cast<CGFloat>(CGImage::maximumPixelCount);
    if (w > limit || h > limit || w * h > limit) {
        return nullptr;
    }
    return std::unique_ptr<CGContext>(
        new CGContext(static_cast<std::size_t>(w), static_cast<std::size_t>(h), scale, opaque));
}

bool CGContext::pixelSpan(const CGRect& rect, std::size_t& x0, std::size_t& y0, std::size_t& x1,
                          std::size_t& y1) const {
    if (rect.isNull() || rect.isEmpty() || std::isnan(rect.minX()) || std::isnan(rect.maxX()) ||
        std::isnan(rect.minY()) || std::isnan(rect.maxY())) {
        return false;
    }
    // A pixel belongs to the rectangle when its centre does.
    const auto span = [this](CGFloat from, CGFloat to, std::size_t limit, std::size_t& first, std::size_t& last) {
        const CGFloat a = std::clamp(std::round(from * scale_), 0.0, static_cast<CGFloat>(limit));
        const CGFloat b = std::clamp(std::round(to * scale_), 0.0, static_cast<CGFloat>(limit));
        first = static_cast<std::size_t>(a);
        last = static_cast<std::size_t>(b);
        return first < last;
    };
    return span(rect.minX(), rect.maxX(), width_, x0, x1) && span(rect.minY(), rect.maxY(), height_, y0, y1);
}

void CGContext::composite(std::size_t x, std::size_t y, const Premultiplied& source) {
    Premultiplied& target = pixels_[y * width_ + x];
    const float remaining = 1.0f - source.alpha;
    target.red = source.red + target.red * remaining;
    target.green = source.green + target.green * remaining;
    target.blue = source.blue + target.blue * remaining;
    target.alpha = opaque_ ? 1.0f : source.alpha + target.alpha * remaining;
}

void CGContext::fill(const CGRect& rect, const CGColor& color) {
    std::size_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!pixelSpan(rect, x0, y0, x1, y1)) {
        return;
    }
    const auto& c = color.components();
    const bool grey = color.colorSpace().model() == CGColorSpaceModel::monochrome;
    const float alpha = clamp01(color.alpha());
    const Premultiplied source{clamp01(c[0]) * alpha, clamp01(grey ? c[0] : c[1]) * alpha,
                               clamp01(grey ? c[0] : c[2]) * alpha, alpha};
    for (std::size_t y = y0; y < y1; ++y) {
        for (std::size_t x = x0; x < x1; ++x) {
            composite(x, y, source);
        }
    }
}

void CGContext::draw(const CGImage& image, const CGRect& rect) {
    std::size_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!pixelSpan(rect, x0, y0, x1, y1)) {
        return;
    }
    const CGRect r = rect.standardized();
    const CGFloat left = r.origin.x * scale_;
    const CGFloat top = r.origin.y * scale_;
    const CGFloat xRatio = static_cast<CGFloat>(image.width()) / (r.size.width * scale_);
    const CGFloat yRatio = static_cast<CGFloat>(image.height()) / (r.size.height * scale_);
    const auto sample = [&image](std::ptrdiff_t sx, std::ptrdiff_t sy) {
        sx = std::clamp<std::ptrdiff_t>(sx, 0, static_cast<std::ptrdiff_t>(image.width()) - 1);
        sy = std::clamp<std::ptrdiff_t>(sy, 0, static_cast<std::ptrdiff_t>(image.height()) - 1);
        const CGRGBA p = image.pixel(static_cast<std::size_t>(sx), static_cast<std::size_t>(sy));
        const float a = p.alpha / 255.0f;
        return Premultiplied{p.red / 255.0f * a, p.green / 255.0f * a, p.blue / 255.0f * a, a};
    };
    for (std::size_t y = y0; y < y1; ++y) {
        const CGFloat v = (static_cast<CGFloat>(y) + 0.5 - top) * yRatio - 0.5;
        const auto sy = static_cast<std::ptrdiff_t>(std::floor(v));
        const auto fy = static_cast<float>(v - std::floor(v));
        for (std::size_t x = x0; x < x1; ++x) {
            const CGFloat u = (static_cast<CGFloat>(x) + 0.5 - left) * xRatio - 0.5;
            const auto sx = static_cast<std::ptrdiff_t>(std::floor(u));
            const auto fx = static_cast<float>(u - std::floor(u));
            const Premultiplied p00 = sample(sx, sy), p10 = sample(sx + 1, sy);
            const Premultiplied p01 = sample(sx, sy + 1), p11 = sample(sx + 1, sy + 1);
            const auto mix = [&](float Premultiplied::*channel) {
                const float topRow = p00.*channel + (p10.*channel - p00.*channel) * fx;
                const float bottomRow = p01.*channel + (p11.*channel - p01.*channel) * fx;
                return topRow + (bottomRow - topRow) * fy;
            };
            composite(x, y,
                      {mix(&Premultiplied::red), mix(&Premultiplied::green), mix(&Premultiplied::blue),
                       mix(&Premultiplied::alpha)});
        }
    }
}

std::shared_ptr<const CGImage> CGContext::makeImage() const {
    std::vector<CGRGBA> out(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Premultiplied& p = pixels_[i];
        if (p.alpha <= 0) {
            continue;
        }
        out[i] = {toByte(p.red / p.alpha), toByte(p.green / p.alpha), toByte(p.blue / p.alpha), toByte(p.alpha)};
    }
    return CGImage::make(width_, height_, std::move(out));
}

} // namespace coregraphics
