#pragma once

// The transitioning delegate of a view controller shown as a bottom sheet: set it, with the
// custom presentation style, on the view controller to present, and keep it alive for the
// presentation (view controllers hold their transitioning delegate weakly).
//
//     auto delegate = std::make_shared<vyd::SheetTransitioningDelegate>(vyd::SheetTransition::make());
//     sheet->setModalPresentationStyle(uikit::UIModalPresentationStyle::custom);
//     sheet->setTransitioningDelegate(delegate);
//     screen->present(sheet, true);
//
// Presenting is never interactive; dismissing is when the transition wants an interactive start
// (a drag of the sheet), and an ordinary animation otherwise (a tap beside it).

#include "platform/uikit/UIViewControllerTransitioning.hpp"
#include "sdk/uikit/SheetTransition.hpp"

#include <memory>

namespace vyd {

class SheetTransitioningDelegate : public uikit::UIViewControllerTransitioningDelegate {
public:
    explicit SheetTransitioningDelegate(std::shared_ptr<SheetTransitionProtocol> transition)
        : transition_(std::move(transition)) {}

    const std::shared_ptr<SheetTransitionProtocol>& transition() const { return transition_; }
    void setTransition(std::shared_ptr<SheetTransitionProtocol> transition) { transition_ = std::move(transition); }

    // A new SheetPresentationViewController with this transition.
    std::shared_ptr<uikit::UIPresentationController>
    presentationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                           const std::shared_ptr<uikit::UIViewController>& presenting,
                           const std::shared_ptr<uikit::UIViewController>& source) override;
    // The transition, turned to presenting and to a plain animated start.
    std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<uikit::UIViewController>& forPresented,
                        const std::shared_ptr<uikit::UIViewController>& presenting,
                        const std::shared_ptr<uikit::UIViewController>& source) override;
    // The transition, turned to dismissing.
    std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<uikit::UIViewController>& forDismissed) override;
    std::shared_ptr<uikit::UIViewControllerInteractiveTransitioning> interactionControllerForDismissal(
        const std::shared_ptr<uikit::UIViewControllerAnimatedTransitioning>& animator) override;

private:
    std::shared_ptr<SheetTransitionProtocol> transition_;
};

} // namespace vyd
