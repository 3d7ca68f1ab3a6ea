#include "platform/uikit/UIViewController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <iostream>

namespace uikit {

namespace {

std::string address(const void* pointer) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pointer);
    return buffer;
}

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
        auto complete = [context](bool /*finished*/) { context->completeTransition(!context->transitionWasCancelled()); };
        if (presenting_) {
            const auto toView = context->view(UITransitionContextViewKey::to);
            const CGRect final = context->finalFrame(context->viewController(UITransitionContextViewControllerKey::to));
            if (toView && container) {
                UIView::performWithoutAnimation([&] {
                    toView->setFrame({final.origin.x, final.origin.y + drop, final.size.width, final.size.height});
                    container->addSubview(toView);
                });
            }
            UIView::animate(duration, [&] {
                if (toView) {
                    toView->setFrame(final);
                }
            }, complete);
            return;
        }
        const auto fromView = context->view(UITransitionContextViewKey::from);
        UIView::animate(duration, [&] {
            if (fromView) {
                const CGRect frame = fromView->frame();
                fromView->setFrame({frame.origin.x, frame.origin.y + drop, frame.size.width, frame.size.height});
            }
        }, [context, fromView](bool /*finished*/) {
            if (fromView && !context->transitionWasCancelled()) {
                fromView->removeFromSuperview();
            }
            context->completeTransition(!context->transitionWasCancelled());
        });
    }

private:
    bool presenting_;
};

UIModalPresentationStyle resolvedStyle(UIModalPresentationStyle style) {
    switch (style) {
    case UIModalPresentationStyle::automatic:
        return UIModalPresentationStyle::pageSheet;
    case UIModalPresentationStyle::none:
    case UIModalPresentationStyle::popover:
        // What a compact-width device adapts these to.
        return UIModalPresentationStyle::fullScreen;
    default:
        return style;
    }
}

bool isInside(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& container) {
    return view && container && view->isDescendant(*container);
}

// The end of a transition for the caller: its completion (only when the transition took
// place), then the requests that waited for the window.
std::function<void(bool)> finisher(const std::shared_ptr<UIWindow>& window, UIViewController::Completion completion) {
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

UIViewController::~UIViewController() = default;

std::string UIViewController::description() const { return "<" + className() + ": " + address(this) + ">"; }

// MARK: View

std::shared_ptr<UIView> UIViewController::view() {
    assert(foundation::isMainThread());
    if (view_) {
        return view_;
    }
    if (loadingView_) {
        std::cerr << description() << ": the view was asked for while it loads; loadView must set it.\n";
        return view_;
    }
    loadingView_ = true;
    loadView();
    loadingView_ = false;
    if (!view_) {
        // The platform would ask again for ever; a plain view stands in.
        std::cerr << description() << ": loadView set no view; a plain view takes its place.\n";
        setView(UIView::make(UIScreen::main().bounds()));
    }
    viewDidLoad();
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
    view_ = std::move(view);
    if (view_) {
        view_->setAdditionalSafeAreaInsets(additionalSafeAreaInsets_);
    }
}

void UIViewController::loadViewIfNeeded() { view(); }

void UIViewController::loadView() {
    auto view = UIView::make(UIScreen::main().bounds());
    view->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    setView(std::move(view));
}

void UIViewController::setAdditionalSafeAreaInsets(const UIEdgeInsets& insets) {
    additionalSafeAreaInsets_ = insets;
    if (view_) {
        view_->setAdditionalSafeAreaInsets(insets);
    }
}

UITraitCollection UIViewController::traitCollection() const {
    return view_ ? view_->traitCollection() : UITraitCollection::current();
}

// MARK: Appearance

void UIViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    if (isAppearing) {
        if (appearState_ == AppearState::appearing || appearState_ == AppearState::appeared) {
            return;
        }
        loadViewIfNeeded();
        appearState_ = AppearState::appearing;
        appearanceAnimated_ = animated;
        viewWillAppear(animated);
    } else {
        if (appearState_ == AppearState::disappearing || appearState_ == AppearState::disappeared) {
            return;
        }
        appearState_ = AppearState::disappearing;
        appearanceAnimated_ = animated;
        viewWillDisappear(animated);
    }
    for (const auto& child : childViewControllersForAppearance()) {
        child->beginAppearanceTransition(isAppearing, animated);
    }
}

void UIViewController::endAppearanceTransition() {
    if (appearState_ == AppearState::appearing) {
        appearState_ = AppearState::appeared;
        viewDidAppear(appearanceAnimated_);
    } else if (appearState_ == AppearState::disappearing) {
        appearState_ = AppearState::disappeared;
        viewDidDisappear(appearanceAnimated_);
    } else {
        return;
    }
    for (const auto& child : childViewControllersForAppearance()) {
        child->endAppearanceTransition();
    }
}

std::vector<UIViewController::Pointer> UIViewController::childViewControllersForAppearance() const {
    std::vector<Pointer> inView;
    if (!view_) {
        return inView;
    }
    for (const auto& child : children_) {
        if (child->view_ && child->view_->isDescendant(*view_)) {
            inView.push_back(child);
        }
    }
    return inView;
}

// MARK: Containment

bool UIViewController::isAncestor(const UIViewController& of) const {
    for (auto v = of.parent(); v; v = v->parent()) {
        if (v.get() == this) {
            return true;
        }
    }
    return false;
}

void UIViewController::addChild(const Pointer& child) {
    assert(foundation::isMainThread());
    if (!child) {
        return;
    }
    if (child.get() == this || child->isAncestor(*this)) {
        std::cerr << "UIViewController: " << child->description() << " cannot become a child of "
                  << description() << ", which it contains.\n";
        return;
    }
    if (!child->presentingViewController_.expired()) {
        std::cerr << "UIViewController: " << child->description() << " is presented and cannot become a child of "
                  << description() << ".\n";
        return;
    }
    if (child->parent().get() == this) {
        return;
    }
    if (child->parent()) {
        child->removeFromParent();
    }
    child->willMove(shared_from_this());
    children_.push_back(child);
    child->parent_ = weak_from_this();
}

void UIViewController::removeFromParent() {
    assert(foundation::isMainThread());
    const auto parent = this->parent();
    if (!parent) {
        return;
    }
    const auto keepAlive = shared_from_this();
    if (appearState_ == AppearState::appeared || appearState_ == AppearState::appearing) {
        beginAppearanceTransition(false, false);
        endAppearanceTransition();
    }
    std::erase(parent->children_, keepAlive);
    parent_.reset();
    didMove(nullptr);
}

void UIViewController::didMove(const Pointer& toParent) {
    if (toParent && toParent->appearState_ == AppearState::appeared && view_ && toParent->view_ &&
        view_->isDescendant(*toParent->view_)) {
        beginAppearanceTransition(true, false);
        endAppearanceTransition();
    }
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
    for (auto v = parent(); v; v = v->parent()) {
        if (auto navigation = std::dynamic_pointer_cast<UINavigationController>(v)) {
            return navigation;
        }
    }
    return nullptr;
}

std::shared_ptr<UINavigationItem> UIViewController::navigationItem() {
    if (!navigationItem_) {
        navigationItem_ = UINavigationItem::make(title_);
    }
    return navigationItem_;
}

void UIViewController::setTitle(std::optional<std::string> title) {
    title_ = title;
    if (navigationItem_) {
        navigationItem_->setTitle(std::move(title));
    }
}

// MARK: Presentation

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const {
    for (auto v = std::const_pointer_cast<UIViewController>(shared_from_this()); v; v = v->parent()) {
        if (v->presentedViewController_) {
            return v->presentedViewController_;
        }
    }
    return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
    auto outermost = std::const_pointer_cast<UIViewController>(shared_from_this());
    while (auto parent = outermost->parent()) {
        outermost = parent;
    }
    return outermost->presentingViewController_.lock();
}

std::shared_ptr<UIViewControllerTransitionCoordinator> UIViewController::transitionCoordinator() const {
    for (auto v = std::const_pointer_cast<UIViewController>(shared_from_this()); v; v = v->parent()) {
        if (auto coordinator = v->transitionCoordinator_.lock()) {
            return coordinator;
        }
    }
    return nullptr;
}

UIViewController::Pointer UIViewController::presentationContextFor(UIModalPresentationStyle style) {
    if (style == UIModalPresentationStyle::currentContext || style == UIModalPresentationStyle::overCurrentContext) {
        for (auto v = shared_from_this(); v; v = v->parent()) {
            if (v->definesPresentationContext_) {
                return v;
            }
        }
    }
    auto outermost = shared_from_this();
    while (auto parent = outermost->parent()) {
        outermost = parent;
    }
    return outermost;
}

std::shared_ptr<UIWindow> UIViewController::windowForTransitions() const {
    if (presentedViewController_) {
        if (const auto& controller = presentedViewController_->presentationController_) {
            if (const auto& container = controller->containerView_) {
                if (auto window = container->window()) {
                    return window;
                }
            }
        }
    }
    return view_ ? view_->window() : nullptr;
}

void UIViewController::present(const Pointer& viewControllerToPresent, bool animated, Completion completion) {
    assert(foundation::isMainThread());
    const auto& presented = viewControllerToPresent;
    if (!presented) {
        std::cerr << "Application tried to present a nil modal view controller on target " << description() << ".\n";
        return;
    }
    const auto self = shared_from_this();
    const auto presenter = presentationContextFor(resolvedStyle(presented->modalPresentationStyle_));
    const auto window = presenter->windowForTransitions();
    if (window && window->isTransitionInProgress()) {
        window->enqueueAfterTransition([self, presented, animated, completion = std::move(completion)]() mutable {
            self->present(presented, animated, std::move(completion));
        });
        return;
    }
    if (const auto presenting = presented->presentingViewController_.lock()) {
        std::cerr << "Application tried to present modally a view controller " << presented->description()
                  << " that is already being presented by " << presenting->description() << ".\n";
        return;
    }
    if (presented == self || presented->parent() || presented->isAncestor(*this) ||
        (presented->view_ && presented->view_->window())) {
        std::cerr << "Application tried to present modally an active controller " << presented->description()
                  << ".\n";
        return;
    }
    if (presenter->presentedViewController_) {
        std::cerr << "Attempt to present " << presented->description() << " on " << presenter->description()
                  << " (from " << description() << ") which is already presenting "
                  << presenter->presentedViewController_->description() << ".\n";
        return;
    }
    if (!window) {
        std::cerr << "Attempt to present " << presented->description() << " on " << presenter->description()
                  << " (from " << description() << ") whose view is not in the window hierarchy.\n";
        return;
    }
    presenter->runPresentation(presented, animated, std::move(completion), self);
}

void UIViewController::runPresentation(const Pointer& presented, bool animated, Completion completion,
                                       const Pointer& source) {
    const auto presenter = shared_from_this();
    const auto window = windowForTransitions();
    const UIModalPresentationStyle style = resolvedStyle(presented->modalPresentationStyle_);
    const auto delegate = presented->transitioningDelegate();

    std::shared_ptr<UIPresentationController> controller;
    if (style == UIModalPresentationStyle::custom && delegate) {
        controller = delegate->presentationController(presented, presenter, source);
    }
    if (!controller) {
        controller = UIPresentationController::makeStandard(presented, presenter, style);
    }
    controller->presented_ = presented;
    controller->presenting_ = presenter;
    controller->style_ = style;

    presentedViewController_ = presented;
    presented->presentingViewController_ = presenter;
    presented->presentationController_ = controller;
    presented->beingPresented_ = true;

    std::shared_ptr<UIViewControllerAnimatedTransitioning> animator;
    std::shared_ptr<UIViewControllerInteractiveTransitioning> interactor;
    if (animated) {
        if (delegate) {
            animator = delegate->animationController(presented, presenter, source);
        }
        if (animator && delegate) {
            interactor = delegate->interactionControllerForPresentation(animator);
        }
        if (!animator) {
            animator = std::make_shared<CoverVerticalTransition>(true);
        }
    }

    const auto container =
        UIView::create<TransitionContainerView>(window->bounds(), std::weak_ptr<UIPresentationController>(controller));
    container->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    window->addSubview(container);
    controller->containerView_ = container;
    presented->loadViewIfNeeded();

    const bool removesPresenter = controller->shouldRemovePresentersView();
    const auto toView = controller->presentedView();
    const auto fromView = removesPresenter ? view() : nullptr;

    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = presenter;
    parameters.toViewController = presented;
    parameters.fromView = fromView;
    parameters.toView = toView;
    parameters.containerView = container;
    parameters.animated = animated;
    parameters.presentationStyle = style;
    parameters.animator = animator;
    const std::weak_ptr<UIPresentationController> weakController = controller;
    const std::weak_ptr<UIView> weakContainer = container;
    const std::weak_ptr<UIViewController> weakPresenter = presenter;
    parameters.frameOf = [weakController, weakContainer, weakPresenter](UITransitionContextViewControllerKey key,
                                                                        bool initial) {
        if (key == UITransitionContextViewControllerKey::to) {
            const auto live = weakController.lock();
            return initial || !live ? CGRect::zero() : live->frameOfPresentedViewInContainerView();
        }
        const auto presenting = weakPresenter.lock();
        const auto view = presenting ? presenting->viewIfLoaded() : nullptr;
        const auto box = weakContainer.lock();
        return view ? view->convert(view->bounds(), box.get()) : CGRect::zero();
    };
    parameters.onComplete = [presenter, presented, controller, container, removesPresenter,
                             animated](bool didComplete) {
        presented->beingPresented_ = false;
        controller->presentationTransitionDidEnd(didComplete);
        if (didComplete) {
            if (removesPresenter && presenter->view_) {
                if (const auto superview = presenter->view_->superview()) {
                    const auto& siblings = superview->subviews();
                    presenter->removedViewSuperview_ = superview;
                    presenter->removedViewFrame_ = presenter->view_->frame();
                    presenter->removedViewIndex_ = static_cast<std::size_t>(
                        std::find(siblings.begin(), siblings.end(), presenter->view_) - siblings.begin());
                    presenter->view_->removeFromSuperview();
                }
            }
            if (removesPresenter) {
                presenter->endAppearanceTransition();
            }
            presented->endAppearanceTransition();
        } else {
            container->removeFromSuperview();
            presented->beginAppearanceTransition(false, animated);
            if (removesPresenter) {
                presenter->beginAppearanceTransition(true, animated);
            }
            presented->endAppearanceTransition();
            if (removesPresenter) {
                presenter->endAppearanceTransition();
            }
            presenter->presentedViewController_.reset();
            presented->presentingViewController_.reset();
            presented->presentationController_.reset();
            controller->containerView_.reset();
        }
        presenter->transitionCoordinator_.reset();
        presented->transitionCoordinator_.reset();
    };
    parameters.onFinished = finisher(window, std::move(completion));

    const auto context = UIViewControllerTransitionContext::make(std::move(parameters));
    transitionCoordinator_ = context;
    presented->transitionCoordinator_ = context;
    window->beginTransition();

    controller->presentationTransitionWillBegin();
    if (removesPresenter) {
        beginAppearanceTransition(false, animated);
    }
    presented->beginAppearanceTransition(true, animated);
    container->setNeedsLayout();
    container->layoutIfNeeded();

    runTransition(context, interactor, [&] {
        if (toView && !isInside(toView, container)) {
            toView->setFrame(controller->frameOfPresentedViewInContainerView());
            container->addSubview(toView);
        }
    });
}

void UIViewController::dismiss(bool animated, Completion completion) {
    assert(foundation::isMainThread());
    for (auto v = shared_from_this(); v; v = v->parent()) {
        if (v->presentedViewController_) {
            if (v.get() == this) {
                runDismissal(animated, std::move(completion));
            } else {
                v->dismiss(animated, std::move(completion));
            }
            return;
        }
    }
    if (const auto presenter = presentingViewController()) {
        presenter->dismiss(animated, std::move(completion));
    }
    // Nothing presented here: the platform does nothing, completion included.
}

void UIViewController::runDismissal(bool animated, Completion completion) {
    const auto presenter = shared_from_this();
    const auto window = windowForTransitions();
    if (window && window->isTransitionInProgress()) {
        window->enqueueAfterTransition([presenter, animated, completion = std::move(completion)]() mutable {
            presenter->dismiss(animated, std::move(completion));
        });
        return;
    }
    std::vector<Pointer> chain;
    for (auto v = presentedViewController_; v; v = v->presentedViewController_) {
        chain.push_back(v);
    }
    if (chain.empty()) {
        return;
    }
    const auto top = chain.back();
    const auto topPresenter = chain.size() > 1 ? chain[chain.size() - 2] : presenter;
    const auto controller = top->presentationController_;
    const auto container = controller ? controller->containerView_ : nullptr;
    const bool restoresPresenter = !removedViewSuperview_.expired();

    for (const auto& v : chain) {
        v->beingDismissed_ = true;
    }

    std::shared_ptr<UIViewControllerAnimatedTransitioning> animator;
    std::shared_ptr<UIViewControllerInteractiveTransitioning> interactor;
    if (animated) {
        const auto delegate = top->transitioningDelegate();
        if (delegate) {
            animator = delegate->animationController(top);
        }
        if (animator && delegate) {
            interactor = delegate->interactionControllerForDismissal(animator);
        }
        if (!animator) {
            animator = std::make_shared<CoverVerticalTransition>(false);
        }
    }

    const auto fromView = controller ? controller->presentedView() : top->viewIfLoaded();
    const bool givesPresenterView = chain.size() == 1 && controller && controller->shouldRemovePresentersView();
    const auto toView = givesPresenterView ? view() : nullptr;

    UIViewControllerTransitionContext::Parameters parameters;
    parameters.fromViewController = top;
    parameters.toViewController = topPresenter;
    parameters.fromView = fromView;
    parameters.toView = toView;
    parameters.containerView = container;
    parameters.animated = animated;
    parameters.presentationStyle = controller ? controller->presentationStyle() : UIModalPresentationStyle::fullScreen;
    parameters.animator = animator;
    const std::weak_ptr<UIView> weakFromView = fromView;
    const std::weak_ptr<UIView> weakContainer = container;
    const std::weak_ptr<UIViewController> weakTopPresenter = topPresenter;
    parameters.frameOf = [weakFromView, weakContainer, weakTopPresenter](UITransitionContextViewControllerKey key,
                                                                         bool initial) {
        const auto box = weakContainer.lock();
        if (key == UITransitionContextViewControllerKey::from) {
            const auto view = weakFromView.lock();
            return initial && view ? view->convert(view->bounds(), box.get()) : CGRect::zero();
        }
        const auto presenting = weakTopPresenter.lock();
        const auto view = presenting ? presenting->viewIfLoaded() : nullptr;
        if (!view) {
            return CGRect::zero();
        }
        // A view taken out of the window comes back where it was: over the whole container.
        return view->window() ? view->convert(view->bounds(), box.get()) : (box ? box->bounds() : view->frame());
    };
    parameters.onComplete = [presenter, chain, controller, container, animated, restoresPresenter,
                             givesPresenterView](bool didComplete) {
        const auto& dismissed = chain.back();
        if (controller) {
            controller->dismissalTransitionDidEnd(didComplete);
        }
        if (didComplete) {
            if (container) {
                container->removeFromSuperview();
            }
            // Top-down: each view controller leaves the one that presented it.
            for (std::size_t i = chain.size(); i-- > 0;) {
                const auto& v = chain[i];
                const auto& below = i == 0 ? presenter : chain[i - 1];
                if (v != dismissed && v->presentationController_) {
                    const auto& between = v->presentationController_;
                    between->dismissalTransitionWillBegin();
                    if (const auto view = between->presentedView(); isInside(view, between->containerView_)) {
                        view->removeFromSuperview();
                    }
                    between->dismissalTransitionDidEnd(true);
                    if (between->containerView_) {
                        between->containerView_->removeFromSuperview();
                    }
                }
                below->presentedViewController_.reset();
                v->presentingViewController_.reset();
                v->presentationController_.reset();
                v->beingDismissed_ = false;
                v->transitionCoordinator_.reset();
                v->removedViewSuperview_.reset();
            }
            if (restoresPresenter) {
                const auto superview = presenter->removedViewSuperview_.lock();
                if (superview && presenter->view_) {
                    presenter->view_->setFrame(presenter->removedViewFrame_);
                    superview->insertSubview(presenter->view_, presenter->removedViewIndex_);
                }
                presenter->removedViewSuperview_.reset();
            }
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                (*it)->endAppearanceTransition();
            }
            presenter->endAppearanceTransition();
        } else {
            if (givesPresenterView && presenter->view_ && isInside(presenter->view_, container)) {
                presenter->view_->removeFromSuperview();
            }
            for (const auto& v : chain) {
                v->beginAppearanceTransition(true, animated);
            }
            if (restoresPresenter) {
                presenter->beginAppearanceTransition(false, animated);
            }
            for (const auto& v : chain) {
                v->endAppearanceTransition();
                v->beingDismissed_ = false;
                v->transitionCoordinator_.reset();
            }
            presenter->endAppearanceTransition();
        }
        presenter->transitionCoordinator_.reset();
    };
    parameters.onFinished = finisher(window, std::move(completion));

    const auto context = UIViewControllerTransitionContext::make(std::move(parameters));
    transitionCoordinator_ = context;
    for (const auto& v : chain) {
        v->transitionCoordinator_ = context;
    }
    if (window) {
        window->beginTransition();
    }

    if (controller) {
        controller->dismissalTransitionWillBegin();
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->beginAppearanceTransition(false, animated);
    }
    if (restoresPresenter) {
        beginAppearanceTransition(true, animated);
    }
    runTransition(context, interactor, [&] {
        if (isInside(fromView, container)) {
            fromView->removeFromSuperview();
        }
    });
}

void UIViewController::show(const Pointer& viewController, const Pointer& /*sender*/) {
    if (const auto navigation = navigationController()) {
        navigation->pushViewController(viewController, true);
        return;
    }
    present(viewController, true);
}

} // namespace uikit
