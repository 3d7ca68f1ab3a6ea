#pragma once

// The part of one modal presentation that an app may customise: it tells where the presented
// view rests and whether the presenter's view leaves the window, may add views of its own to the
// container, and hears the transition's hooks in the platform's order (see
// UIViewControllerTransitioning.hpp). The presentation that runs it (ModalPresentation) makes the
// container and hands it over.
//
// Ownership: the presentation holds its presentation controller from the start of the
// presentation to the end of the dismissal, and the presented view controller reaches it through
// that presentation. The presentation controller refers to both view controllers weakly and
// holds the container from the start of the presentation on (a cancelled presentation takes it
// back); the container refers to it weakly. Subclasses override the virtual members and call
// the base where the platform says so. Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include <memory>

namespace uikit {

class UIView;
class UIViewController;

class UIPresentationController : public std::enable_shared_from_this<UIPresentationController> {
public:
    // The platform's init(presentedViewController:presenting:).
    UIPresentationController(const std::shared_ptr<UIViewController>& presentedViewController,
                             const std::shared_ptr<UIViewController>& presenting);
    virtual ~UIPresentationController();
    UIPresentationController(const UIPresentationController&) = delete;
    UIPresentationController& operator=(const UIPresentationController&) = delete;

    std::shared_ptr<UIViewController> presentedViewController() const { return presented_.lock(); }
    std::shared_ptr<UIViewController> presentingViewController() const { return presenting_.lock(); }
    // Present from the start of the presentation until the end of the dismissal.
    std::shared_ptr<UIView> containerView() const { return containerView_; }
    // The style the presentation runs with (custom for controllers that a transitioning delegate
    // made).
    UIModalPresentationStyle presentationStyle() const { return style_; }
    UITraitCollection traitCollection() const;

    // The view that the transition moves: the presented view controller's view by default.
    virtual std::shared_ptr<UIView> presentedView() const;
    // Where the presented view rests, in the container's coordinates: the container's bounds by
    // default (the zero rectangle without a container).
    virtual CGRect frameOfPresentedViewInContainerView() const;
    // True when the presenter's view leaves the window once the presentation is over (and the
    // presenter gets the disappearance callbacks). False by default, as on the platform.
    virtual bool shouldRemovePresentersView() const { return false; }
    virtual bool shouldPresentInFullscreen() const { return true; }

    virtual void presentationTransitionWillBegin() {}
    virtual void presentationTransitionDidEnd(bool /*completed*/) {}
    virtual void dismissalTransitionWillBegin() {}
    virtual void dismissalTransitionDidEnd(bool /*completed*/) {}
    // Around each layout pass of the container view.
    virtual void containerViewWillLayoutSubviews() {}
    virtual void containerViewDidLayoutSubviews() {}

    // The presentation controller the platform uses for a style other than custom.
    static std::shared_ptr<UIPresentationController>
    makeStandard(const std::shared_ptr<UIViewController>& presentedViewController,
                 const std::shared_ptr<UIViewController>& presenting, UIModalPresentationStyle style);

private:
    friend class ModalPresentation;

    // The presentation that runs this controller sets who takes part and the style it runs with,
    // then the container once it has made it (and takes it back when the presentation is
    // cancelled).
    void attach(const std::shared_ptr<UIViewController>& presented, const std::shared_ptr<UIViewController>& presenting,
                UIModalPresentationStyle style);
    void setContainerView(std::shared_ptr<UIView> container) { containerView_ = std::move(container); }

    std::weak_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
    std::shared_ptr<UIView> containerView_;
    UIModalPresentationStyle style_ = UIModalPresentationStyle::custom;
};

} // namespace uikit
