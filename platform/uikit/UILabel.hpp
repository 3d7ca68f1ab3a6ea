#pragma once

// A view that shows text: measured with its font (UIFont's text layout), wrapped to its width
// up to `numberOfLines` (0: no limit) and cut with an ellipsis when it needs more.
//
// Its intrinsic content size is the size of its text, rounded up to whole points. A label that
// may take more than one line and has no preferredMaxLayoutWidth measures again with the width
// that layout gives it, so that a label constrained in width wraps and grows in height (the
// layout engine runs the second pass). Labels take no touches by default.

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIView.hpp"

#include <array>
#include <optional>
#include <string>

namespace uikit {

// The platform's raw values.
enum class NSTextAlignment : int { left = 0, center = 1, right = 2, justified = 3, natural = 4 };
enum class NSLineBreakMode : int {
    byWordWrapping = 0,
    byCharWrapping = 1,
    byClipping = 2,
    byTruncatingHead = 3,
    byTruncatingTail = 4,
    byTruncatingMiddle = 5,
};

constexpr int rawValue(NSTextAlignment alignment) { return static_cast<int>(alignment); }
constexpr int rawValue(NSLineBreakMode mode) { return static_cast<int>(mode); }

class UILabel : public UIView {
public:
    static std::shared_ptr<UILabel> make(const CGRect& frame = CGRect::zero()) { return create<UILabel>(frame); }
    explicit UILabel(const CGRect& frame = CGRect::zero());

    std::string className() const override { return "UILabel"; }

    const std::optional<std::string>& text() const { return text_; }
    void setText(std::optional<std::string> text);
    // The system font of 17 points unless set.
    const UIFont& font() const { return font_; }
    void setFont(const UIFont& font);
    // Black unless set; setting none restores the default.
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(std::optional<UIColor> color);
    NSTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSTextAlignment alignment) { textAlignment_ = alignment; }
    int numberOfLines() const { return numberOfLines_; }
    // Negative counts are read as 0 (no limit).
    void setNumberOfLines(int lines);
    NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(NSLineBreakMode mode);
    CGFloat preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
    void setPreferredMaxLayoutWidth(CGFloat width);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // The lines the label shows at its current width (what a user reads).
    TextLayout displayedText() const;

    CGSize intrinsicContentSize() const override;
    // The text's size within numberOfLines, wrapped to at most `size.width` when it may take
    // more than one line (no limit when 0); a one-line label answers its full width.
    CGSize sizeThatFits(const CGSize& size) const override;

protected:
    bool intrinsicSizeDependsOnWidth() const override;
    CGSize intrinsicContentSizeForLayoutWidth(CGFloat width) const override;

private:
    CGSize measure(CGFloat width) const;
    void textMetricsChanged();

    std::optional<std::string> text_;
    UIFont font_;
    UIColor textColor_;
    NSTextAlignment textAlignment_ = NSTextAlignment::natural;
    int numberOfLines_ = 1;
    NSLineBreakMode lineBreakMode_ = NSLineBreakMode::byTruncatingTail;
    CGFloat preferredMaxLayoutWidth_ = 0;
    bool enabled_ = true;
    // What the text measured at the last few widths: a layout pass asks for the same widths
    // again and again, and laying the text out is the dearest part of the answer. Forgotten when
    // the text, the font or the lines change.
    struct Measured {
        CGFloat width;
        CGSize size;
    };
    mutable std::array<std::optional<Measured>, 4> measured_;
    mutable std::size_t nextMeasured_ = 0;
};

} // namespace uikit
