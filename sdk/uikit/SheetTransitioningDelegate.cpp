#include "sdk/uikit/SheetTransitioningDelegate.hpp"

#include "sdk/uikit/SheetPresentationViewController.hpp"

namespace vyd {

std::shared_ptr<uikit::UIPresentationController>
SheetTransitioningDelegate::presentationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                                                   const std::shared_ptr<uikit::UIViewController>& presenting,
                                                   const std::shared_ptr<uikit::UIViewController>& /*source*/) {
    return std::make_shared<SheetPresentationViewController>(transition_, forPresented, presenting);
}

std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
SheetTransitioningDelegate::animationController(const std::shared_ptr<uikit::UIViewController>& /*forPresented*/,
                                                const std::shared_ptr<uikit::UIViewController>& /*presenting*/,
                                                const std::shared_ptr<uikit::UIViewController>& /*source*/) {
    transition_->setIsPresenting(true);
    transition_->setWantsInteractiveStart(false);
    return transition_;
}

std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
SheetTransitioningDelegate::animationController(const std::shared_ptr<uikit::UIViewController>& /*forDismissed*/) {
    transition_->setIsPresenting(false);
    return transition_;
}

std::shared_ptr<uikit::UIViewControllerInteractiveTransitioning>
SheetTransitioningDelegate::interactionControllerForDismissal(
    const std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>& /*animator*/) {
    transition_->setIsPresenting(false);
    return transition_;
}

} // namespace vyd
