#pragma once

// A layer that fills and strokes a path (opaque black fill and no stroke by default, as on the
// platform).

#include "platform/coregraphics/CGPath.hpp"
#include "platform/quartzcore/CALayer.hpp"

namespace quartzcore {

class CAShapeLayer : public CALayer {
public:
    static std::shared_ptr<CAShapeLayer> make() { return std::shared_ptr<CAShapeLayer>(new CAShapeLayer()); }

    const std::optional<coregraphics::CGPath>& path() const { return path_; }
    void setPath(std::optional<coregraphics::CGPath> path) { path_ = std::move(path); }
    const std::optional<CGColor>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<CGColor> color) { fillColor_ = std::move(color); }
    const std::optional<CGColor>& strokeColor() const { return strokeColor_; }
    void setStrokeColor(std::optional<CGColor> color) { strokeColor_ = std::move(color); }
    CGFloat lineWidth() const { return lineWidth_; }
    void setLineWidth(CGFloat width) { lineWidth_ = width; }

protected:
    CAShapeLayer() = default;

private:
    std::optional<coregraphics::CGPath> path_;
    std::optional<CGColor> fillColor_ = CGColor::black();
    std::optional<CGColor> strokeColor_;
    CGFloat lineWidth_ = 1;
};

} // namespace quartzcore
