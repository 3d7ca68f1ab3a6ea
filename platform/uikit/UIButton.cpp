#include "platform/uikit/UIButton.hpp"

#include <algorithm>
#include <cmath>

namespace uikit {

namespace {

// The image scaled down, keeping its proportions, to fit the area; never scaled up.
CGRect fitted(const CGSize& size, const CGRect& area) {
    CGFloat w = size.width;
    CGFloat h = size.height;
    const CGFloat aw = std::max<CGFloat>(0, area.size.width);
    const CGFloat ah = std::max<CGFloat>(0, area.size.height);
    if (w > aw || h > ah) {
        const CGFloat scale = std::min(w > 0 ? aw / w : 1, h > 0 ? ah / h : 1);
        w *= scale;
        h *= scale;
    }
    return {area.origin.x + (aw - w) / 2, area.origin.y + (ah - h) / 2, w, h};
}

} // namespace

UIButton::UIButton(UIButtonType type, const CGRect& frame)
    : UIControl(frame), type_(type), titleLabel_(UILabel::make()), imageView_(UIImageView::make()),
      backgroundImageView_(UIImageView::make()) {
    titleLabel_->setFont(UIFont::systemFont(15));
    titleLabel_->setTextAlignment(NSTextAlignment::center);
    titleLabel_->setLineBreakMode(NSLineBreakMode::byTruncatingMiddle);
}

void UIButton::didInit() {
    UIControl::didInit();
    updateContent();
}

template <class T>
std::optional<T> UIButton::lookup(const std::map<unsigned, T>& values, UIControlState state) {
    if (const auto it = values.find(rawValue(state)); it != values.end()) {
        return it->second;
    }
    if (const auto it = values.find(rawValue(UIControlState::normal)); it != values.end()) {
        return it->second;
    }
    return std::nullopt;
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state) {
    if (title) {
        titles_[rawValue(state)] = std::move(*title);
    } else {
        titles_.erase(rawValue(state));
    }
    updateContent();
}

std::optional<std::string> UIButton::title(UIControlState state) const { return lookup(titles_, state); }

void UIButton::setTitleColor(std::optional<UIColor> color, UIControlState state) {
    if (color) {
        titleColors_.insert_or_assign(rawValue(state), *color);
    } else {
        titleColors_.erase(rawValue(state));
    }
    updateContent();
}

std::optional<UIColor> UIButton::titleColor(UIControlState state) const {
    if (auto color = lookup(titleColors_, state)) {
        return color;
    }
    if (type_ == UIButtonType::custom) {
        return UIColor::white();
    }
    if (contains(state, UIControlState::disabled)) {
        return UIColor::gray();
    }
    return contains(state, UIControlState::highlighted) ? tintColor().withAlphaComponent(0.2) : tintColor();
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
    if (image) {
        images_[rawValue(state)] = std::move(image);
    } else {
        images_.erase(rawValue(state));
    }
    updateContent();
}

std::shared_ptr<UIImage> UIButton::image(UIControlState state) const {
    return lookup(images_, state).value_or(nullptr);
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state) {
    if (image) {
        backgroundImages_[rawValue(state)] = std::move(image);
    } else {
        backgroundImages_.erase(rawValue(state));
    }
    updateContent();
}

std::shared_ptr<UIImage> UIButton::backgroundImage(UIControlState state) const {
    return lookup(backgroundImages_, state).value_or(nullptr);
}

void UIButton::setContentEdgeInsets(const UIEdgeInsets& insets) {
    contentEdgeInsets_ = insets;
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void UIButton::setImageEdgeInsets(const UIEdgeInsets& insets) {
    imageEdgeInsets_ = insets;
    setNeedsLayout();
}

void UIButton::setTitleEdgeInsets(const UIEdgeInsets& insets) {
    titleEdgeInsets_ = insets;
    setNeedsLayout();
}

void UIButton::stateDidChange() { updateContent(); }

void UIButton::tintColorDidChange() {
    UIControl::tintColorDidChange();
    updateContent();
}

void UIButton::updateContent() {
    const auto title = currentTitle();
    const auto image = currentImage();
    const auto background = currentBackgroundImage();
    const auto previousTitle = titleLabel_->text();
    const auto previousImage = imageView_->image();

    if (background && !backgroundImageView_->superview()) {
        insertSubview(backgroundImageView_, 0);
    }
    backgroundImageView_->setImage(background);
    backgroundImageView_->setHidden(!background);

    if (image && !imageView_->superview()) {
        // Above the background image, below the title.
        insertSubview(imageView_, backgroundImageView_->superview() ? std::size_t{1} : std::size_t{0});
    }
    imageView_->setImage(image);
    imageView_->setHidden(!image);

    if (title && !titleLabel_->superview()) {
        addSubview(titleLabel_);
    }
    titleLabel_->setText(title);
    titleLabel_->setTextColor(currentTitleColor());
    titleLabel_->setHidden(!title || title->empty());

    const bool imageSizeChanged =
        !image != !previousImage || (image && previousImage && image->size() != previousImage->size());
    if (title != previousTitle || imageSizeChanged) {
        invalidateIntrinsicContentSize();
    }
    setNeedsLayout();
}

CGSize UIButton::titleSize(CGFloat maxWidth) const {
    const auto& text = titleLabel_->text();
    if (!text || text->empty()) {
        return {0, 0};
    }
    return titleLabel_->sizeThatFits({std::max<CGFloat>(0, maxWidth), 0});
}

CGSize UIButton::imageSize() const {
    const auto image = currentImage();
    return image ? image->size() : CGSize{0, 0};
}

CGSize UIButton::intrinsicContentSize() const {
    const CGSize image = imageSize();
    const CGSize title = titleSize(0);
    const auto background = currentBackgroundImage();
    CGSize size{image.width + title.width + contentEdgeInsets_.left + contentEdgeInsets_.right,
                std::max(image.height, title.height) + contentEdgeInsets_.top + contentEdgeInsets_.bottom};
    if (background) {
        size.width = std::max(size.width, background->size().width);
        size.height = std::max(size.height, background->size().height);
    }
    return size;
}

CGSize UIButton::sizeThatFits(const CGSize&) const { return intrinsicContentSize(); }

void UIButton::layoutSubviews() {
    UIControl::layoutSubviews();
    const CGRect b = bounds();
    backgroundImageView_->setFrame(b);
    const CGRect content = inset(b, contentEdgeInsets_);
    const bool hasImage = currentImage() != nullptr;
    const auto& text = titleLabel_->text();
    const bool hasTitle = text && !text->empty();

    const CGSize naturalImage = imageSize();
    const CGFloat imageWidth = hasImage ? std::min(naturalImage.width, std::max<CGFloat>(0, content.size.width)) : 0;
    const CGSize title = hasTitle ? titleSize(content.size.width - imageWidth) : CGSize{0, 0};
    const CGFloat titleWidth = std::min(title.width, std::max<CGFloat>(0, content.size.width - imageWidth));
    // Image and title side by side, centred as a group in the content rectangle.
    const CGFloat groupX = content.origin.x + (content.size.width - imageWidth - titleWidth) / 2;

    if (hasImage) {
        const CGRect slot = hasTitle ? CGRect{groupX, content.origin.y, imageWidth, content.size.height} : content;
        imageView_->setFrame(fitted(naturalImage, inset(slot, imageEdgeInsets_)));
    }
    if (hasTitle) {
        const CGRect slot{groupX + imageWidth, content.origin.y + (content.size.height - title.height) / 2, titleWidth,
                          title.height};
        titleLabel_->setFrame(inset(slot, titleEdgeInsets_).standardized());
    }
}

} // namespace uikit
