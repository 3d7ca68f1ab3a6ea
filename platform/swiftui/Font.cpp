#include "platform/swiftui/Font.hpp"

namespace swiftui {

namespace {

uikit::UIFontWeight uiWeight(Font::Weight weight) {
    switch (weight) {
    case Font::Weight::ultraLight:
        return uikit::UIFontWeight::ultraLight;
    case Font::Weight::thin:
        return uikit::UIFontWeight::thin;
    case Font::Weight::light:
        return uikit::UIFontWeight::light;
    case Font::Weight::regular:
        return uikit::UIFontWeight::regular;
    case Font::Weight::medium:
        return uikit::UIFontWeight::medium;
    case Font::Weight::semibold:
        return uikit::UIFontWeight::semibold;
    case Font::Weight::bold:
        return uikit::UIFontWeight::bold;
    case Font::Weight::heavy:
        return uikit::UIFontWeight::heavy;
    case Font::Weight::black:
        return uikit::UIFontWeight::black;
    }
    return uikit::UIFontWeight::regular;
}

} // namespace

uikit::UIFont Font::uiFont(CGFloat scale) const { return uikit::UIFont::systemFont(size_ * scale, uiWeight(weight_)); }

} // namespace swiftui
