#include "platform/uikit/UITextView.hpp"

#include <cmath>

namespace uikit {

void UITextView::setText(std::optional<std::string> text) {
    text_ = text.value_or("");
    updateContentSize();
}

void UITextView::setFont(std::optional<UIFont> font) {
    font_ = std::move(font);
    updateContentSize();
}

void UITextView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    updateContentSize();
}

void UITextView::updateContentSize() {
    const CGFloat width = bounds().size.width;
    const UIFont font = font_.value_or(UIFont::systemFont(12));
    // A container with no room for text (a view not laid out yet) does not wrap.
    const TextLayout layout = layoutText(text_, font, width - 2 * lineFragmentPadding);
    const CGFloat textHeight = text_.empty() ? font.lineHeight() : layout.size.height;
    setContentSize({width, std::ceil(textHeight - 1e-9) + 2 * textContainerVerticalInset});
}

} // namespace uikit
