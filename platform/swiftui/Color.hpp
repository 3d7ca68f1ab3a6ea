#pragma once

// A colour of the declarative layer, over a platform colour (dynamic colours follow the
// interface style when resolved). As a view, a colour fills the space it is offered.

#include "platform/uikit/UIColor.hpp"

#include <utility>

namespace swiftui {

class Color {
public:
    explicit Color(uikit::UIColor color) : color_(std::move(color)) {}

    static Color black() { return Color(uikit::UIColor::black()); }
    static Color white() { return Color(uikit::UIColor::white()); }
    static Color red() { return Color(uikit::UIColor::red()); }
    static Color blue() { return Color(uikit::UIColor::blue()); }
    static Color clear() { return Color(uikit::UIColor::clear()); }

    Color opacity(double opacity) const;

    const uikit::UIColor& uiColor() const { return color_; }

    friend bool operator==(const Color& a, const Color& b) { return a.color_ == b.color_; }

private:
    uikit::UIColor color_;
};

inline Color Color::opacity(double opacity) const {
    coregraphics::CGFloat r = 0, g = 0, b = 0, a = 0;
    color_.getRed(r, g, b, a);
    return Color(color_.withAlphaComponent(a * opacity));
}

} // namespace swiftui
