#pragma once

// A scrolling view of text. Nothing is typed into it here: it keeps its text, font and alignment
// and sizes its content to the text, as the platform does: the content is as wide as the bounds
// and as high as the text wrapped inside the text container (insets of 8 points above and below,
// 5 points of line padding on each side), measured in the font (the system font of 12 points
// while no font is set).

#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"

#include <optional>
#include <string>

namespace uikit {

class UITextView : public UIScrollView {
public:
    static constexpr CGFloat textContainerVerticalInset = 8;
    static constexpr CGFloat lineFragmentPadding = 5;

    static std::shared_ptr<UITextView> make(const CGRect& frame = CGRect::zero()) { return create<UITextView>(frame); }
    explicit UITextView(const CGRect& frame = CGRect::zero()) : UIScrollView(frame) {}

    std::string className() const override { return "UITextView"; }

    // Never absent on the platform: setting none empties it.
    const std::string& text() const { return text_; }
    void setText(std::optional<std::string> text);
    const std::optional<UIFont>& font() const { return font_; }
    void setFont(std::optional<UIFont> font);
    NSTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSTextAlignment alignment) { textAlignment_ = alignment; }

protected:
    void layoutSubviews() override;

private:
    void updateContentSize();

    std::string text_;
    std::optional<UIFont> font_;
    NSTextAlignment textAlignment_ = NSTextAlignment::natural;
};

} // namespace uikit
