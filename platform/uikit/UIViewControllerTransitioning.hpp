#pragma once

// The custom-transition machinery of view controllers: the transitioning delegate that supplies
// a presentation controller and the animated and interactive transitionings, the transition
// context handed to them, and the transition coordinator that runs animations alongside.
//
// How a presentation or dismissal runs (ModalPresentation runs them; see also
// UIViewController::present and dismiss):
// 1. the presented view controller's transitioning delegate (held weakly) is asked, for the
//    custom style, for a presentation controller, then for the animation controller and, when
//    there is one, for the interaction controller;
// 2. the presentation controller hears `presentationTransitionWillBegin()` (or
//    `dismissalTransitionWillBegin()`), the appearance callbacks begin, and the container view
//    is laid out (`containerViewWillLayoutSubviews()` / `containerViewDidLayoutSubviews()`);
// 3. not animated: the presented view is put into (or taken from) the container and the
//    transition completes at once, without asking the animator anything. Animated and
//    interactive (an interaction controller that wants an interactive start): the interaction
//    controller's `startInteractiveTransition` runs. Animated otherwise: the platform reads
//    `transitionDuration`, then calls `animateTransition`;
// 4. the transition ends when the animator calls the context's `completeTransition(...)`: the
//    did-end hook, the appearance callbacks end, the coordinator's completions run, the
//    animator hears `animationEnded`, then the caller's completion runs (a cancelled transition
//    skips the caller's completion and undoes the appearance changes).
// Alongside animations registered with the coordinator run with the animator: added to the
// interruptible animator of an interactive transition (so the fraction drives them too), in a
// view animation of the transition's duration otherwise, at once without animation.
//
// Ownership: the presented view controller refers to its transitioning delegate weakly, and the
// delegate gives fresh parts each time it is asked (what it keeps is its own affair). The
// transition context is made per transition and is its coordinator too: it holds the view
// controllers, views, container and animator of the transition, the alongside animations and
// the completion blocks, and lets go of all of them once it has completed. Animators and
// interaction controllers hold the context while they run it; the presentations refer to it
// weakly and forget it when the transition ends, so `transitionCoordinator()` gives it only while
// the transition runs.
//
// Main thread only.

#include "platform/coregraphics/CGAffineTransform.hpp"
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIViewAnimation.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace uikit {

using coregraphics::CGFloat;
using coregraphics::CGRect;

class UIView;
class UIViewController;
class UIPresentationController;
class UIViewPropertyAnimator;

// The platform's raw values.
enum class UIModalPresentationStyle : int {
    automatic = -2,
    none = -1,
    fullScreen = 0,
    pageSheet = 1,
    formSheet = 2,
    currentContext = 3,
    custom = 4,
    overFullScreen = 5,
    overCurrentContext = 6,
    popover = 7,
};

constexpr int rawValue(UIModalPresentationStyle style) { return static_cast<int>(style); }

// The platform's UITransitionContextViewControllerKey and UITransitionContextViewKey.
enum class UITransitionContextViewControllerKey { from, to };
enum class UITransitionContextViewKey { from, to };

// What animators and interaction controllers are handed.
class UIViewControllerContextTransitioning {
public:
    virtual ~UIViewControllerContextTransitioning() = default;

    // The view in which the transition takes place; the animator puts the views into it.
    virtual std::shared_ptr<UIView> containerView() const = 0;
    virtual bool isAnimated() const = 0;
    virtual bool isInteractive() const = 0;
    virtual bool transitionWasCancelled() const = 0;
    virtual UIModalPresentationStyle presentationStyle() const = 0;

    // Interaction controllers report progress (0 to 1) and the outcome.
    virtual void updateInteractiveTransition(CGFloat percentComplete) = 0;
    virtual void finishInteractiveTransition() = 0;
    virtual void cancelInteractiveTransition() = 0;
    virtual void pauseInteractiveTransition() = 0;

    // The animator calls this once its animation is over: true when the transition took
    // place, false when it was cancelled (the views are where they started). A second call is
    // ignored with a message on standard error.
    virtual void completeTransition(bool didComplete) = 0;

    virtual std::shared_ptr<UIViewController> viewController(UITransitionContextViewControllerKey key) const = 0;
    // The views that the animator moves. A presentation that keeps the presenter's view in the
    // window (`shouldRemovePresentersView()` false) gives no view for the presenter's side.
    virtual std::shared_ptr<UIView> view(UITransitionContextViewKey key) const = 0;
    // Frames in the container's coordinates; the zero rectangle when unknown (a view that
    // arrives has no initial frame, a view that leaves no final one).
    virtual CGRect initialFrame(const std::shared_ptr<UIViewController>& viewController) const = 0;
    virtual CGRect finalFrame(const std::shared_ptr<UIViewController>& viewController) const = 0;
    virtual coregraphics::CGAffineTransform targetTransform() const = 0;
};

// What alongside animations and coordinator completions are handed.
class UIViewControllerTransitionCoordinatorContext {
public:
    virtual ~UIViewControllerTransitionCoordinatorContext() = default;

    virtual bool isAnimated() const = 0;
    virtual bool isInteractive() const = 0;
    virtual bool initiallyInteractive() const = 0;
    virtual bool isCancelled() const = 0;
    virtual double transitionDuration() const = 0;
    virtual CGFloat percentComplete() const = 0;
    virtual UIModalPresentationStyle presentationStyle() const = 0;
    virtual std::shared_ptr<UIView> containerView() const = 0;
    virtual std::shared_ptr<UIViewController> viewController(UITransitionContextViewControllerKey key) const = 0;
    virtual std::shared_ptr<UIView> view(UITransitionContextViewKey key) const = 0;
};

// What `UIViewController::transitionCoordinator()` gives while a transition runs.
class UIViewControllerTransitionCoordinator {
public:
    using Block = std::function<void(const UIViewControllerTransitionCoordinatorContext&)>;

    virtual ~UIViewControllerTransitionCoordinator() = default;

    // Runs `animation` with the transition's animation (see the top of this file) and
    // `completion` once the transition has ended. False, and nothing kept, once the transition
    // is over.
    virtual bool animate(Block alongsideTransition, Block completion) = 0;
};

// The animator of a transition.
class UIViewControllerAnimatedTransitioning {
public:
    virtual ~UIViewControllerAnimatedTransitioning() = default;

    // The context may be absent on the platform (a caller that only wants the number).
    virtual double transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>& context) = 0;
    virtual void animateTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) = 0;
    // The animator that an interactive transition drives; null: the animator offers none (the
    // platform's optional member left out).
    virtual std::shared_ptr<UIViewPropertyAnimator>
    interruptibleAnimator(const std::shared_ptr<UIViewControllerContextTransitioning>& /*context*/) {
        return nullptr;
    }
    virtual void animationEnded(bool /*transitionCompleted*/) {}
};

// The interaction controller of a transition.
class UIViewControllerInteractiveTransitioning {
public:
    virtual ~UIViewControllerInteractiveTransitioning() = default;

    virtual void startInteractiveTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) = 0;
    virtual CGFloat completionSpeed() const { return 1; }
    virtual UIViewAnimationCurve completionCurve() const { return UIViewAnimationCurve::easeInOut; }
    // False: the transition starts as a plain animated one.
    virtual bool wantsInteractiveStart() const { return true; }
};

// The source of a custom presentation's parts. Every member is optional on the platform: the
// defaults answer null, which means "use the platform's own".
class UIViewControllerTransitioningDelegate {
public:
    virtual ~UIViewControllerTransitioningDelegate() = default;

    virtual std::shared_ptr<UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<UIViewController>& /*forPresented*/,
                        const std::shared_ptr<UIViewController>& /*presenting*/,
                        const std::shared_ptr<UIViewController>& /*source*/) {
        return nullptr;
    }
    virtual std::shared_ptr<UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<UIViewController>& /*forDismissed*/) {
        return nullptr;
    }
    virtual std::shared_ptr<UIViewControllerInteractiveTransitioning>
    interactionControllerForPresentation(const std::shared_ptr<UIViewControllerAnimatedTransitioning>& /*using*/) {
        return nullptr;
    }
    virtual std::shared_ptr<UIViewControllerInteractiveTransitioning>
    interactionControllerForDismissal(const std::shared_ptr<UIViewControllerAnimatedTransitioning>& /*using*/) {
        return nullptr;
    }
    // Asked only for the custom presentation style.
    virtual std::shared_ptr<UIPresentationController>
    presentationController(const std::shared_ptr<UIViewController>& /*forPresented*/,
                           const std::shared_ptr<UIViewController>& /*presenting*/,
                           const std::shared_ptr<UIViewController>& /*source*/) {
        return nullptr;
    }
};

// The platform's transition context, which is also the transition's coordinator. View
// controllers make one per transition; tests may make one to run an animator on its own.
class UIViewControllerTransitionContext final : public UIViewControllerContextTransitioning,
                                                public UIViewControllerTransitionCoordinatorContext,
                                                public UIViewControllerTransitionCoordinator,
                                                public std::enable_shared_from_this<UIViewControllerTransitionContext> {
public:
    struct Parameters {
        std::shared_ptr<UIViewController> fromViewController;
        std::shared_ptr<UIViewController> toViewController;
        std::shared_ptr<UIView> fromView;
        std::shared_ptr<UIView> toView;
        std::shared_ptr<UIView> containerView;
        CGRect fromInitialFrame;
        CGRect fromFinalFrame;
        CGRect toInitialFrame;
        CGRect toFinalFrame;
        // When set, asked for the frames instead of the four rectangles (frames that depend on
        // the layout at the time the animator asks).
        std::function<CGRect(UITransitionContextViewControllerKey key, bool initial)> frameOf;
        bool animated = true;
        UIModalPresentationStyle presentationStyle = UIModalPresentationStyle::custom;
        std::shared_ptr<UIViewControllerAnimatedTransitioning> animator;
        // At the first `completeTransition`, in this order: `onComplete`, the coordinator's
        // completion blocks, the animator's `animationEnded`, `onFinished`. The context lets go
        // of everything it holds afterwards.
        std::function<void(bool didComplete)> onComplete;
        std::function<void(bool didComplete)> onFinished;
    };

    static std::shared_ptr<UIViewControllerTransitionContext> make(Parameters parameters);

    // UIViewControllerContextTransitioning and the coordinator context.
    std::shared_ptr<UIView> containerView() const override { return parameters_.containerView; }
    bool isAnimated() const override { return parameters_.animated; }
    bool isInteractive() const override { return interactive_; }
    bool initiallyInteractive() const override { return initiallyInteractive_; }
    bool transitionWasCancelled() const override { return cancelled_; }
    bool isCancelled() const override { return cancelled_; }
    UIModalPresentationStyle presentationStyle() const override { return parameters_.presentationStyle; }
    // The animator's duration, asked once per transition (0 without animation).
    double transitionDuration() const override;
    CGFloat percentComplete() const override { return percentComplete_; }
    void updateInteractiveTransition(CGFloat percentComplete) override;
    void finishInteractiveTransition() override;
    void cancelInteractiveTransition() override;
    void pauseInteractiveTransition() override;
    void completeTransition(bool didComplete) override;
    std::shared_ptr<UIViewController> viewController(UITransitionContextViewControllerKey key) const override;
    std::shared_ptr<UIView> view(UITransitionContextViewKey key) const override;
    CGRect initialFrame(const std::shared_ptr<UIViewController>& viewController) const override;
    CGRect finalFrame(const std::shared_ptr<UIViewController>& viewController) const override;
    coregraphics::CGAffineTransform targetTransform() const override { return {}; }

    // UIViewControllerTransitionCoordinator.
    bool animate(Block alongsideTransition, Block completion) override;

    const std::shared_ptr<UIViewControllerAnimatedTransitioning>& animator() const { return parameters_.animator; }
    bool isCompleted() const { return completed_; }

    // Used by the view controller that runs the transition.
    void setInteractive(bool interactive);
    // The animator that the interaction controller drives; alongside animations join it.
    void setInterruptibleAnimator(const std::shared_ptr<UIViewPropertyAnimator>& animator);
    const std::shared_ptr<UIViewPropertyAnimator>& interruptibleAnimatorInUse() const { return interruptible_; }
    // From now on alongside animations run with the transition (registered ones at once).
    void startAlongsideAnimations();
    // Calls the coordinator's completion blocks, once.
    void runCompletionBlocks();

    explicit UIViewControllerTransitionContext(Parameters parameters);

private:
    void runAlongside(const Block& block);

    Parameters parameters_;
    bool interactive_ = false;
    bool initiallyInteractive_ = false;
    bool cancelled_ = false;
    bool completed_ = false;
    bool alongsideStarted_ = false;
    bool completionBlocksRun_ = false;
    CGFloat percentComplete_ = 0;
    mutable std::optional<double> duration_;
    std::shared_ptr<UIViewPropertyAnimator> interruptible_;
    std::vector<Block> alongside_;
    std::vector<Block> completions_;
};

} // namespace uikit
