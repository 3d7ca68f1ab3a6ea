#pragma once

// A layer that paints a gradient over its bounds. Points are in the layer's unit coordinates
// ((0, 0) top left, (1, 1) bottom right); locations are kept as given, unchecked, as the
// platform does; no locations means evenly spaced colours.

#include "platform/quartzcore/CALayer.hpp"

namespace quartzcore {

class CAGradientLayer : public CALayer {
public:
    static std::shared_ptr<CAGradientLayer> make() { return std::shared_ptr<CAGradientLayer>(new CAGradientLayer()); }

    const std::vector<CGColor>& colors() const { return colors_; }
    void setColors(std::vector<CGColor> colors) { colors_ = std::move(colors); }
    const std::optional<std::vector<double>>& locations() const { return locations_; }
    void setLocations(std::optional<std::vector<double>> locations) { locations_ = std::move(locations); }
    CGPoint startPoint() const { return startPoint_; }
    void setStartPoint(const CGPoint& point) { startPoint_ = point; }
    CGPoint endPoint() const { return endPoint_; }
    void setEndPoint(const CGPoint& point) { endPoint_ = point; }

protected:
    CAGradientLayer() = default;

private:
    std::vector<CGColor> colors_;
    std::optional<std::vector<double>> locations_;
    CGPoint startPoint_{0.5, 0};
    CGPoint endPoint_{0.5, 1};
};

} // namespace quartzcore
