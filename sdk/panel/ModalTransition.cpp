#include "sdk/panel/ModalTransition.hpp"

#include "platform/foundation/FatalError.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"
#include "sdk/panel/PassthroughView.hpp"
#include "sdk/panel/SlidePanelController.hpp"

#include <string>

namespace vyd {

using uikit::UITransitionContextViewControllerKey;
using uikit::UIViewControllerContextTransitioning;
using uikit::UIViewPropertyAnimator;

namespace {

std::shared_ptr<SlidePanelController> asPanel(const std::shared_ptr<uikit::UIViewController>& controller) {
    return std::dynamic_pointer_cast<SlidePanelController>(controller);
}

// The panel of a transition under `key`, or the process stops: these classes serve panels only.
std::shared_ptr<SlidePanelController> requirePanel(const std::shared_ptr<UIViewControllerContextTransitioning>& context,
                                                   UITransitionContextViewControllerKey key) {
    auto panel = context ? asPanel(context->viewController(key)) : nullptr;
    if (!panel) {
        foundation::fatalError("");
    }
    return panel;
}

// The panel's move ends the platform's transition. The panel is held weakly, so that a
// transition that outlives its panel still completes.
SlidePanelController::Completion completing(const std::shared_ptr<SlidePanelController>& panel,
                                            const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    std::weak_ptr<SlidePanelController> weakPanel = panel;
    return [weakPanel, context] {
        if (const auto strong = weakPanel.lock()) {
            strong->suspendTransitionAnimator(false);
        }
        context->completeTransition(!context->transitionWasCancelled());
    };
}

} // namespace

std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
ModalTransition::animationController(const std::shared_ptr<uikit::UIViewController>& /*forPresented*/,
                                     const std::shared_ptr<uikit::UIViewController>& /*presenting*/,
                                     const std::shared_ptr<uikit::UIViewController>& /*source*/) {
    return std::make_shared<ModalPresentTransition>();
}

std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
ModalTransition::animationController(const std::shared_ptr<uikit::UIViewController>& /*forDismissed*/) {
    return std::make_shared<ModalDismissTransition>();
}

std::shared_ptr<uikit::UIPresentationController>
ModalTransition::presentationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                                        const std::shared_ptr<uikit::UIViewController>& presenting,
                                        const std::shared_ptr<uikit::UIViewController>& /*source*/) {
    return std::make_shared<PresentationController>(forPresented, presenting);
}

void PresentationController::addPanel() {
    const auto container = containerView();
    const auto panel = asPanel(presentedViewController());
    if (!container || !panel) {
        foundation::fatalError("");
    }
    const auto view = panel->view();
    // Adding it again where it already is, or giving it the frame it has, would only make the
    // container lay out once more, and so for ever.
    if (view->superview() != container || container->subviews().back() != view) {
        container->addSubview(view);
    }
    if (view->frame() != container->bounds()) {
        view->setFrame(container->bounds());
    }
    view->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleWidth | uikit::UIViewAutoresizing::flexibleHeight);
}

void PresentationController::presentationTransitionWillBegin() { addPanel(); }

void PresentationController::containerViewWillLayoutSubviews() {
    const auto panel = asPanel(presentedViewController());
    if (!panel || panel->presentedViewController()) {
        return;
    }
    addPanel();
    if (const auto passthrough = std::dynamic_pointer_cast<PassthroughView>(panel->view())) {
        const auto presenting = presentingViewController();
        passthrough->setEventForwardingView(presenting ? presenting->view() : nullptr);
    }
}

void PresentationController::presentationTransitionDidEnd(bool /*completed*/) {
    const auto panel = asPanel(presentedViewController());
    if (panel && panel->state() == SlidePanelState::hidden()) {
        panel->show(false);
    }
}

void PresentationController::dismissalTransitionDidEnd(bool /*completed*/) {
    const auto panel = asPanel(presentedViewController());
    if (!panel) {
        return;
    }
    if (panel->state() != SlidePanelState::hidden()) {
        panel->hide(false);
    }
    panel->view()->removeFromSuperview();
}

void PresentationController::handleBackdrop(uikit::UITapGestureRecognizer& /*tapGesture*/) {
    if (const auto presented = presentedViewController()) {
        presented->dismiss(true);
    }
}

void ModalPanelTransitioning::animateTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    if (const auto animator = interruptibleAnimator(context)) {
        animator->startAnimation();
    }
}

std::shared_ptr<UIViewPropertyAnimator>
ModalPanelTransitioning::panelAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context,
                                       bool presenting) {
    const auto panel = requirePanel(context, presenting ? UITransitionContextViewControllerKey::to
                                                        : UITransitionContextViewControllerKey::from);
    // The platform may ask more than once: the move starts once.
    if (const auto& running = panel->transitionAnimator()) {
        return running;
    }
    panel->suspendTransitionAnimator(true);
    if (presenting) {
        panel->show(true, completing(panel, context));
    } else {
        panel->hide(true, completing(panel, context));
    }
    const auto& animator = panel->transitionAnimator();
    if (!animator) {
        // Only a move from or to hidden leaves an animator: a hide always does, a show only
        // from hidden.
        foundation::fatalError(presenting ? "The panel state must be `hidden` but it is `" +
                                                panel->state()->description() + "`"
                                          : std::string());
    }
    return animator;
}

double
ModalPresentTransition::transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    const auto panel = requirePanel(context, UITransitionContextViewControllerKey::to);
    return panel->animatorForPresenting(panel->layout()->initialState())->duration();
}

std::shared_ptr<UIViewPropertyAnimator>
ModalPresentTransition::interruptibleAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    return panelAnimator(context, true);
}

double
ModalDismissTransition::transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    const auto panel = requirePanel(context, UITransitionContextViewControllerKey::from);
    return panel->animatorForDismissing({0, 0})->duration();
}

std::shared_ptr<UIViewPropertyAnimator>
ModalDismissTransition::interruptibleAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& context) {
    return panelAnimator(context, false);
}

} // namespace vyd
