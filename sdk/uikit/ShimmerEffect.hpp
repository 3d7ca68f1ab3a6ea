#pragma once

// A loading placeholder for declarative views: an endlessly sweeping diagonal gradient laid
// over a view, in a rounded rectangle with continuous corners. An inactive shimmer shows
// nothing at all, neither the gradient nor the view it modifies.

#include "platform/swiftui/State.hpp"
#include "platform/swiftui/View.hpp"

#include <vector>

namespace vyd {

// The gradient: from above the top-left corner, when it appears it sweeps to beyond the
// bottom-right one, once every `speed` seconds, for as long as it is shown.
struct ShimmerEffectBox {
    ShimmerEffectBox(double speed, std::vector<swiftui::Color> colors);

    swiftui::View body() const;

    swiftui::State<swiftui::UnitPoint> startPoint{swiftui::UnitPoint{-1.8, -1.2}};
    swiftui::State<swiftui::UnitPoint> endPoint{swiftui::UnitPoint{0, -0.2}};
    double speed;
    std::vector<swiftui::Color> colors;
};

struct ShimmerModifier {
    // No colours: the palette's shimmer gradient, as the interface style makes it now.
    ShimmerModifier(bool isActive, double speed, std::vector<swiftui::Color> colors,
                    coregraphics::CGFloat cornerRadius);

    swiftui::View body(swiftui::View content) const;

    bool isActive;
    double speed;
    std::vector<swiftui::Color> colors;
    coregraphics::CGFloat cornerRadius;
};

swiftui::View shimmerEffect(const swiftui::View& view, bool isActive, double speed, std::vector<swiftui::Color> colors,
                            coregraphics::CGFloat cornerRadius);
// The palette's colours, a sweep every 1.25 s, 5-point corners.
swiftui::View shimmer(const swiftui::View& view, bool isActive);

} // namespace vyd
