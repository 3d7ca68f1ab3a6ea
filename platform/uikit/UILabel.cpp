#include "platform/uikit/UILabel.hpp"

#include <cmath>

namespace uikit {

UILabel::UILabel(const CGRect& frame) : UIView(frame), font_(UIFont::systemFont(17)), textColor_(UIColor::black()) {
    setUserInteractionEnabled(false);
}

void UILabel::textMetricsChanged() {
    measured_ = {};
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void UILabel::setText(std::optional<std::string> text) {
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    textMetricsChanged();
}

void UILabel::setFont(const UIFont& font) {
    font_ = font;
    textMetricsChanged();
}

void UILabel::setTextColor(std::optional<UIColor> color) { textColor_ = color ? *color : UIColor::black(); }

void UILabel::setNumberOfLines(int lines) {
    numberOfLines_ = lines < 0 ? 0 : lines;
    textMetricsChanged();
}

void UILabel::setLineBreakMode(NSLineBreakMode mode) {
    lineBreakMode_ = mode;
    textMetricsChanged();
}

void UILabel::setPreferredMaxLayoutWidth(CGFloat width) {
    preferredMaxLayoutWidth_ = std::isfinite(width) && width > 0 ? width : 0;
    textMetricsChanged();
}

CGSize UILabel::measure(CGFloat width) const {
    if (!text_ || text_->empty()) {
        return {0, 0};
    }
    for (const auto& kept : measured_) {
        if (kept && kept->width == width) {
            return kept->size;
        }
    }
    const TextLayout layout = layoutText(*text_, font_, width, numberOfLines_);
    const CGSize size{std::ceil(layout.size.width - 1e-9), std::ceil(layout.size.height - 1e-9)};
    measured_[nextMeasured_] = Measured{width, size};
    nextMeasured_ = (nextMeasured_ + 1) % measured_.size();
    return size;
}

TextLayout UILabel::displayedText() const {
    if (!text_ || text_->empty()) {
        return {};
    }
    return layoutText(*text_, font_, bounds().size.width, numberOfLines_);
}

bool UILabel::intrinsicSizeDependsOnWidth() const { return numberOfLines_ != 1 && preferredMaxLayoutWidth_ <= 0; }

CGSize UILabel::intrinsicContentSizeForLayoutWidth(CGFloat width) const {
    return measure(preferredMaxLayoutWidth_ > 0 ? preferredMaxLayoutWidth_ : width);
}

CGSize UILabel::intrinsicContentSize() const {
    if (preferredMaxLayoutWidth_ > 0) {
        return measure(preferredMaxLayoutWidth_);
    }
    if (numberOfLines_ != 1) {
        if (const auto width = lastLayoutWidth()) {
            return measure(*width);
        }
    }
    return measure(0);
}

CGSize UILabel::sizeThatFits(const CGSize& size) const {
    // A one-line label answers its whole text's width, whatever width it is offered.
    return measure(numberOfLines_ != 1 && size.width > 0 ? size.width : 0);
}

} // namespace uikit
