#include "sdk/uikit/ShimmerEffect.hpp"

#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/Palette.hpp"

namespace vyd {

using swiftui::View;

ShimmerEffectBox::ShimmerEffectBox(double speed, std::vector<swiftui::Color> colors)
    : speed(speed), colors(std::move(colors)) {}

View ShimmerEffectBox::body() const {
    const auto start = startPoint;
    const auto end = endPoint;
    const double duration = speed;
    return swiftui::LinearGradient(colors, *startPoint, *endPoint).onAppear([start, end, duration] {
        swiftui::withAnimation(swiftui::Animation::linear(duration).repeatForever(false), [&] {
            start.set({1, 1});
            end.set({2.2, 2.2});
        });
    });
}

ShimmerModifier::ShimmerModifier(bool isActive, double speed, std::vector<swiftui::Color> colors,
                                 coregraphics::CGFloat cornerRadius)
    : isActive(isActive), speed(speed), colors(std::move(colors)), cornerRadius(cornerRadius) {
    if (this->colors.empty()) {
        for (const auto& color : makeGradient(palette::shimmerColor())) {
            this->colors.emplace_back(color);
        }
    }
}

View ShimmerModifier::body(View content) const {
    return swiftui::If(isActive, content.overlay(View(ShimmerEffectBox(speed, colors))
                                                     .clipShape(swiftui::RoundedRectangle(
                                                         cornerRadius, swiftui::RoundedCornerStyle::continuous))));
}

View shimmerEffect(const View& view, bool isActive, double speed, std::vector<swiftui::Color> colors,
                   coregraphics::CGFloat cornerRadius) {
    return view.modifier(ShimmerModifier(isActive, speed, std::move(colors), cornerRadius));
}

View shimmer(const View& view, bool isActive) { return shimmerEffect(view, isActive, 1.25, {}, 5); }

} // namespace vyd
