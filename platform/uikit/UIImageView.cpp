#include "platform/uikit/UIImageView.hpp"

namespace uikit {

UIImageView::UIImageView(std::shared_ptr<UIImage> image)
    : UIView(image ? CGRect{{0, 0}, image->size()} : CGRect::zero()), image_(std::move(image)) {
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(const CGRect& frame) : UIView(frame) { setUserInteractionEnabled(false); }

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
    if (image == image_) {
        return;
    }
    const bool sizeChanged = !image || !image_ || image->size() != image_->size();
    image_ = std::move(image);
    if (sizeChanged) {
        invalidateIntrinsicContentSize();
    }
}

bool UIImageView::drawsWithTintColor() const {
    const auto& shown = highlighted_ && highlightedImage_ ? highlightedImage_ : image_;
    return shown && shown->renderingMode() == UIImageRenderingMode::alwaysTemplate;
}

CGSize UIImageView::intrinsicContentSize() const {
    if (!image_) {
        return {noIntrinsicMetric, noIntrinsicMetric};
    }
    return image_->size();
}

CGSize UIImageView::sizeThatFits(const CGSize&) const { return image_ ? image_->size() : bounds().size; }

} // namespace uikit
