#pragma once

// The modal transition of a slide panel. Presenting a panel modally puts its full-size view into
// the presentation's container and runs the panel's own move from hidden to its layout's initial
// state; dismissing it runs the move back to hidden. The transitionings animate nothing
// themselves: they hand the platform the panel's transition animator, and the end of the
// panel's move ends the transition.
//
// Used with anything but a SlidePanelController these classes stop the process.

#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include <memory>

namespace vyd {

// The panel's transitioning delegate: a fresh presentation controller and fresh transitionings
// each time the platform asks; no interaction controllers.
class ModalTransition : public uikit::UIViewControllerTransitioningDelegate {
public:
    std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                        const std::shared_ptr<uikit::UIViewController>& presenting,
                        const std::shared_ptr<uikit::UIViewController>& source) override;
    std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<uikit::UIViewController>& forDismissed) override;
    std::shared_ptr<uikit::UIPresentationController>
    presentationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                           const std::shared_ptr<uikit::UIViewController>& presenting,
                           const std::shared_ptr<uikit::UIViewController>& source) override;
};

class PresentationController : public uikit::UIPresentationController {
public:
    using UIPresentationController::UIPresentationController;

    void presentationTransitionWillBegin() override;
    void presentationTransitionDidEnd(bool completed) override;
    void dismissalTransitionDidEnd(bool completed) override;
    void containerViewWillLayoutSubviews() override;

    // An action for a tap recogniser: dismisses the presented view controller, animated.
    virtual void handleBackdrop(uikit::UITapGestureRecognizer& tapGesture);

private:
    void addPanel();
};

// What the two transitionings share: the platform's animation is the panel's animator.
class ModalPanelTransitioning : public uikit::UIViewControllerAnimatedTransitioning {
public:
    void animateTransition(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) final;

protected:
    // Starts the panel's move (show when presenting, hide otherwise) with transitions suspended
    // and answers its transition animator; the same one while the move lasts.
    static std::shared_ptr<uikit::UIViewPropertyAnimator>
    panelAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context, bool presenting);
};

class ModalPresentTransition : public ModalPanelTransitioning {
public:
    double transitionDuration(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
    std::shared_ptr<uikit::UIViewPropertyAnimator>
    interruptibleAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
};

class ModalDismissTransition : public ModalPanelTransitioning {
public:
    double transitionDuration(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
    std::shared_ptr<uikit::UIViewPropertyAnimator>
    interruptibleAnimator(const std::shared_ptr<uikit::UIViewControllerContextTransitioning>& context) override;
};

} // namespace vyd
