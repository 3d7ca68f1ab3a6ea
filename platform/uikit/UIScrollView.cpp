#include "platform/uikit/UIScrollView.hpp"

#include <algorithm>
#include <cmath>

namespace uikit {

void UIScrollView::didInit() {
    UIView::didInit();
    setClipsToBounds(true);
    std::weak_ptr<UIScrollView> weakSelf = std::static_pointer_cast<UIScrollView>(shared_from_this());
    pan_ = UIPanGestureRecognizer::make([weakSelf](UIGestureRecognizer& recognizer) {
        if (const auto self = weakSelf.lock()) {
            self->handlePan(static_cast<UIPanGestureRecognizer&>(recognizer));
        }
    });
    addGestureRecognizer(pan_);
}

void UIScrollView::setContentOffset(const CGPoint& offset, bool) {
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y)) {
        return;
    }
    const CGRect b = bounds();
    if (b.origin == offset) {
        return;
    }
    setBounds({offset, b.size});
    if (const auto d = delegate()) {
        d->scrollViewDidScroll(*this);
    }
}

void UIScrollView::setContentSize(const CGSize& size) {
    if (!std::isfinite(size.width) || !std::isfinite(size.height)) {
        return;
    }
    contentSize_ = size;
}

void UIScrollView::setContentInset(const UIEdgeInsets& insets) {
    contentInset_ = insets;
    setNeedsLayout();
}

void UIScrollView::setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior behavior) {
    adjustmentBehavior_ = behavior;
    setNeedsLayout();
}

bool UIScrollView::scrollsVertically() const {
    const CGFloat height = bounds().size.height - contentInset_.top - contentInset_.bottom;
    return contentSize_.height > height;
}

bool UIScrollView::scrollsHorizontally() const {
    const CGFloat width = bounds().size.width - contentInset_.left - contentInset_.right;
    return contentSize_.width > width;
}

UIEdgeInsets UIScrollView::adjustedContentInset() const {
    UIEdgeInsets adjusted = contentInset_;
    const UIEdgeInsets safe = safeAreaInsets();
    bool vertical = false;
    bool horizontal = false;
    switch (adjustmentBehavior_) {
    case UIScrollViewContentInsetAdjustmentBehavior::never:
        break;
    case UIScrollViewContentInsetAdjustmentBehavior::always:
        vertical = horizontal = true;
        break;
    case UIScrollViewContentInsetAdjustmentBehavior::automatic:
        // A scroll view on its own adjusts vertically always, horizontally when it scrolls so.
        vertical = true;
        horizontal = scrollsHorizontally();
        break;
    case UIScrollViewContentInsetAdjustmentBehavior::scrollableAxes:
        vertical = scrollsVertically();
        horizontal = scrollsHorizontally();
        break;
    }
    if (vertical) {
        adjusted.top += safe.top;
        adjusted.bottom += safe.bottom;
    }
    if (horizontal) {
        adjusted.left += safe.left;
        adjusted.right += safe.right;
    }
    return adjusted;
}

CGPoint UIScrollView::minimumContentOffset() const {
    const UIEdgeInsets inset = adjustedContentInset();
    return {-inset.left, -inset.top};
}

CGPoint UIScrollView::maximumContentOffset() const {
    const UIEdgeInsets inset = adjustedContentInset();
    const CGSize size = bounds().size;
    const CGPoint minimum = minimumContentOffset();
    return {std::max(minimum.x, contentSize_.width + inset.right - size.width),
            std::max(minimum.y, contentSize_.height + inset.bottom - size.height)};
}

CGPoint UIScrollView::clamped(const CGPoint& offset) const {
    const CGPoint minimum = minimumContentOffset();
    const CGPoint maximum = maximumContentOffset();
    return {std::clamp(offset.x, minimum.x, maximum.x), std::clamp(offset.y, minimum.y, maximum.y)};
}

void UIScrollView::handlePan(UIPanGestureRecognizer& pan) {
    const auto keep = shared_from_this();
    switch (pan.state()) {
    case UIGestureRecognizerState::began:
        dragging_ = true;
        dragStartOffset_ = contentOffset();
        if (const auto d = delegate()) {
            d->scrollViewWillBeginDragging(*this);
        }
        [[fallthrough]];
    case UIGestureRecognizerState::changed: {
        const CGPoint translation = pan.translation(this);
        CGPoint offset = dragStartOffset_;
        // Only along axes that scroll; beyond the edges too, until the drag ends.
        if (scrollsHorizontally()) {
            offset.x -= translation.x;
        }
        if (scrollsVertically()) {
            offset.y -= translation.y;
        }
        setContentOffset(offset);
        break;
    }
    case UIGestureRecognizerState::ended:
    case UIGestureRecognizerState::cancelled: {
        const CGPoint target = clamped(contentOffset());
        dragging_ = false;
        if (const auto d = delegate()) {
            d->scrollViewDidEndDragging(*this, false);
        }
        setContentOffset(target);
        break;
    }
    case UIGestureRecognizerState::possible:
    case UIGestureRecognizerState::failed:
        break;
    }
}

} // namespace uikit
