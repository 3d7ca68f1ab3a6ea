#pragma once

// The view controller: owns a view that it loads lazily, gets the appearance callbacks, holds
// child view controllers, and presents and dismisses other view controllers modally.
//
// View controllers are reference types made with `make()` or, for a subclass,
// `UIViewController::create<T>(args...)`, which constructs and then runs `didInit()` (the step
// that may use shared_from_this and overridable members). Overrides of the lifecycle members
// call the base class's member.
//
// View: `view()` loads it on first use: `loadView()` (the base makes a plain view of the
// screen's size) then `viewDidLoad()`.
//
// Appearance: `viewWillAppear`, `viewDidAppear`, `viewWillDisappear` and `viewDidDisappear` come
// in pairs and only on a change (a view controller that has appeared does not appear again).
// They are sent when the root view controller's window becomes visible, around presentations,
// dismissals and navigation pushes and pops, and when a child is added to (`didMove(toParent:)`)
// or removed from (`removeFromParent()`) a parent that has appeared; a parent forwards its own to
// the children whose views are in its view.
//
// Presentation (each one is a ModalPresentation, which runs it; the transition's parts:
// UIViewControllerTransitioning.hpp):
// - the presenter is the view controller that defines the presentation context: for the
//   current-context styles the nearest ancestor (or self) that `definesPresentationContext()`,
//   for the others the outermost ancestor;
// - refused with the platform's message on standard error, without calling the completion: a
//   null view controller ("Application tried to present a nil modal view controller on target
//   ..."), the controller itself or one that is in a hierarchy already ("Application tried to
//   present modally an active controller ..."), one that is presented already ("Application
//   tried to present modally a view controller ... that is already being presented by ..."), a
//   presenter that is presenting ("Attempt to present ... on ... (from ...) which is already
//   presenting ..."), a presenter whose view is not in a window ("Attempt to present ... on ...
//   (from ...) whose view is not in the window hierarchy.");
// - a request made while another presentation or dismissal of the same window runs waits for
//   it to end, then runs;
// - `automatic` presents as a page sheet. The presenter's view stays in the window (and the
//   presenter gets no appearance callbacks) unless the presentation controller removes it
//   (`fullScreen`, `currentContext`, or a custom one that says so).
//
// Dismissal: `dismiss` on a view controller that presents dismisses what it presents and
// everything above it (the top-most with its own transition and animation, the ones between
// removed without animation); on a presented view controller (or a child of one) it asks the
// presenter to dismiss; with nothing to dismiss it does nothing and the completion is not
// called, as on the platform.
//
// Ownership: a parent holds its children, which refer to it weakly; a presenter holds what it
// presents through its presentation, and the presented view controller refers to that
// presentation (and so to its presenter) weakly; the transitioning delegate is held weakly. Main
// thread only.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIEdgeInsets.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIViewControllerTransitioning.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

class UIView;
class UIWindow;
class UINavigationController;
class UINavigationItem;
class UIPresentationController;
class ModalPresentation;

class UIViewController : public std::enable_shared_from_this<UIViewController> {
public:
    using Pointer = std::shared_ptr<UIViewController>;
    using Completion = std::function<void()>;

    static Pointer make() { return create<UIViewController>(); }

    // Constructs a T and runs its second initialisation step (`didInit()`).
    template <class T, class... Args>
    static std::shared_ptr<T> create(Args&&... args) {
        auto controller = std::make_shared<T>(std::forward<Args>(args)...);
        static_cast<UIViewController&>(*controller).didInit();
        return controller;
    }

    // Public so that `create` can reach it; make view controllers with `make` or `create`.
    UIViewController() = default;
    virtual ~UIViewController();
    UIViewController(const UIViewController&) = delete;
    UIViewController& operator=(const UIViewController&) = delete;

    // The class name the platform prints in messages.
    virtual std::string className() const { return "UIViewController"; }
    // "<UIViewController: 0x...>"
    std::string description() const;

    // MARK: View

    // Loads the view on first use. Asking for it while it loads (from `loadView`) gives what
    // `loadView` has set so far, with a message, instead of recursing for ever.
    std::shared_ptr<UIView> view();
    std::shared_ptr<UIView> viewIfLoaded() const { return view_; }
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(std::shared_ptr<UIView> view);
    void loadViewIfNeeded();

    virtual void loadView();
    virtual void viewDidLoad() {}

    // MARK: Appearance

    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

    // Containers announce appearance changes of their children with these; a call that would
    // not change the state (appearing what has appeared) sends nothing.
    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    // Between viewDidAppear and viewWillDisappear.
    bool isAppeared() const { return appearState_ == AppearState::appeared; }

    bool isBeingPresented() const;
    bool isBeingDismissed() const;

    // MARK: Containment

    std::shared_ptr<UIViewController> parent() const { return parent_.lock(); }
    const std::vector<Pointer>& children() const { return children_; }
    // Calls `willMove(toParent: this)` on the child; adding an ancestor, itself or a presented
    // view controller is refused with a message. A child of another parent leaves it first.
    void addChild(const Pointer& child);
    // Calls `didMove(toParent: null)`; a child that has appeared disappears first.
    void removeFromParent();
    virtual void willMove(const Pointer& /*toParent*/) {}
    // The base makes a child whose view is in its appeared parent's view appear.
    virtual void didMove(const Pointer& toParent);

    // The nearest ancestor (or self) that is a navigation controller's child, its navigation
    // controller.
    std::shared_ptr<UINavigationController> navigationController() const;
    std::shared_ptr<UINavigationItem> navigationItem();

    const std::optional<std::string>& title() const { return title_; }
    // Also the navigation item's title, as on the platform.
    void setTitle(std::optional<std::string> title);

    // Insets added to the safe area that the view gets from its container.
    UIEdgeInsets additionalSafeAreaInsets() const { return additionalSafeAreaInsets_; }
    void setAdditionalSafeAreaInsets(const UIEdgeInsets& insets);

    // The view's traits once it is loaded, the device's before.
    UITraitCollection traitCollection() const;

    // MARK: Presentation

    UIModalPresentationStyle modalPresentationStyle() const { return modalPresentationStyle_; }
    void setModalPresentationStyle(UIModalPresentationStyle style) { modalPresentationStyle_ = style; }
    // Held weakly, as on the platform: whoever sets it keeps it alive.
    std::shared_ptr<UIViewControllerTransitioningDelegate> transitioningDelegate() const {
        return transitioningDelegate_.lock();
    }
    void setTransitioningDelegate(const std::shared_ptr<UIViewControllerTransitioningDelegate>& delegate) {
        transitioningDelegate_ = delegate;
    }
    bool definesPresentationContext() const { return definesPresentationContext_; }
    void setDefinesPresentationContext(bool defines) { definesPresentationContext_ = defines; }

    // What this view controller (or its nearest presenting ancestor) presents.
    std::shared_ptr<UIViewController> presentedViewController() const;
    // Who presented this view controller (or its outermost presented ancestor).
    std::shared_ptr<UIViewController> presentingViewController() const;
    // The presentation controller of the running or last presentation of this view controller,
    // while it is presented.
    std::shared_ptr<UIPresentationController> presentationController() const;
    // Present while a transition that involves this view controller (or an ancestor) runs.
    std::shared_ptr<UIViewControllerTransitionCoordinator> transitionCoordinator() const;

    // See the top of this file.
    void present(const Pointer& viewControllerToPresent, bool animated, Completion completion = {});
    virtual void dismiss(bool animated, Completion completion = {});
    // Pushes onto the navigation controller when there is one, else presents, animated.
    virtual void show(const Pointer& viewController, const Pointer& sender = nullptr);

protected:
    // Second initialisation step, run once by `create`. Overrides call the base first.
    virtual void didInit() {}

    // The children that get this view controller's appearance callbacks: those whose views are
    // in this view controller's view.
    virtual std::vector<Pointer> childViewControllersForAppearance() const;

private:
    friend class UINavigationController;

    enum class AppearState { disappeared, appearing, appeared, disappearing };

    Pointer presentationContextFor(UIModalPresentationStyle style);
    // Dismisses what this view controller presents and everything above it.
    void dismissPresented(bool animated, Completion completion);
    std::shared_ptr<UIWindow> windowForTransitions() const;
    // Who presents this view controller itself (not an ancestor of it).
    std::shared_ptr<UIViewController> presenterOfThis() const;
    bool isAncestor(const UIViewController& of) const;

    std::shared_ptr<UIView> view_;
    bool loadingView_ = false;
    std::optional<std::string> title_;
    std::shared_ptr<UINavigationItem> navigationItem_;
    UIEdgeInsets additionalSafeAreaInsets_;

    std::weak_ptr<UIViewController> parent_;
    std::vector<Pointer> children_;

    AppearState appearState_ = AppearState::disappeared;
    bool appearanceAnimated_ = false;

    UIModalPresentationStyle modalPresentationStyle_ = UIModalPresentationStyle::automatic;
    std::weak_ptr<UIViewControllerTransitioningDelegate> transitioningDelegate_;
    bool definesPresentationContext_ = false;
    // The presentation that this view controller makes as the presenter, held until it makes the
    // next one (one that is over links no one), and the one that shows this view controller.
    std::shared_ptr<ModalPresentation> presentation_;
    std::weak_ptr<ModalPresentation> presentedBy_;
};

} // namespace uikit
