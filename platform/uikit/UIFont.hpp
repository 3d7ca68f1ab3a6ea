#pragma once

// Fonts and text measurement.
//
// The system font is Inter (the faces of coregraphics::CGFontLibrary::shared()), in the weight
// nearest to the one asked for. A face that cannot be loaded falls back to the regular face
// (logged once); if even that is missing, text is measured with estimated metrics so that
// layout still works. UIFont is an immutable value, safe to share between threads, and so is
// every measurement function here: text can be measured on worker threads.
//
// Measurements are in points and not rounded (round up where whole points are needed, as
// labels do).

#include "platform/coregraphics/CGFont.hpp"
#include "platform/coregraphics/CGGeometry.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {

using coregraphics::CGFloat;
using coregraphics::CGSize;

// The platform's font weights, with its raw values.
struct UIFontWeight {
    CGFloat rawValue = 0;

    static const UIFontWeight ultraLight;
    static const UIFontWeight thin;
    static const UIFontWeight light;
    static const UIFontWeight regular;
    static const UIFontWeight medium;
    static const UIFontWeight semibold;
    static const UIFontWeight bold;
    static const UIFontWeight heavy;
    static const UIFontWeight black;

    friend constexpr bool operator==(const UIFontWeight&, const UIFontWeight&) = default;
};

inline constexpr UIFontWeight UIFontWeight::ultraLight{-0.8};
inline constexpr UIFontWeight UIFontWeight::thin{-0.6};
inline constexpr UIFontWeight UIFontWeight::light{-0.4};
inline constexpr UIFontWeight UIFontWeight::regular{0};
inline constexpr UIFontWeight UIFontWeight::medium{0.23};
inline constexpr UIFontWeight UIFontWeight::semibold{0.3};
inline constexpr UIFontWeight UIFontWeight::bold{0.4};
inline constexpr UIFontWeight UIFontWeight::heavy{0.56};
inline constexpr UIFontWeight UIFontWeight::black{0.62};

class UIFont {
public:
    // A size that is negative or not finite becomes 0.
    static UIFont systemFont(CGFloat size, UIFontWeight weight = UIFontWeight::regular);
    static UIFont boldSystemFont(CGFloat size) { return systemFont(size, UIFontWeight::bold); }
    // The font with that PostScript name (e.g. "Inter-Medium"); no font for an unknown name.
    static std::optional<UIFont> named(const std::string& fontName, CGFloat size);

    UIFont withSize(CGFloat size) const;

    // The face actually used, e.g. "Inter-Regular" when a heavier face fell back.
    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return familyName_; }
    CGFloat pointSize() const { return pointSize_; }
    CGFloat ascender() const;
    // Below the baseline, so negative.
    CGFloat descender() const;
    CGFloat leading() const;
    // ascender - descender + leading.
    CGFloat lineHeight() const;
    CGFloat capHeight() const;
    CGFloat xHeight() const;

    // The advance width of the text set on one line (line breaks are not interpreted).
    CGFloat width(std::string_view text) const;

    struct Advance {
        std::size_t offset;
        CGFloat width;
    };
    // The width of each shaped cluster of the text, in text order.
    std::vector<Advance> advances(std::string_view text) const;

    friend bool operator==(const UIFont& a, const UIFont& b) {
        return a.fontName_ == b.fontName_ && a.pointSize_ == b.pointSize_;
    }

private:
    UIFont(std::shared_ptr<const coregraphics::CGFont> face, std::string fontName, CGFloat size);
    CGFloat scaled(double fontUnits) const;

    std::shared_ptr<const coregraphics::CGFont> face_;
    std::string fontName_;
    std::string familyName_;
    CGFloat pointSize_ = 0;
};

// The size of the text drawn with the font, line breaks starting new lines (the platform's
// `size(withAttributes:)` with a font attribute). The empty string has zero width and the
// height of one line.
CGSize sizeWithFont(const std::string& text, const UIFont& font);

struct TextLine {
    std::string text;
    CGFloat width = 0;
};

struct TextLayout {
    CGSize size;                 // widest line by number of lines times the line height
    std::vector<TextLine> lines; // what each line shows
    bool truncated = false;      // text was left out; the last line then ends with "…"

    std::size_t lineCount() const { return lines.size(); }
};

// Lays the text out in lines no wider than `width` (no limit when it is 0, negative or
// infinite), breaking at spaces and, for a word wider than a whole line, between characters.
// Spaces at a break belong to neither line. At most `numberOfLines` lines (0: no limit); text
// that does not fit is cut at the end of the last line with an ellipsis.
TextLayout layoutText(const std::string& text, const UIFont& font, CGFloat width, int numberOfLines = 0);

} // namespace uikit
