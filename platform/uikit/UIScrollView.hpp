#pragma once

// A view that shows a larger content area through its bounds: the content offset is the
// bounds' origin. Its pan recogniser scrolls it when the user drags (through the simulated
// user): along the axes whose content is larger than the view the offset follows the finger,
// past the edges too (the view bounces), and the delegate hears the drag begin, every change
// of the offset, and the drag end. Scrolling stops where the finger leaves it: there is no
// deceleration, so the delegate is told the drag ends without decelerating. An overscrolled
// offset springs back to the nearest edge at the end of the drag.
//
// The content size is set by the code that owns the content (a table view sets its own); it is
// not derived from constraints.

#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace uikit {

class UIScrollView;

// The platform's raw values.
enum class UIScrollViewContentInsetAdjustmentBehavior : int {
    automatic = 0,
    scrollableAxes = 1,
    never = 2,
    always = 3
};

class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(UIScrollView& /*scrollView*/) {}
    virtual void scrollViewWillBeginDragging(UIScrollView& /*scrollView*/) {}
    virtual void scrollViewDidEndDragging(UIScrollView& /*scrollView*/, bool /*willDecelerate*/) {}
};

class UIScrollView : public UIView {
public:
    static std::shared_ptr<UIScrollView> make(const CGRect& frame = CGRect::zero()) {
        return create<UIScrollView>(frame);
    }
    explicit UIScrollView(const CGRect& frame = CGRect::zero()) : UIView(frame) {}

    std::string className() const override { return "UIScrollView"; }

    CGPoint contentOffset() const { return bounds().origin; }
    // Tells the delegate (scrollViewDidScroll) when the offset changes; not animated here.
    void setContentOffset(const CGPoint& offset, bool animated = false);
    CGSize contentSize() const { return contentSize_; }
    virtual void setContentSize(const CGSize& size);
    UIEdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(const UIEdgeInsets& insets);
    // The content inset plus the safe-area insets that the adjustment behaviour adds.
    UIEdgeInsets adjustedContentInset() const;
    UIScrollViewContentInsetAdjustmentBehavior contentInsetAdjustmentBehavior() const { return adjustmentBehavior_; }
    void setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior behavior);

    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    // Held weakly.
    void setDelegate(const std::shared_ptr<UIScrollViewDelegate>& delegate) { delegate_ = delegate; }

    const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer() const { return pan_; }

    bool isDragging() const { return dragging_; }
    bool isTracking() const { return dragging_; }
    bool isDecelerating() const { return false; }

    // The offsets at the edges of the scrollable range (top-left and bottom-right).
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;

protected:
    void didInit() override;

private:
    void handlePan(UIPanGestureRecognizer& pan);
    bool scrollsVertically() const;
    bool scrollsHorizontally() const;
    CGPoint clamped(const CGPoint& offset) const;

    std::shared_ptr<UIPanGestureRecognizer> pan_;
    std::weak_ptr<UIScrollViewDelegate> delegate_;
    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    UIScrollViewContentInsetAdjustmentBehavior adjustmentBehavior_ =
        UIScrollViewContentInsetAdjustmentBehavior::automatic;
    bool dragging_ = false;
    CGPoint dragStartOffset_;
};

} // namespace uikit
