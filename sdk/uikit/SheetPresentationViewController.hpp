#pragma once

// The presentation controller of the bottom sheet: it sizes the presented view to fit its
// content up to the safe area and reaches down behind the bottom inset, dims what lies behind
// with a backdrop, rounds the sheet's top corners and puts a grab handle on it, and turns a tap
// on the backdrop, a drag of the sheet, or the pull of a scrolling list that is at its top, into
// a dismissal. A drag that ends past 30 % of the sheet's height dismisses it; one that ends at or
// before it puts the sheet back.

#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sdk/uikit/SheetTransition.hpp"

#include <memory>

namespace vyd {

class SheetPresentationViewController : public uikit::UIPresentationController, public uikit::UIScrollViewDelegate {
public:
    static constexpr CGFloat dismissThreshold = 0.3;
    static constexpr CGFloat cornerRadius = 24;
    static constexpr CGFloat handleTop = 8;
    static constexpr coregraphics::CGSize handleSize{40, 4};

    // The transition must not be null.
    SheetPresentationViewController(std::shared_ptr<SheetTransitionProtocol> transition,
                                    const std::shared_ptr<uikit::UIViewController>& presentedViewController,
                                    const std::shared_ptr<uikit::UIViewController>& presenting);

    const std::shared_ptr<SheetTransitionProtocol>& transition() const { return transition_; }
    void setTransition(std::shared_ptr<SheetTransitionProtocol> transition);

    // Made on first use.
    const std::shared_ptr<uikit::UIPanGestureRecognizer>& panGesture();
    // The dimming backdrop over the container, with the tap that dismisses; made on first use.
    const std::shared_ptr<uikit::UIView>& backgroundView();
    const std::shared_ptr<uikit::UIView>& handleView() const { return handleView_; }

    // The content's fitting height (all the safe area's height when it has none), at most the
    // safe area's height, plus the bottom inset, at the container's bottom.
    coregraphics::CGRect frameOfPresentedViewInContainerView() const override;
    void presentationTransitionWillBegin() override;
    void dismissalTransitionWillBegin() override;
    void containerViewDidLayoutSubviews() override;

    // Actions.
    void tappedBackgroundView();
    void pannedPresentedView(uikit::UIPanGestureRecognizer& recognizer);

    // UIScrollViewDelegate: the presented list, when it scrolls, drives the dismissal.
    void scrollViewWillBeginDragging(uikit::UIScrollView& scrollView) override;
    void scrollViewDidScroll(uikit::UIScrollView& scrollView) override;
    void scrollViewDidEndDragging(uikit::UIScrollView& scrollView, bool willDecelerate) override;

private:
    std::shared_ptr<SheetPresentationViewController> self();
    void animateAlongsideTransition(CGFloat radius, const uikit::UIColor& backdrop);
    void layoutAccessoryViews();
    void setupInteraction();
    void startInteractiveDismissal();
    void updateDismissal(const uikit::UIPanGestureRecognizer& recognizer, const uikit::UIView& presented);
    void endDismissal();

    std::shared_ptr<SheetTransitionProtocol> transition_;
    std::shared_ptr<uikit::UIPanGestureRecognizer> panGesture_;
    std::shared_ptr<uikit::UIView> backgroundView_;
    std::shared_ptr<uikit::UIView> handleView_;
};

} // namespace vyd
