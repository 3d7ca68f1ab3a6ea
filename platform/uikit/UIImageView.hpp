#pragma once

// A view that shows an image. Its intrinsic content size is the image's size in points (no
// intrinsic metric without an image). A template image (rendering mode alwaysTemplate) is drawn
// in the view's tint colour. Image views take no touches by default.

#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace uikit {

class UIImageView : public UIView {
public:
    static std::shared_ptr<UIImageView> make(std::shared_ptr<UIImage> image = nullptr) {
        return create<UIImageView>(std::move(image));
    }
    static std::shared_ptr<UIImageView> make(const CGRect& frame) { return create<UIImageView>(frame); }

    explicit UIImageView(std::shared_ptr<UIImage> image = nullptr);
    explicit UIImageView(const CGRect& frame);

    std::string className() const override { return "UIImageView"; }

    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image);
    const std::shared_ptr<UIImage>& highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(std::shared_ptr<UIImage> image) { highlightedImage_ = std::move(image); }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }

    // Whether the image shown is drawn as a stencil in the tint colour.
    bool drawsWithTintColor() const;

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(const CGSize& size) const override;

private:
    std::shared_ptr<UIImage> image_;
    std::shared_ptr<UIImage> highlightedImage_;
    bool highlighted_ = false;
};

} // namespace uikit
