#pragma once

// Fonts of text views: the system font (Inter, see uikit::UIFont) at a size, weight and design.
// Designs other than the default keep their value but are measured with the same faces.

#include "platform/swiftui/Geometry.hpp"
#include "platform/uikit/UIFont.hpp"

namespace swiftui {

class Font {
public:
    enum class Weight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };
    enum class Design { default_, rounded, monospaced, serif };

    static Font system(CGFloat size, Weight weight = Weight::regular, Design design = Design::default_) {
        return Font(size, weight, design);
    }
    // The platform's body style: 17 points, regular.
    static Font body() { return system(17); }

    Font weight(Weight weight) const { return Font(size_, weight, design_); }

    CGFloat size() const { return size_; }
    Weight weight() const { return weight_; }
    Design design() const { return design_; }

    uikit::UIFont uiFont(CGFloat scale = 1) const;

    friend bool operator==(const Font&, const Font&) = default;

private:
    Font(CGFloat size, Weight weight, Design design) : size_(size), weight_(weight), design_(design) {}

    CGFloat size_;
    Weight weight_;
    Design design_;
};

enum class TextAlignment { leading, center, trailing };

enum class TruncationMode { head, tail, middle };

} // namespace swiftui
