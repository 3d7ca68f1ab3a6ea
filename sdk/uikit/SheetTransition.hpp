#pragma once

// The animation of the custom bottom sheet, in both directions, and the driver of its
// interactive dismissal: one spring animator per direction (0.75 s, damping ratio 0.9) that
// slides the sheet up from below the container, or down by its own height.
//
// One transition serves any number of presentations; `isPresenting` says which direction the
// next animator serves (the transitioning delegate sets it). Main thread only.

#include "platform/uikit/UIPercentDrivenInteractiveTransition.hpp"
#include "platform/uikit/UIViewControllerTransitioning.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include <memory>

namespace vyd {

using coregraphics::CGFloat;

// What the sheet's delegate and presentation controller need of a transition.
class SheetTransitionProtocol : public uikit::UIPercentDrivenInteractiveTransition,
                                public uikit::UIViewControllerAnimatedTransitioning {
public:
    virtual bool isPresenting() const = 0;
    virtual void setIsPresenting(bool presenting) = 0;
    // How far the running or paused dismissal has gone (0 to 1); 0 without one.
    virtual CGFloat dismissProgress() const = 0;
};

class SheetTransition : public SheetTransitionProtocol, public std::enable_shared_from_this<SheetTransition> {
public:
    static constexpr double animationDuration = 0.75;
    static constexpr CGFloat dampingRatio = 0.9;

    static std::shared_ptr<SheetTransition> make() { return std::make_shared<SheetTransition>(); }

    bool isPresenting() const override { return isPresenting_; }
    void setIsPresenting(bool presenting) override { isPresenting_ = presenting; }
    CGFloat dismissProgress() const override;

    // Each lives from its first request until it completes.
    const std::shared_ptr<uikit::UIViewPropertyAnimator>& dismissAnimator() const { return dismissAnimator_; }
    const std::shared_ptr<uikit::UIViewPropertyAnimator>& presentationAnimator() const { return presentationAnimator_; }

    double transitionDuration(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
    // Starts the animator of the current direction.
    void animateTransition(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
    // The animator of the current direction, made on the first request: the interactive driver
    // and `animateTransition` work on the same one. A transition without the views to move gets
    // a new animator that moves nothing and is not kept.
    std::shared_ptr<uikit::UIViewPropertyAnimator>
    interruptibleAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;

private:
    std::shared_ptr<uikit::UIViewPropertyAnimator>
    makePresentationAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context);
    std::shared_ptr<uikit::UIViewPropertyAnimator>
    makeDismissAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context);

    bool isPresenting_ = true;
    std::shared_ptr<uikit::UIViewPropertyAnimator> dismissAnimator_;
    std::shared_ptr<uikit::UIViewPropertyAnimator> presentationAnimator_;
};

} // namespace vyd
