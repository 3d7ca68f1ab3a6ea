#include "platform/uikit/ModalPresentation.hpp"

#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>
#include <utility>

namespace uikit {

namespace {

// The view in which a modal transition happens: it covers the window and tells the
// presentation controller about each of its layout passes.
class TransitionContainerView final : public UIView {
public:
    TransitionContainerView(const CGRect& frame, std::weak_ptr<UIPresentationController> controller)
        : UIView(frame), controller_(std::move(controller)) {}

    std::string className() const override { return "UITransitionView"; }

protected:
    void layoutSubviews() override {
        const auto controller = controller_.lock();
        if (controller) {
            controller->containerViewWillLayoutSubviews();
        }
        UIView::layoutSubviews();
        if (controller) {
            controller->containerViewDidLayoutSubviews();
        }
    }

private:
    std::weak_ptr<UIPresentationController> controller_;
};

// The platform's cover-vertical animation, used when no animator is supplied: the presented view
// rises from below the container and sinks back into it.
class CoverVerticalTransition final : public UIViewControllerAnimatedTransitioning {
public:
    static constexpr double duration = 0.5;

    explicit CoverVerticalTransition(bool presenting) : presenting_(presenting) {}

    double transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>& /*context*/) override {
        return duration;
    }

    void animateTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) override {
        const auto container = context->containerView();
        const CGFloat drop = container ? container->bounds().size.height : 0;
        auto complete = [context](bool /*finished*/) {
            context->completeTransition(!context->transitionWasCancelled());
        };
        if (presenting_) {
            const auto toView = context->view(UITransitionContextViewKey::to);
            const CGRect final = context->finalFrame(context->viewController(UITransitionContextViewControllerKey::to));
            if (toView && container) {
                UIView::performWithoutAnimation([&] {
                    toView->setFrame({final.origin.x, final.origin.y + drop, final.size.width, final.size.height});
                    container->addSubview(toView);
                });
            }
            UIView::animate(
                duration,
                [&] {
                    if (toView) {
                        toView->setFrame(final);
                    }
                },
                complete);
            return;
        }
        const auto fromView = context->view(UITransitionContextViewKey::from);
        UIView::animate(
            duration,
            [&] {
                if (fromView) {
                    const CGRect frame = fromView->frame();
                    fromView->setFrame({frame.origin.x, frame.origin.y + drop, frame.size.width, frame.size.height});
                }
            },
            [context, fromView](bool /*finished*/) {
                if (fromView && !context->transitionWasCancelled()) {
                    fromView->removeFromSuperview();
                }
                context->completeTransition(!context->transitionWasCancelled());
            });
    }

private:
    bool presenting_;
};

bool isInside(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& container) {
    return view && container && view->isDescendant(*container);
}

struct Transitionings {
    std::shared_ptr<UIViewControllerAnimatedTransitioning> animator;
    std::shared_ptr<UIViewControllerInteractiveTransitioning> interactor;
};

// What the transitioning delegate supplies for an animated transition (the platform's own
// animation when it supplies no animator); nothing without animation.
template <class AskAnimator, class AskInteractor>
Transitionings transitionings(bool animated, bool presenting,
                              const std::shared_ptr<UIViewControllerTransitioningDelegate>& delegate,
                              AskAnimator askAnimator, AskInteractor askInteractor) {
    Transitionings parts;
    if (!animated) {
        return parts;
    }
    if (delegate) {
        parts.animator = askAnimator(*delegate);
    }
    if (parts.animator && delegate) {
        parts.interactor = askInteractor(*delegate, parts.animator);
    }
    if (!parts.animator) {
        parts.animator = std::make_shared<CoverVerticalTransition>(presenting);
    }
    return parts;
}

using FrameOf = std::function<CGRect(UITransitionContextViewControllerKey key, bool initial)>;

// The frames of a presentation, in the container's coordinates, as the layout gives them when
// asked: the presented view has no initial frame and ends where its controller rests it; the
// presenter's view stays where it is.
FrameOf presentationFrames(const std::weak_ptr<UIPresentationController>& controller,
                           const std::weak_ptr<UIView>& container, const std::weak_ptr<UIViewController>& presenter) {
    return [controller, container, presenter](UITransitionContextViewControllerKey key, bool initial) {
        if (key == UITransitionContextViewControllerKey::to) {
            const auto live = controller.lock();
            return initial || !live ? CGRect::zero() : live->frameOfPresentedViewInContainerView();
        }
        const auto presenting = presenter.lock();
        const auto view = presenting ? presenting->viewIfLoaded() : nullptr;
        const auto box = container.lock();
        return view ? view->convert(view->bounds(), box.get()) : CGRect::zero();
    };
}

// The frames of a dismissal: the dismissed view starts where it is and has no final frame; the
// view that it uncovers stays, or comes back where it was.
FrameOf dismissalFrames(const std::weak_ptr<UIView>& fromView, const std::weak_ptr<UIView>& container,
                        const std::weak_ptr<UIViewController>& presenter) {
    return [fromView, container, presenter](UITransitionContextViewControllerKey key, bool initial) {
        const auto box = container.lock();
        if (key == UITransitionContextViewControllerKey::from) {
            const auto view = fromView.lock();
            return initial && view ? view->convert(view->bounds(), box.get()) : CGRect::zero();
        }
        const auto presenting = presenter.lock();
        const auto view = presenting ? presenting->viewIfLoaded() : nullptr;
        if (!view) {
            return CGRect::zero();
        }
        // A view taken out of the window comes back where it was: over the whole container.
        return view->window() ? view->convert(view->bounds(), box.get()) : (box ? box->bounds() : view->frame());
    };
}

// The end of a transition for the caller: its completion (only when the transition took
// place), then the requests that waited for the window.
std::function<void(bool)> finisher(const std::shared_ptr<UIWindow>& window, ModalPresentation::Completion completion) {
    const std::weak_ptr<UIWindow> weakWindow = window;
    return [weakWindow, completion = std::move(completion)](bool didComplete) {
        if (didComplete && completion) {
            completion();
        }
        if (const auto liveWindow = weakWindow.lock()) {
            liveWindow->endTransition();
        }
    };
}

// Runs a prepared transition: at once without animation (`placeViews` puts the views where they
// end), through the interaction controller when it wants an interactive start, else through the
// animator after reading its duration.
void runTransition(const std::shared_ptr<UIViewControllerTransitionContext>& context,
                   const std::shared_ptr<UIViewControllerInteractiveTransitioning>& interactor,
                   const std::function<void()>& placeViews) {
    if (!context->isAnimated()) {
        placeViews();
        context->startAlongsideAnimations();
        context->completeTransition(true);
    } else if (interactor && interactor->wantsInteractiveStart()) {
        context->setInteractive(true);
        interactor->startInteractiveTransition(context);
        context->startAlongsideAnimations();
    } else {
        context->transitionDuration();
        context->startAlongsideAnimations();
        context->animator()->animateTransition(context);
    }
}

} // namespace

// What the steps of a dismissal work on, fixed when it begins.
struct ModalPresentation::Dismissal {
    Chain chain;
    // The presented view controllers of the chain, kept alive until the last callback.
    std::vector<std::shared_ptr<UIViewController>> dismissed;
    std::shared_ptr<UIViewController> presenter;
    bool animated = false;
    // The bottom presentation took the presenter's view out of the window: it comes back.
    bool restoresPresenter = false;
    // The animator is given the presenter's view to bring back.
    bool givesPresenterView = false;
};

ModalPresentation::ModalPresentation(const std::shared_ptr<UIViewController>& presenter,
                                     const std::shared_ptr<UIViewController>& presented,
                                     std::shared_ptr<UIPresentationController> controller)
    : presenter_(presenter), presented_(presented), controller_(std::move(controller)) {}

UIModalPresentationStyle ModalPresentation::resolvedStyle(UIModalPresentationStyle style) {
    switch (style) {
    case UIModalPresentationStyle::automatic:
        return UIModalPresentationStyle::pageSheet;
    case UIModalPresentationStyle::none:
    case UIModalPresentationStyle::popover:
        return UIModalPresentationStyle::fullScreen;
    default:
        return style;
    }
}

std::shared_ptr<ModalPresentation> ModalPresentation::make(const std::shared_ptr<UIViewController>& presenter,
                                                           const std::shared_ptr<UIViewController>& presented,
                                                           const std::shared_ptr<UIViewController>& source) {
    const UIModalPresentationStyle style = resolvedStyle(presented->modalPresentationStyle());
    std::shared_ptr<UIPresentationController> controller;
    if (style == UIModalPresentationStyle::custom) {
        if (const auto delegate = presented->transitioningDelegate()) {
            controller = delegate->presentationController(presented, presenter, source);
        }
    }
    if (!controller) {
        controller = UIPresentationController::makeStandard(presented, presenter, style);
    }
    controller->attach(presented, presenter, style);
    return std::make_shared<ModalPresentation>(presenter, presented, std::move(controller));
}

void ModalPresentation::begin(bool animated, Completion completion, const std::shared_ptr<UIViewController>& source,
                              const std::shared_ptr<UIWindow>& window) {
    const auto self = shared_from_this();
    const auto presenter = this->presenter();
    const auto [animator, interactor] = transitionings(
        animated, true, presented_->transitioningDelegate(),
        [&](UIViewControllerTransitioningDelegate& d) { return d.animationController(presented_, presenter, source); },
        [](UIViewControllerTransitioningDelegate& d, const auto& a) {
            return d.interactionControllerForPresentation(a);
        });

    container_ =
        UIView::create<TransitionContainerView>(window->bounds(), std::weak_ptr<UIPresentationController>(controller_));
    container_->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    window->addSubview(container_);
    controller_->setContainerView(container_);
    presented_->loadViewIfNeeded();

    removesPresentersView_ = controller_->shouldRemovePresentersView();
    const auto toView = controller_->presentedView();

    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = presenter;
    parameters.toViewController = presented_;
    parameters.fromView = removesPresentersView_ ? presenter->view() : nullptr;
    parameters.toView = toView;
    parameters.containerView = container_;
    parameters.animated = animated;
    parameters.presentationStyle = controller_->presentationStyle();
    parameters.animator = animator;
    parameters.frameOf = presentationFrames(controller_, container_, presenter);
    parameters.onComplete = [self, animated](bool didComplete) {
        if (didComplete) {
            self->completePresentation();
        } else {
            self->cancelPresentation(animated);
        }
    };
    parameters.onFinished = finisher(window, std::move(completion));

    const auto context = UIViewControllerTransitionContext::make(std::move(parameters));
    presenterTransition_ = context;
    presentedTransition_ = context;
    window->beginTransition();

    controller_->presentationTransitionWillBegin();
    if (removesPresentersView_) {
        presenter->beginAppearanceTransition(false, animated);
    }
    presented_->beginAppearanceTransition(true, animated);
    container_->setNeedsLayout();
    container_->layoutIfNeeded();

    runTransition(context, interactor, [&] {
        if (toView && !isInside(toView, container_)) {
            toView->setFrame(controller_->frameOfPresentedViewInContainerView());
            container_->addSubview(toView);
        }
    });
}

void ModalPresentation::completePresentation() {
    const auto presenter = this->presenter();
    phase_ = Phase::presented;
    controller_->presentationTransitionDidEnd(true);
    if (removesPresentersView_) {
        takePresentersViewOut(presenter);
        presenter->endAppearanceTransition();
    }
    presented_->endAppearanceTransition();
    presenterTransition_.reset();
    presentedTransition_.reset();
}

void ModalPresentation::takePresentersViewOut(const std::shared_ptr<UIViewController>& presenter) {
    const auto view = presenter->viewIfLoaded();
    const auto superview = view ? view->superview() : nullptr;
    if (!superview) {
        return;
    }
    const auto& siblings = superview->subviews();
    removedView_.superview = superview;
    removedView_.frame = view->frame();
    removedView_.index = static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), view) - siblings.begin());
    view->removeFromSuperview();
}

void ModalPresentation::cancelPresentation(bool animated) {
    const auto presenter = this->presenter();
    const auto presented = presented_;
    phase_ = Phase::presented;
    controller_->presentationTransitionDidEnd(false);
    container_->removeFromSuperview();
    presented->beginAppearanceTransition(false, animated);
    if (removesPresentersView_) {
        presenter->beginAppearanceTransition(true, animated);
    }
    presented->endAppearanceTransition();
    if (removesPresentersView_) {
        presenter->endAppearanceTransition();
    }
    controller_->setContainerView(nullptr);
    end();
    presenterTransition_.reset();
}

void ModalPresentation::dismiss(const Chain& above, bool animated, Completion completion,
                                const std::shared_ptr<UIWindow>& window) {
    Dismissal dismissal;
    dismissal.chain.push_back(shared_from_this());
    dismissal.chain.insert(dismissal.chain.end(), above.begin(), above.end());
    dismissal.presenter = presenter();
    dismissal.animated = animated;
    dismissal.restoresPresenter = !removedView_.superview.expired();
    for (const auto& presentation : dismissal.chain) {
        dismissal.dismissed.push_back(presentation->presented());
        presentation->beginDismissal();
    }
    const auto& top = dismissal.chain.back();
    const auto dismissed = top->presented();
    const auto controller = top->controller();
    const auto container = top->containerView();

    const auto [animator, interactor] = transitionings(
        animated, false, dismissed->transitioningDelegate(),
        [&](UIViewControllerTransitioningDelegate& d) { return d.animationController(dismissed); },
        [](UIViewControllerTransitioningDelegate& d, const auto& a) { return d.interactionControllerForDismissal(a); });

    const auto& presenter = dismissal.presenter;
    const auto fromView = controller->presentedView();
    dismissal.givesPresenterView = dismissal.chain.size() == 1 && controller->shouldRemovePresentersView();
    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = dismissed;
    parameters.toViewController = top->presenter();
    parameters.fromView = fromView;
    parameters.toView = dismissal.givesPresenterView ? presenter->view() : nullptr;
    parameters.containerView = container;
    parameters.animated = animated;
    parameters.presentationStyle = controller->presentationStyle();
    parameters.animator = animator;
    parameters.frameOf = dismissalFrames(fromView, container, parameters.toViewController);
    parameters.onComplete = [self = shared_from_this(), dismissal](bool didComplete) {
        if (didComplete) {
            self->completeDismissal(dismissal);
        } else {
            self->cancelDismissal(dismissal);
        }
    };
    parameters.onFinished = finisher(window, std::move(completion));

    const auto context = UIViewControllerTransitionContext::make(std::move(parameters));
    presenterTransition_ = context;
    for (const auto& presentation : dismissal.chain) {
        presentation->showTransitionToPresented(context);
    }
    if (window) {
        window->beginTransition();
    }

    controller->dismissalTransitionWillBegin();
    for (auto it = dismissal.dismissed.rbegin(); it != dismissal.dismissed.rend(); ++it) {
        (*it)->beginAppearanceTransition(false, animated);
    }
    if (dismissal.restoresPresenter) {
        presenter->beginAppearanceTransition(true, animated);
    }
    runTransition(context, interactor, [&] {
        if (isInside(fromView, container)) {
            fromView->removeFromSuperview();
        }
    });
}

void ModalPresentation::beginDismissal() { phase_ = Phase::dismissing; }

void ModalPresentation::showTransitionToPresented(
    const std::shared_ptr<UIViewControllerTransitionCoordinator>& context) {
    presentedTransition_ = context;
}

void ModalPresentation::completeDismissal(const Dismissal& dismissal) {
    const auto& chain = dismissal.chain;
    const auto& top = chain.back();
    const auto& presenter = dismissal.presenter;
    const RemovedView removed = std::exchange(removedView_, {});
    top->controller()->dismissalTransitionDidEnd(true);
    top->containerView()->removeFromSuperview();
    // Top-down: each view controller leaves the one that presented it.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (*it != top) {
            (*it)->leaveWithoutTransition();
        }
        (*it)->end();
    }
    if (dismissal.restoresPresenter) {
        const auto superview = removed.superview.lock();
        const auto view = presenter->viewIfLoaded();
        if (superview && view) {
            view->setFrame(removed.frame);
            superview->insertSubview(view, removed.index);
        }
    }
    for (auto it = dismissal.dismissed.rbegin(); it != dismissal.dismissed.rend(); ++it) {
        (*it)->endAppearanceTransition();
    }
    presenter->endAppearanceTransition();
    presenterTransition_.reset();
}

void ModalPresentation::leaveWithoutTransition() {
    controller_->dismissalTransitionWillBegin();
    if (const auto view = controller_->presentedView(); isInside(view, container_)) {
        view->removeFromSuperview();
    }
    controller_->dismissalTransitionDidEnd(true);
    container_->removeFromSuperview();
}

void ModalPresentation::cancelDismissal(const Dismissal& dismissal) {
    const auto& chain = dismissal.chain;
    const auto& top = chain.back();
    const auto& presenter = dismissal.presenter;
    top->controller()->dismissalTransitionDidEnd(false);
    if (const auto view = presenter->viewIfLoaded();
        dismissal.givesPresenterView && isInside(view, top->containerView())) {
        view->removeFromSuperview();
    }
    for (const auto& dismissed : dismissal.dismissed) {
        dismissed->beginAppearanceTransition(true, dismissal.animated);
    }
    if (dismissal.restoresPresenter) {
        presenter->beginAppearanceTransition(false, dismissal.animated);
    }
    for (std::size_t i = 0; i < chain.size(); ++i) {
        dismissal.dismissed[i]->endAppearanceTransition();
        chain[i]->stayPresented();
    }
    presenter->endAppearanceTransition();
    presenterTransition_.reset();
}

void ModalPresentation::stayPresented() {
    phase_ = Phase::presented;
    presentedTransition_.reset();
}

void ModalPresentation::end() {
    phase_ = Phase::over;
    presenter_.reset();
    presented_.reset();
    controller_.reset();
    container_.reset();
    removedView_ = {};
    presentedTransition_.reset();
}

} // namespace uikit
