#pragma once

// A bottom-sheet panel: a surface that rests at the states of its layout (full, half, tip,
// hidden, ...), follows the user's drag, springs to a state when let go, and may be presented
// modally (it brings its own transition: ModalTransition) or added as a child.
//
// Moves: a move from or to `hidden` runs a transition animator (a property animator with a
// spring, which a delegate may supply; see SlidePanelControllerDelegate); a move between two
// visible states, and the end of a drag, springs the surface on the clock (`isAttracting`).
// While transitions are suspended a transition animator is stored without being started, so
// that the modal transition can hand it to the platform.
//
// Ownership: whoever shows the panel holds it; the panel holds its delegate weakly, its content
// view controller as a child, and its modal transition for its whole life. Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/base/ActivityIndicatorHost.hpp"
#include "sdk/panel/BackdropView.hpp"
#include "sdk/panel/PassthroughView.hpp"
#include "sdk/panel/SlidePanelBehavior.hpp"
#include "sdk/panel/SlidePanelControllerDelegate.hpp"
#include "sdk/panel/SlidePanelLayout.hpp"
#include "sdk/panel/SlidePanelState.hpp"
#include "sdk/panel/SurfaceView.hpp"

#include <functional>
#include <memory>

namespace uikit {
class UIScrollView;
class UIViewPropertyAnimator;
} // namespace uikit

namespace vyd {

class ModalTransition;
class SpringAnimator;

// How the surface is sized: `staticMode` keeps it as tall as at its highest state (its lower
// part lies off screen in lower states); `fitToBounds` makes it end at the bottom of the panel
// in every position, so that its content fits what shows.
enum class SlidePanelContentMode : int { staticMode = 0, fitToBounds = 1 };

class SlidePanelController : public uikit::UIViewController, public ActivityIndicatorHost {
public:
    using Completion = std::function<void()>;

    // A panel with the default layout and behaviour and an optional delegate.
    static std::shared_ptr<SlidePanelController>
    make(const std::shared_ptr<SlidePanelControllerDelegate>& delegate = nullptr);

    SlidePanelController();
    ~SlidePanelController() override;

    std::string className() const override { return "SlidePanelController"; }

    // MARK: Parts

    std::shared_ptr<SlidePanelControllerDelegate> delegate() const { return delegate_.lock(); }
    // Held weakly: a delegate usually owns the panel.
    void setDelegate(const std::shared_ptr<SlidePanelControllerDelegate>& delegate) { delegate_ = delegate; }

    // Present from set-up on.
    const std::shared_ptr<SurfaceView>& surfaceView() const { return surfaceView_; }
    const std::shared_ptr<BackdropView>& backdropView() const { return backdropView_; }
    // The pan recogniser on the surface that drags the panel.
    const std::shared_ptr<uikit::UIPanGestureRecognizer>& panGestureRecognizer() const { return panGestureRecognizer_; }
    // The panel's own transitioning delegate, made with the panel and kept for its life.
    const std::shared_ptr<ModalTransition>& modalTransition() const { return modalTransition_; }

    // The loader goes on the surface, which then ends at the bottom of what shows.
    std::shared_ptr<uikit::UIView> activityIndicatorHostView(bool loading) override;

    SlidePanelContentMode contentMode() const { return contentMode_; }
    void setContentMode(SlidePanelContentMode mode);

    const std::shared_ptr<const SlidePanelLayout>& layout() const { return layout_; }
    // A null layout is refused (the panel keeps the one it has). The surface moves to where the
    // new layout puts the current state (or the layout's nearest state).
    void setLayout(std::shared_ptr<const SlidePanelLayout> layout);
    const std::shared_ptr<const SlidePanelBehavior>& behavior() const { return behavior_; }
    void setBehavior(std::shared_ptr<const SlidePanelBehavior> behavior);
    // Recomputes the states' positions and puts the surface at its state's new place. A panel
    // whose layout follows its content's height must be told so when that height changes.
    void invalidateLayout();

    // A downward flick or drag far enough down takes the panel away (see `remove()`).
    bool isRemovalInteractionEnabled() const { return removalInteractionEnabled_; }
    void setRemovalInteractionEnabled(bool enabled) { removalInteractionEnabled_ = enabled; }

    // MARK: State and position

    const SlidePanelStateRef& state() const { return state_; }
    // True while the surface springs towards an anchor after a drag or a move.
    bool isAttracting() const;
    // The top-left corner of the surface in the panel view's coordinates. Setting it moves the
    // surface there (and tells the delegate nothing: it is meant for the delegate itself).
    coregraphics::CGPoint surfaceLocation() const;
    void setSurfaceLocation(const coregraphics::CGPoint& location);
    // Where that corner is when the panel rests in `state` (a state the layout lacks: its
    // nearest state of the layout).
    coregraphics::CGPoint surfaceLocation(const SlidePanelStateRef& forState) const;

    // MARK: Content

    const std::shared_ptr<uikit::UIViewController>& contentViewController() const { return contentViewController_; }
    // Makes `viewController` a child whose view fills the surface; the previous content leaves.
    void set(const std::shared_ptr<uikit::UIViewController>& contentViewController);
    // From now on, dragging the panel and scrolling `scrollView` take turns: a scroll view at its
    // top that is dragged down moves the panel, and it scrolls only while the panel is at its
    // highest state. Held weakly.
    void track(const std::shared_ptr<uikit::UIScrollView>& scrollView);
    std::shared_ptr<uikit::UIScrollView> trackingScrollView() const { return trackingScrollView_.lock(); }

    // MARK: Moves

    // Moves to `state` (a state the layout lacks: its nearest one). The completion runs when
    // the move is over.
    void move(const SlidePanelStateRef& to, bool animated, Completion completion = {});
    // To the layout's initial state. (The platform's show(viewController, sender) stays.)
    using UIViewController::show;
    void show(bool animated, Completion completion = {});
    // To hidden.
    void hide(bool animated, Completion completion = {});

    // The animators for moves from and to hidden: the delegate's when it gives one, otherwise a
    // spring of the panel's own.
    std::shared_ptr<uikit::UIViewPropertyAnimator> animatorForPresenting(const SlidePanelStateRef& to);
    // `velocity`: surface travels per second, downwards positive.
    std::shared_ptr<uikit::UIViewPropertyAnimator> animatorForDismissing(coregraphics::CGVector with);

    // The animator of the move from or to hidden under way (or stored, while suspended).
    const std::shared_ptr<uikit::UIViewPropertyAnimator>& transitionAnimator() const { return transitionAnimator_; }
    void suspendTransitionAnimator(bool suspended) { transitionAnimatorSuspended_ = suspended; }
    bool isTransitionAnimatorSuspended() const { return transitionAnimatorSuspended_; }

    // Takes the panel away, animated: dismisses it when it is presented, removes it from its
    // parent when it has one, hides it otherwise. The delegate hears will-remove first and
    // did-remove once the panel is gone.
    void remove();

    // MARK: UIViewController

    void loadView() override;
    void viewDidLoad() override;

    // The duration of the panel's own spring animators.
    static constexpr double presentingDuration = 0.4;
    static constexpr double dismissingDuration = 0.3;

protected:
    void didInit() override;

private:
    friend class SlidePanelRootView;

    std::shared_ptr<SlidePanelController> self();
    SlidePanelLayoutPositions positions() const;
    SlidePanelLayoutContext layoutContext() const;
    coregraphics::CGFloat surfaceTop() const;
    void setSurfaceTop(coregraphics::CGFloat top);
    void placeSurface(const SlidePanelStateRef& state);
    void updateBackdrop(const SlidePanelLayoutPositions& positions, coregraphics::CGFloat top);
    void viewDidResize();
    void notifyDidMove();
    void setState(const SlidePanelStateRef& state);

    void attract(const SlidePanelStateRef& to, coregraphics::CGFloat velocity, Completion completion);
    void stopAttraction();
    void endTransitionAnimator();
    void runTransition(const SlidePanelStateRef& to, Completion completion);
    void hideThen(Completion completion);

    void handlePan(uikit::UIPanGestureRecognizer& recognizer);
    void beginDrag(uikit::UIPanGestureRecognizer& recognizer);
    void shareDragWithScrollView(coregraphics::CGFloat translation);
    void endDrag(uikit::UIPanGestureRecognizer& recognizer);
    void handleBackdropTap(uikit::UITapGestureRecognizer& recognizer);

    std::weak_ptr<SlidePanelControllerDelegate> delegate_;
    std::shared_ptr<SurfaceView> surfaceView_;
    std::shared_ptr<BackdropView> backdropView_;
    std::shared_ptr<uikit::UIPanGestureRecognizer> panGestureRecognizer_;
    std::shared_ptr<ModalTransition> modalTransition_;
    std::shared_ptr<const SlidePanelLayout> layout_;
    std::shared_ptr<const SlidePanelBehavior> behavior_;
    SlidePanelContentMode contentMode_ = SlidePanelContentMode::staticMode;
    bool removalInteractionEnabled_ = false;

    SlidePanelStateRef state_;
    std::shared_ptr<uikit::UIViewController> contentViewController_;
    std::weak_ptr<uikit::UIScrollView> trackingScrollView_;

    std::shared_ptr<uikit::UIViewPropertyAnimator> transitionAnimator_;
    bool transitionAnimatorSuspended_ = false;
    std::shared_ptr<SpringAnimator> attraction_;
    // The speed a removal by the user leaves with, for the hide that follows.
    coregraphics::CGVector removalVelocity_;

    // Lets the panel's pan recognise together with the tracked scroll view's.
    std::shared_ptr<uikit::UIGestureRecognizerDelegate> panDelegate_;

    // The drag under way.
    bool dragging_ = false;
    coregraphics::CGFloat dragStartTop_ = 0;
    // A drag that began on the tracked scroll view shares itself between the panel and the
    // content: the finger's moves since the last step go first to the panel (upwards) or to
    // the content (downwards), and the rest to the other.
    std::shared_ptr<uikit::UIScrollView> sharedScrollView_;
    coregraphics::CGFloat lastTranslation_ = 0;
    coregraphics::CGFloat contentOffset_ = 0;
    bool panelMovedInDrag_ = false;
};

} // namespace vyd
