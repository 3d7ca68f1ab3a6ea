#pragma once

// An interaction controller driven by a gesture: the gesture reports how far the transition
// has gone (`updateInteractiveTransition`) and how it ends (`finishInteractiveTransition`,
// `cancelInteractiveTransition`).
//
// It drives the animator's interruptible animator (`interruptibleAnimator(using:)`): paused at
// the start, its `fractionComplete` follows the updates; finishing continues it to its end,
// cancelling reverses it back to its start, each over the share of the duration that is left
// divided by `completionSpeed()`; the animator's own completion then completes the transition.
// An animator that offers no interruptible animator is run (`animateTransition`) only once the
// gesture finishes; a cancelled gesture then completes the transition as cancelled without
// running it.
//
// The same object may serve any number of transitions, one at a time. Calls outside a
// transition do nothing. Main thread only.

#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include <memory>

namespace uikit {

class UIPercentDrivenInteractiveTransition : public UIViewControllerInteractiveTransitioning {
public:
    UIPercentDrivenInteractiveTransition() = default;
    ~UIPercentDrivenInteractiveTransition() override;

    // The duration of the running transition's animator (0 outside a transition).
    double duration() const;
    CGFloat percentComplete() const { return percentComplete_; }

    CGFloat completionSpeed() const override { return completionSpeed_; }
    // Values that are not positive and finite are ignored.
    void setCompletionSpeed(CGFloat speed);
    UIViewAnimationCurve completionCurve() const override { return completionCurve_; }
    void setCompletionCurve(UIViewAnimationCurve curve) { completionCurve_ = curve; }
    bool wantsInteractiveStart() const override { return wantsInteractiveStart_; }
    void setWantsInteractiveStart(bool wants) { wantsInteractiveStart_ = wants; }

    void startInteractiveTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) override;

    // The share of the transition done, clamped to 0...1.
    void updateInteractiveTransition(CGFloat percentComplete);
    void finishInteractiveTransition();
    void cancelInteractiveTransition();
    void pauseInteractiveTransition();

    // Short forms of the same three steps.
    void update(CGFloat percentComplete) { updateInteractiveTransition(percentComplete); }
    void finish() { finishInteractiveTransition(); }
    void cancel() { cancelInteractiveTransition(); }
    void pause() { pauseInteractiveTransition(); }

private:
    void end(bool finishing);

    std::shared_ptr<UIViewControllerTransitionContext> context_;
    std::shared_ptr<UIViewControllerAnimatedTransitioning> animator_;
    std::shared_ptr<UIViewPropertyAnimator> interruptible_;
    CGFloat percentComplete_ = 0;
    CGFloat completionSpeed_ = 1;
    UIViewAnimationCurve completionCurve_ = UIViewAnimationCurve::easeInOut;
    bool wantsInteractiveStart_ = true;
};

} // namespace uikit
