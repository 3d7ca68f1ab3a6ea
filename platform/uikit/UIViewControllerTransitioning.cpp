#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <iostream>

namespace uikit {

std::shared_ptr<UIViewControllerTransitionContext> UIViewControllerTransitionContext::make(Parameters parameters) {
    return std::make_shared<UIViewControllerTransitionContext>(std::move(parameters));
}

UIViewControllerTransitionContext::UIViewControllerTransitionContext(Parameters parameters)
    : parameters_(std::move(parameters)) {}

double UIViewControllerTransitionContext::transitionDuration() const {
    if (!parameters_.animated || !parameters_.animator) {
        return duration_.value_or(0);
    }
    if (!duration_) {
        const double duration = parameters_.animator->transitionDuration(
            std::const_pointer_cast<UIViewControllerTransitionContext>(shared_from_this()));
        duration_ = std::isfinite(duration) ? std::max(0.0, duration) : 0.0;
    }
    return *duration_;
}

void UIViewControllerTransitionContext::setInteractive(bool interactive) {
    if (!alongsideStarted_ && !completed_) {
        initiallyInteractive_ = interactive;
    }
    interactive_ = interactive;
}

void UIViewControllerTransitionContext::updateInteractiveTransition(CGFloat percentComplete) {
    if (completed_ || !std::isfinite(percentComplete)) {
        return;
    }
    percentComplete_ = std::clamp<CGFloat>(percentComplete, 0, 1);
}

void UIViewControllerTransitionContext::finishInteractiveTransition() {
    if (completed_) {
        return;
    }
    interactive_ = false;
    cancelled_ = false;
}

void UIViewControllerTransitionContext::cancelInteractiveTransition() {
    if (completed_) {
        return;
    }
    interactive_ = false;
    cancelled_ = true;
}

void UIViewControllerTransitionContext::pauseInteractiveTransition() {
    if (!completed_) {
        interactive_ = true;
    }
}

void UIViewControllerTransitionContext::completeTransition(bool didComplete) {
    assert(foundation::isMainThread());
    if (completed_) {
        std::cerr << "completeTransition(" << (didComplete ? "true" : "false")
                  << ") called on a transition that has already completed; ignored.\n";
        return;
    }
    completed_ = true;
    interactive_ = false;
    cancelled_ = !didComplete;
    if (!alongsideStarted_) {
        // An animator that completes before the alongside animations were started (one that
        // finishes inside animateTransition) still gets them, without animation.
        alongsideStarted_ = true;
        const auto pending = std::move(alongside_);
        alongside_.clear();
        for (const auto& block : pending) {
            block(*this);
        }
    }
    const auto keepAlive = shared_from_this();
    if (const auto onComplete = std::move(parameters_.onComplete)) {
        onComplete(didComplete);
    }
    runCompletionBlocks();
    if (const auto animator = parameters_.animator) {
        animator->animationEnded(didComplete);
    }
    if (const auto onFinished = std::move(parameters_.onFinished)) {
        onFinished(didComplete);
    }
    // Nothing that the transition used stays alive through a context that someone still holds.
    parameters_.onComplete = nullptr;
    parameters_.onFinished = nullptr;
    parameters_.animator.reset();
    parameters_.frameOf = nullptr;
    parameters_.fromViewController.reset();
    parameters_.toViewController.reset();
    parameters_.fromView.reset();
    parameters_.toView.reset();
    parameters_.containerView.reset();
    interruptible_.reset();
    alongside_.clear();
}

std::shared_ptr<UIViewController>
UIViewControllerTransitionContext::viewController(UITransitionContextViewControllerKey key) const {
    return key == UITransitionContextViewControllerKey::from ? parameters_.fromViewController
                                                             : parameters_.toViewController;
}

std::shared_ptr<UIView> UIViewControllerTransitionContext::view(UITransitionContextViewKey key) const {
    return key == UITransitionContextViewKey::from ? parameters_.fromView : parameters_.toView;
}

CGRect UIViewControllerTransitionContext::initialFrame(const std::shared_ptr<UIViewController>& viewController) const {
    if (viewController && viewController == parameters_.fromViewController) {
        return parameters_.frameOf ? parameters_.frameOf(UITransitionContextViewControllerKey::from, true)
                                   : parameters_.fromInitialFrame;
    }
    if (viewController && viewController == parameters_.toViewController) {
        return parameters_.frameOf ? parameters_.frameOf(UITransitionContextViewControllerKey::to, true)
                                   : parameters_.toInitialFrame;
    }
    return CGRect::zero();
}

CGRect UIViewControllerTransitionContext::finalFrame(const std::shared_ptr<UIViewController>& viewController) const {
    if (viewController && viewController == parameters_.fromViewController) {
        return parameters_.frameOf ? parameters_.frameOf(UITransitionContextViewControllerKey::from, false)
                                   : parameters_.fromFinalFrame;
    }
    if (viewController && viewController == parameters_.toViewController) {
        return parameters_.frameOf ? parameters_.frameOf(UITransitionContextViewControllerKey::to, false)
                                   : parameters_.toFinalFrame;
    }
    return CGRect::zero();
}

bool UIViewControllerTransitionContext::animate(Block alongsideTransition, Block completion) {
    if (completed_) {
        return false;
    }
    if (completion) {
        completions_.push_back(std::move(completion));
    }
    if (alongsideTransition) {
        if (alongsideStarted_) {
            runAlongside(alongsideTransition);
        } else {
            alongside_.push_back(std::move(alongsideTransition));
        }
    }
    return true;
}

void UIViewControllerTransitionContext::setInterruptibleAnimator(
    const std::shared_ptr<UIViewPropertyAnimator>& animator) {
    interruptible_ = animator;
}

void UIViewControllerTransitionContext::startAlongsideAnimations() {
    if (alongsideStarted_ || completed_) {
        return;
    }
    alongsideStarted_ = true;
    const auto pending = std::move(alongside_);
    alongside_.clear();
    for (const auto& block : pending) {
        runAlongside(block);
    }
}

void UIViewControllerTransitionContext::runAlongside(const Block& block) {
    const auto self = shared_from_this();
    if (!parameters_.animated) {
        UIView::performWithoutAnimation([&] { block(*self); });
    } else if (interruptible_) {
        interruptible_->addAnimations([self, block] { block(*self); });
    } else {
        UIView::animate(transitionDuration(), [&] { block(*self); });
    }
}

void UIViewControllerTransitionContext::runCompletionBlocks() {
    if (completionBlocksRun_) {
        return;
    }
    completionBlocksRun_ = true;
    const auto blocks = std::move(completions_);
    completions_.clear();
    for (const auto& block : blocks) {
        block(*this);
    }
}

} // namespace uikit
