#include "sdk/uikit/SheetTransition.hpp"

#include "platform/uikit/UIView.hpp"

namespace vyd {

using uikit::UITransitionContextViewControllerKey;
using uikit::UITransitionContextViewKey;
using uikit::UIViewAnimatingPosition;
using uikit::UIViewControllerContextTransitioning;
using uikit::UIViewPropertyAnimator;

namespace {

std::shared_ptr<UIViewPropertyAnimator> makeAnimator() {
    return UIViewPropertyAnimator::make(SheetTransition::animationDuration, SheetTransition::dampingRatio);
}

} // namespace

CGFloat SheetTransition::dismissProgress() const { return dismissAnimator_ ? dismissAnimator_->fractionComplete() : 0; }

double SheetTransition::transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>& /*context*/) {
    return animationDuration;
}

void SheetTransition::animateTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    interruptibleAnimator(context)->startAnimation();
}

std::shared_ptr<UIViewPropertyAnimator>
SheetTransition::interruptibleAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    if (isPresenting_) {
        return presentationAnimator_ ? presentationAnimator_ : makePresentationAnimator(context);
    }
    return dismissAnimator_ ? dismissAnimator_ : makeDismissAnimator(context);
}

std::shared_ptr<UIViewPropertyAnimator>
SheetTransition::makePresentationAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    const auto controller = context ? context->viewController(UITransitionContextViewControllerKey::to) : nullptr;
    const auto view = context ? context->view(UITransitionContextViewKey::to) : nullptr;
    if (!controller || !view) {
        return makeAnimator();
    }
    auto animator = makeAnimator();
    presentationAnimator_ = animator;
    const auto container = context->containerView();
    const auto finalFrame = context->finalFrame(controller);
    view->setFrame(finalFrame);
    auto below = finalFrame;
    below.origin.y = container ? container->frame().maxY() : finalFrame.maxY();
    view->setFrame(below);
    if (container) {
        container->addSubview(view);
    }
    const std::weak_ptr<uikit::UIView> weakView = view;
    animator->addAnimations([weakView, finalFrame] {
        if (const auto live = weakView.lock()) {
            live->setFrame(finalFrame);
        }
    });
    const std::weak_ptr<SheetTransition> weakSelf = shared_from_this();
    animator->addCompletion([context](UIViewAnimatingPosition position) {
        context->completeTransition(position == UIViewAnimatingPosition::end && !context->transitionWasCancelled());
    });
    animator->addCompletion([weakSelf](UIViewAnimatingPosition) {
        if (const auto self = weakSelf.lock()) {
            self->presentationAnimator_.reset();
        }
    });
    return animator;
}

std::shared_ptr<UIViewPropertyAnimator>
SheetTransition::makeDismissAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    const auto view = context ? context->view(UITransitionContextViewKey::from) : nullptr;
    if (!view) {
        return makeAnimator();
    }
    auto animator = makeAnimator();
    dismissAnimator_ = animator;
    const std::weak_ptr<uikit::UIView> weakView = view;
    animator->addAnimations([weakView] {
        if (const auto live = weakView.lock()) {
            auto frame = live->frame();
            frame.origin.y = frame.maxY();
            live->setFrame(frame);
        }
    });
    const std::weak_ptr<SheetTransition> weakSelf = shared_from_this();
    animator->addCompletion([context, weakView](UIViewAnimatingPosition position) {
        if (position != UIViewAnimatingPosition::end) {
            context->completeTransition(false);
            return;
        }
        if (const auto live = weakView.lock()) {
            live->removeFromSuperview();
        }
        context->completeTransition(!context->transitionWasCancelled());
    });
    animator->addCompletion([weakSelf](UIViewAnimatingPosition) {
        if (const auto self = weakSelf.lock()) {
            self->dismissAnimator_.reset();
        }
    });
    return animator;
}

} // namespace vyd
