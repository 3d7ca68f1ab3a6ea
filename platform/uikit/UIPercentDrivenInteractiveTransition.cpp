#include "platform/uikit/UIPercentDrivenInteractiveTransition.hpp"

#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace uikit {

UIPercentDrivenInteractiveTransition::~UIPercentDrivenInteractiveTransition() = default;

double UIPercentDrivenInteractiveTransition::duration() const {
    return context_ && !context_->isCompleted() ? context_->transitionDuration() : 0;
}

void UIPercentDrivenInteractiveTransition::setCompletionSpeed(CGFloat speed) {
    if (std::isfinite(speed) && speed > 0) {
        completionSpeed_ = speed;
    }
}

void UIPercentDrivenInteractiveTransition::startInteractiveTransition(
    const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    auto transition = std::dynamic_pointer_cast<UIViewControllerTransitionContext>(context);
    if (!transition || !transition->animator()) {
        std::cerr << "UIPercentDrivenInteractiveTransition: the transition has no animator to drive.\n";
        if (context) {
            context->completeTransition(false);
        }
        return;
    }
    context_ = std::move(transition);
    animator_ = context_->animator();
    percentComplete_ = 0;
    interruptible_ = animator_->interruptibleAnimator(context_);
    if (interruptible_) {
        context_->setInterruptibleAnimator(interruptible_);
        interruptible_->pauseAnimation();
        interruptible_->setFractionComplete(0);
    }
    if (!wantsInteractiveStart_) {
        // Started as an ordinary animation that a later pause may still take over.
        end(true);
    }
}

void UIPercentDrivenInteractiveTransition::updateInteractiveTransition(CGFloat percentComplete) {
    if (!context_ || context_->isCompleted() || !std::isfinite(percentComplete)) {
        return;
    }
    percentComplete_ = std::clamp<CGFloat>(percentComplete, 0, 1);
    context_->updateInteractiveTransition(percentComplete_);
    if (interruptible_ && !interruptible_->isRunning()) {
        interruptible_->setFractionComplete(percentComplete_);
    }
}

void UIPercentDrivenInteractiveTransition::pauseInteractiveTransition() {
    if (!context_ || context_->isCompleted()) {
        return;
    }
    context_->pauseInteractiveTransition();
    if (interruptible_) {
        interruptible_->pauseAnimation();
    }
}

void UIPercentDrivenInteractiveTransition::finishInteractiveTransition() { end(true); }

void UIPercentDrivenInteractiveTransition::cancelInteractiveTransition() { end(false); }

void UIPercentDrivenInteractiveTransition::end(bool finishing) {
    if (!context_ || context_->isCompleted()) {
        context_.reset();
        animator_.reset();
        interruptible_.reset();
        return;
    }
    // The transition may complete inside the calls below; what it needs it holds itself.
    const auto context = std::move(context_);
    const auto animator = std::move(animator_);
    const auto interruptible = std::move(interruptible_);
    if (finishing) {
        context->finishInteractiveTransition();
    } else {
        context->cancelInteractiveTransition();
    }
    if (interruptible) {
        interruptible->setReversed(!finishing);
        interruptible->continueAnimation(nullptr, 1 / completionSpeed_);
    } else if (finishing) {
        animator->animateTransition(context);
    } else {
        context->completeTransition(false);
    }
}

} // namespace uikit
