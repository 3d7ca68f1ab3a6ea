#include "platform/uikit/UIFont.hpp"

#include "platform/coregraphics/CGFontLibrary.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace uikit {

using coregraphics::CGFont;
using coregraphics::CGFontLibrary;

namespace {

constexpr const char* regularFaceName = "Inter-Regular";
constexpr const char* systemFamilyName = "Inter";

struct SystemFace {
    UIFontWeight weight;
    const char* name;
};

constexpr SystemFace systemFaces[] = {
    {UIFontWeight::ultraLight, "Inter-Thin"}, {UIFontWeight::thin, "Inter-ExtraLight"},
    {UIFontWeight::light, "Inter-Light"},     {UIFontWeight::regular, "Inter-Regular"},
    {UIFontWeight::medium, "Inter-Medium"},   {UIFontWeight::semibold, "Inter-SemiBold"},
    {UIFontWeight::bold, "Inter-Bold"},       {UIFontWeight::heavy, "Inter-ExtraBold"},
    {UIFontWeight::black, "Inter-Black"},
};

// Metrics of Inter, used only when no face at all can be loaded.
constexpr int estimatedUnitsPerEm = 2048;
constexpr int estimatedAscent = 1984;
constexpr int estimatedDescent = -494;
constexpr int estimatedCapHeight = 1490;
constexpr int estimatedXHeight = 1118;
constexpr CGFloat estimatedAdvance = 0.55; // em per character

CGFloat sanitizedSize(CGFloat size) { return std::isfinite(size) && size > 0 ? size : 0; }

const char* faceNameForWeight(UIFontWeight weight) {
    const SystemFace* best = &systemFaces[0];
    for (const SystemFace& face : systemFaces) {
        if (std::fabs(face.weight.rawValue - weight.rawValue) < std::fabs(best->weight.rawValue - weight.rawValue)) {
            best = &face;
        }
    }
    return best->name;
}

bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

UIFont::UIFont(std::shared_ptr<const CGFont> face, std::string fontName, CGFloat size)
    : face_(std::move(face)), fontName_(std::move(fontName)), pointSize_(sanitizedSize(size)) {
    if (face_) {
        fontName_ = face_->postScriptName();
        familyName_ = face_->familyName();
    } else {
        familyName_ = systemFamilyName;
    }
}

UIFont UIFont::systemFont(CGFloat size, UIFontWeight weight) {
    const char* name = faceNameForWeight(weight);
    return UIFont(CGFontLibrary::shared().font(name, regularFaceName), name, size);
}

std::optional<UIFont> UIFont::named(const std::string& fontName, CGFloat size) {
    auto face = CGFontLibrary::shared().font(fontName);
    if (!face) {
        return std::nullopt;
    }
    return UIFont(std::move(face), fontName, size);
}

UIFont UIFont::withSize(CGFloat size) const {
    UIFont copy = *this;
    copy.pointSize_ = sanitizedSize(size);
    return copy;
}

CGFloat UIFont::scaled(double fontUnits) const {
    const int upem = face_ ? face_->unitsPerEm() : estimatedUnitsPerEm;
    return fontUnits * pointSize_ / upem;
}

CGFloat UIFont::ascender() const { return scaled(face_ ? face_->ascent() : estimatedAscent); }
CGFloat UIFont::descender() const { return scaled(face_ ? face_->descent() : estimatedDescent); }
CGFloat UIFont::leading() const { return scaled(face_ ? face_->leading() : 0); }
CGFloat UIFont::lineHeight() const { return ascender() - descender() + leading(); }
CGFloat UIFont::capHeight() const { return scaled(face_ ? face_->capHeight() : estimatedCapHeight); }
CGFloat UIFont::xHeight() const { return scaled(face_ ? face_->xHeight() : estimatedXHeight); }

std::vector<UIFont::Advance> UIFont::advances(std::string_view text) const {
    std::vector<Advance> result;
    if (face_) {
        const auto clusters = face_->clusterAdvances(text);
        result.reserve(clusters->size());
        for (const auto& cluster : *clusters) {
            result.push_back({cluster.offset, scaled(cluster.advance)});
        }
        return result;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isUtf8Continuation(text[i])) {
            result.push_back({i, estimatedAdvance * pointSize_});
        }
    }
    return result;
}

CGFloat UIFont::width(std::string_view text) const {
    if (face_) {
        return scaled(static_cast<double>(face_->advanceWidth(text)));
    }
    return estimatedAdvance * pointSize_ *
           static_cast<CGFloat>(std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

namespace {

bool isBreakingSpace(char c) { return c == ' ' || c == '\t'; }

// One paragraph (text without line breaks) measured once, so that any run of its clusters
// can be measured by subtraction.
struct MeasuredParagraph {
    std::string_view text;
    std::vector<std::size_t> offsets; // start of each cluster, then text.size()
    std::vector<CGFloat> prefix;      // width of the clusters before each index

    MeasuredParagraph(std::string_view paragraph, const UIFont& font) : text(paragraph) {
        const auto advances = font.advances(paragraph);
        prefix.push_back(0);
        for (const auto& advance : advances) {
            offsets.push_back(advance.offset);
            prefix.push_back(prefix.back() + advance.width);
        }
        offsets.push_back(paragraph.size());
    }

    std::size_t clusterCount() const { return offsets.size() - 1; }
    bool isSpace(std::size_t cluster) const { return isBreakingSpace(text[offsets[cluster]]); }
    CGFloat width(std::size_t from, std::size_t to) const { return prefix[to] - prefix[from]; }
    std::size_t trimmedEnd(std::size_t from, std::size_t to) const {
        while (to > from && isSpace(to - 1)) {
            --to;
        }
        return to;
    }
    TextLine line(std::size_t from, std::size_t to) const {
        return {std::string(text.substr(offsets[from], offsets[to] - offsets[from])), width(from, to)};
    }
};

// The last line shown when text is left out: as much of the rest of its paragraph as fits
// before an ellipsis.
TextLine truncatedLine(const MeasuredParagraph& paragraph, std::size_t from, const UIFont& font, CGFloat maxWidth) {
    static const std::string ellipsis = "\u2026";
    const CGFloat ellipsisWidth = font.width(ellipsis);
    std::size_t end = paragraph.clusterCount();
    while (end > from && paragraph.width(from, paragraph.trimmedEnd(from, end)) + ellipsisWidth > maxWidth) {
        --end;
    }
    end = paragraph.trimmedEnd(from, end);
    TextLine line = paragraph.line(from, end);
    line.text += ellipsis;
    line.width += ellipsisWidth;
    return line;
}

std::vector<std::string_view> paragraphsOf(std::string_view text) {
    std::vector<std::string_view> paragraphs;
    std::size_t start = 0;
    while (true) {
        const std::size_t newline = text.find('\n', start);
        std::string_view paragraph =
            text.substr(start, newline == std::string_view::npos ? std::string_view::npos : newline - start);
        if (!paragraph.empty() && paragraph.back() == '\r') {
            paragraph.remove_suffix(1);
        }
        paragraphs.push_back(paragraph);
        if (newline == std::string_view::npos) {
            break;
        }
        start = newline + 1;
    }
    // A final line break ends the last line; it does not open another one.
    if (paragraphs.size() > 1 && paragraphs.back().empty()) {
        paragraphs.pop_back();
    }
    return paragraphs;
}

} // namespace

TextLayout layoutText(const std::string& text, const UIFont& font, CGFloat width, int numberOfLines) {
    const bool wraps = std::isfinite(width) && width > 0;
    const CGFloat maxWidth = wraps ? width : std::numeric_limits<CGFloat>::infinity();
    const std::size_t maxLines = numberOfLines > 0 ? static_cast<std::size_t>(numberOfLines) : 0;
    // Rounding in the sums must not push a line that fits exactly onto the next one.
    const CGFloat tolerance = 1e-9;

    TextLayout layout;
    const auto paragraphs = paragraphsOf(text);
    for (std::size_t p = 0; p < paragraphs.size() && !layout.truncated; ++p) {
        const MeasuredParagraph paragraph(paragraphs[p], font);
        const std::size_t count = paragraph.clusterCount();
        std::size_t start = 0;
        do {
            std::size_t end = count;
            std::size_t lastBreak = start;
            for (std::size_t k = start; k < count; ++k) {
                if (paragraph.isSpace(k)) {
                    if (k > start && !paragraph.isSpace(k - 1)) {
                        lastBreak = k;
                    }
                    continue;
                }
                if (paragraph.width(start, k + 1) > maxWidth + tolerance) {
                    // Break after the last whole word, or inside a word wider than the line
                    // (keeping at least one character per line).
                    end = lastBreak > start ? lastBreak : std::max(k, start + 1);
                    break;
                }
            }
            const bool isLastLineOfParagraph = end == count;
            const bool isLastLineShown = maxLines != 0 && layout.lines.size() + 1 == maxLines;
            if (isLastLineShown && (!isLastLineOfParagraph || p + 1 < paragraphs.size())) {
                // More text than lines: the last line shown takes the ellipsis.
                layout.lines.push_back(truncatedLine(paragraph, start, font, maxWidth));
                layout.truncated = true;
                break;
            }
            layout.lines.push_back(paragraph.line(start, wraps ? paragraph.trimmedEnd(start, end) : end));
            start = end;
            while (start < count && paragraph.isSpace(start)) {
                ++start;
            }
        } while (start < count);
    }

    CGFloat widest = 0;
    for (const TextLine& line : layout.lines) {
        widest = std::max(widest, line.width);
    }
    layout.size = {widest, static_cast<CGFloat>(layout.lines.size()) * font.lineHeight()};
    return layout;
}

CGSize sizeWithFont(const std::string& text, const UIFont& font) { return layoutText(text, font, 0, 0).size; }

} // namespace uikit
