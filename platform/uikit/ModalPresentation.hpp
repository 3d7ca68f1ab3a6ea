#pragma once

// One modal presentation: a presenter shows a presented view controller through a presentation
// controller, in a container view that covers the window. It lasts from the start of the
// presentation to the end of its dismissal (or to the end of a cancelled presentation) and runs
// the begin, complete and cancel steps of both transitions: the presentation controller's hooks,
// the appearance callbacks, the container and the views in it, in the order that
// UIViewControllerTransitioning.hpp gives. View controllers read from it who presents whom,
// whether they are being presented or dismissed, and the running transition's coordinator.
//
// Presentations form a chain: a presented view controller may present in turn. A dismissal takes
// a presentation and every one above it with one transition, the top-most's own; the ones between
// leave without animation.
//
// Ownership: the presenter holds the presentation it makes (until it makes the next one). The
// presentation holds the presented view controller, its presentation controller and the
// container view, and refers to the presenter weakly; the presented view controller refers to
// the presentation weakly, the container to the presentation controller weakly. A running
// transition's context holds the presentations it moves until it completes; they refer to the
// context weakly. A presentation that is over lets go of everything and links no one. The window
// runs one transition at a time: a request made while one runs waits for it (UIWindow).
// Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace uikit {

class UIView;
class UIViewController;
class UIPresentationController;
class UIWindow;

class ModalPresentation : public std::enable_shared_from_this<ModalPresentation> {
public:
    using Completion = std::function<void()>;
    // Presentations one above the other, bottom first: each presents from the view controller that
    // the one below presents.
    using Chain = std::vector<std::shared_ptr<ModalPresentation>>;

    // The style a presentation runs with: automatic is a page sheet; none and popover become
    // full screen, as on a compact-width device.
    static UIModalPresentationStyle resolvedStyle(UIModalPresentationStyle style);

    // A presentation of `presented` by `presenter` with the presentation controller of its style
    // (for the custom style, the one its transitioning delegate gives). Nothing moves until
    // `begin`.
    static std::shared_ptr<ModalPresentation> make(const std::shared_ptr<UIViewController>& presenter,
                                                   const std::shared_ptr<UIViewController>& presented,
                                                   const std::shared_ptr<UIViewController>& source);

    // Runs the presentation in `window` (busy until the transition ends); `completion` runs once
    // it has completed, not when it was cancelled.
    void begin(bool animated, Completion completion, const std::shared_ptr<UIViewController>& source,
               const std::shared_ptr<UIWindow>& window);

    // Runs the dismissal of this presentation and of `above` (the ones above it, bottom first) in
    // `window` (busy until the transition ends, when there is one); `completion` runs once it has
    // completed, not when it was cancelled.
    void dismiss(const Chain& above, bool animated, Completion completion, const std::shared_ptr<UIWindow>& window);

    // Null once the presentation is over.
    std::shared_ptr<UIViewController> presenter() const { return presenter_.lock(); }
    const std::shared_ptr<UIViewController>& presented() const { return presented_; }
    const std::shared_ptr<UIPresentationController>& controller() const { return controller_; }
    const std::shared_ptr<UIView>& containerView() const { return container_; }
    bool isPresenting() const { return phase_ == Phase::presenting; }
    bool isDismissing() const { return phase_ == Phase::dismissing; }
    // The running transition as the presenter and as the presented view controller see it. A
    // dismissal shows it to its bottom presenter to the end, to each dismissed view controller
    // until it is unlinked.
    std::shared_ptr<UIViewControllerTransitionCoordinator> coordinatorForPresenter() const {
        return presenterTransition_.lock();
    }
    std::shared_ptr<UIViewControllerTransitionCoordinator> coordinatorForPresented() const {
        return presentedTransition_.lock();
    }

    // Public so that `make` can reach it; make presentations with `make`.
    ModalPresentation(const std::shared_ptr<UIViewController>& presenter,
                      const std::shared_ptr<UIViewController>& presented,
                      std::shared_ptr<UIPresentationController> controller);

private:
    enum class Phase { presenting, presented, dismissing, over };

    // Where the presenter's view was before the presentation took it out of the window.
    struct RemovedView {
        std::weak_ptr<UIView> superview;
        std::size_t index = 0;
        CGRect frame;
    };

    struct Dismissal;

    // The steps of a presentation.
    void completePresentation();
    void cancelPresentation(bool animated);
    void takePresentersViewOut(const std::shared_ptr<UIViewController>& presenter);

    // The steps of a dismissal, run by its bottom presentation.
    void completeDismissal(const Dismissal& dismissal);
    void cancelDismissal(const Dismissal& dismissal);

    // What a dismissal asks of each presentation it takes along.
    void beginDismissal();
    void showTransitionToPresented(const std::shared_ptr<UIViewControllerTransitionCoordinator>& context);
    // A presentation between the bottom and the top: it leaves without animation.
    void leaveWithoutTransition();
    // A cancelled dismissal leaves the presentation as it was.
    void stayPresented();
    // Lets go of everything: the presented view controller is no longer presented.
    void end();

    std::weak_ptr<UIViewController> presenter_;
    std::shared_ptr<UIViewController> presented_;
    std::shared_ptr<UIPresentationController> controller_;
    std::shared_ptr<UIView> container_;
    Phase phase_ = Phase::presenting;
    bool removesPresentersView_ = false;
    RemovedView removedView_;
    std::weak_ptr<UIViewControllerTransitionCoordinator> presenterTransition_;
    std::weak_ptr<UIViewControllerTransitionCoordinator> presentedTransition_;
};

} // namespace uikit
