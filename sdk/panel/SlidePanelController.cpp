#include "sdk/panel/SlidePanelController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"
#include "sdk/panel/ModalTransition.hpp"
#include "sdk/panel/SlidePanelDrag.hpp"
#include "sdk/panel/SpringAnimator.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace vyd {

using coregraphics::CGFloat;
using coregraphics::CGPoint;
using coregraphics::CGRect;
using uikit::UIView;

// The panel's root view: a passthrough view that tells the panel when its size or safe area
// changes, so that the surface keeps to its state's place.
class SlidePanelRootView final : public PassthroughView {
public:
    SlidePanelRootView(const CGRect& frame, std::weak_ptr<SlidePanelController> owner)
        : PassthroughView(frame), owner_(std::move(owner)) {}

protected:
    void layoutSubviews() override {
        PassthroughView::layoutSubviews();
        if (const auto owner = owner_.lock()) {
            owner->viewDidResize();
        }
    }
    void safeAreaInsetsDidChange() override {
        PassthroughView::safeAreaInsetsDidChange();
        setNeedsLayout();
    }

private:
    std::weak_ptr<SlidePanelController> owner_;
};

namespace {

// Lets the panel's pan and the pan of the scroll view it tracks recognise the same drag.
class PanSharing final : public uikit::UIGestureRecognizerDelegate {
public:
    explicit PanSharing(std::weak_ptr<SlidePanelController> panel) : panel_(std::move(panel)) {}

    bool gestureRecognizerShouldRecognizeSimultaneouslyWith(uikit::UIGestureRecognizer& /*recognizer*/,
                                                            uikit::UIGestureRecognizer& other) override {
        const auto panel = panel_.lock();
        const auto scrollView = panel ? panel->trackingScrollView() : nullptr;
        return scrollView && scrollView->panGestureRecognizer().get() == &other;
    }

private:
    std::weak_ptr<SlidePanelController> panel_;
};

template <class Interface>
Interface* delegateAs(const std::shared_ptr<SlidePanelControllerDelegate>& delegate) {
    return dynamic_cast<Interface*>(delegate.get());
}

} // namespace

std::shared_ptr<SlidePanelController>
SlidePanelController::make(const std::shared_ptr<SlidePanelControllerDelegate>& delegate) {
    auto panel = create<SlidePanelController>();
    panel->setDelegate(delegate);
    return panel;
}

SlidePanelController::SlidePanelController()
    : layout_(std::make_shared<SlidePanelBottomLayout>()), behavior_(std::make_shared<SlidePanelDefaultBehavior>()),
      state_(SlidePanelState::hidden()) {}

SlidePanelController::~SlidePanelController() {
    // A spring still running holds only a weak reference to the panel; stop it so that its
    // completion runs now rather than at its last frame.
    if (auto attraction = std::move(attraction_)) {
        attraction->stop();
    }
}

std::shared_ptr<SlidePanelController> SlidePanelController::self() {
    return std::static_pointer_cast<SlidePanelController>(shared_from_this());
}

void SlidePanelController::didInit() {
    UIViewController::didInit();
    surfaceView_ = SurfaceView::make();
    backdropView_ = BackdropView::make();
    const auto me = self();
    panGestureRecognizer_ = uikit::UIPanGestureRecognizer::make(me, &SlidePanelController::handlePan);
    panDelegate_ = std::make_shared<PanSharing>(me);
    panGestureRecognizer_->setDelegate(panDelegate_);
    surfaceView_->addGestureRecognizer(panGestureRecognizer_);
    backdropView_->dismissalTapGestureRecognizer()->addTarget(me, &SlidePanelController::handleBackdropTap);
    // The platform holds the transitioning delegate weakly: this field keeps it.
    modalTransition_ = std::make_shared<ModalTransition>();
    setModalPresentationStyle(uikit::UIModalPresentationStyle::custom);
    setTransitioningDelegate(modalTransition_);
}

void SlidePanelController::loadView() {
    auto root = UIView::create<SlidePanelRootView>(uikit::UIScreen::main().bounds(),
                                                   std::weak_ptr<SlidePanelController>(self()));
    root->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleWidth | uikit::UIViewAutoresizing::flexibleHeight);
    setView(root);
}

void SlidePanelController::viewDidLoad() {
    UIViewController::viewDidLoad();
    const auto root = view();
    root->setBackgroundColor(uikit::UIColor::clear());
    backdropView_->setFrame(root->bounds());
    backdropView_->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleWidth |
                                       uikit::UIViewAutoresizing::flexibleHeight);
    root->addSubview(backdropView_);
    root->addSubview(surfaceView_);
    placeSurface(state_);
}

// MARK: Geometry

SlidePanelLayoutContext SlidePanelController::layoutContext() const {
    SlidePanelLayoutContext context;
    if (const auto root = viewIfLoaded()) {
        context.bounds = {0, 0, root->bounds().width(), root->bounds().height()};
        context.safeAreaInsets = root->safeAreaInsets();
    } else {
        context.bounds = {0, 0, uikit::UIScreen::main().bounds().width(), uikit::UIScreen::main().bounds().height()};
    }
    std::weak_ptr<UIView> content = surfaceView_->contentView();
    context.contentFittingHeight = [content](CGFloat width) -> CGFloat {
        const auto view = content.lock();
        if (!view) {
            return 0;
        }
        return view
            ->systemLayoutSizeFitting({width, 0}, uikit::UILayoutPriority::required,
                                      uikit::UILayoutPriority::fittingSizeLevel)
            .height;
    };
    return context;
}

// An intrinsic anchor asks the content for its fitting size, which the content's own layout
// system keeps until something in the content changes: a drag does not solve it at every step.
SlidePanelLayoutPositions SlidePanelController::positions() const { return {*layout_, layoutContext()}; }

CGFloat SlidePanelController::surfaceTop() const { return surfaceView_->frame().minY(); }

void SlidePanelController::setSurfaceTop(CGFloat top) {
    if (!std::isfinite(top)) {
        return;
    }
    const auto context = layoutContext();
    const SlidePanelLayoutPositions places(*layout_, context);
    const CGFloat height = places.hiddenTop();
    const CGFloat width = context.bounds.width();
    const CGFloat surfaceHeight =
        contentMode_ == SlidePanelContentMode::fitToBounds ? height - top : height - std::min(top, places.topMost());
    surfaceView_->setFrame({0, top, width, std::max<CGFloat>(0, surfaceHeight)});
    updateBackdrop(places, top);
}

void SlidePanelController::placeSurface(const SlidePanelStateRef& state) {
    setSurfaceTop(positions().surfaceTop(state));
}

void SlidePanelController::updateBackdrop(const SlidePanelLayoutPositions& places, CGFloat top) {
    // Between two resting places the darkness blends from one state's to the other's.
    struct Stop {
        CGFloat top;
        CGFloat alpha;
    };
    std::vector<Stop> stops;
    for (const auto& state : places.states()) {
        stops.push_back({places.surfaceTop(state), layout_->backdropAlpha(state)});
    }
    std::sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.top < b.top; });
    CGFloat alpha = stops.front().alpha;
    if (top >= stops.back().top) {
        alpha = stops.back().alpha;
    } else {
        for (std::size_t i = 1; i < stops.size(); ++i) {
            if (top <= stops[i].top) {
                const CGFloat span = stops[i].top - stops[i - 1].top;
                const CGFloat t = span > 0 ? std::clamp((top - stops[i - 1].top) / span, CGFloat(0), CGFloat(1)) : 1;
                alpha = stops[i - 1].alpha + (stops[i].alpha - stops[i - 1].alpha) * t;
                break;
            }
        }
    }
    backdropView_->setAlpha(std::isfinite(alpha) ? std::clamp(alpha, CGFloat(0), CGFloat(1)) : 0);
}

void SlidePanelController::viewDidResize() {
    // A move under way lands where it was aimed; the next layout pass corrects it.
    if (dragging_ || isAttracting() || (transitionAnimator_ && transitionAnimator_->isRunning())) {
        return;
    }
    placeSurface(state_);
}

std::shared_ptr<uikit::UIView> SlidePanelController::activityIndicatorHostView(bool loading) {
    setContentMode(loading ? SlidePanelContentMode::fitToBounds : SlidePanelContentMode::staticMode);
    return surfaceView_;
}

void SlidePanelController::setContentMode(SlidePanelContentMode mode) {
    contentMode_ = mode;
    setSurfaceTop(surfaceTop());
}

void SlidePanelController::setLayout(std::shared_ptr<const SlidePanelLayout> layout) {
    if (!layout) {
        return;
    }
    layout_ = std::move(layout);
    invalidateLayout();
}

void SlidePanelController::setBehavior(std::shared_ptr<const SlidePanelBehavior> behavior) {
    if (behavior) {
        behavior_ = std::move(behavior);
    }
}

void SlidePanelController::invalidateLayout() {
    if (dragging_ || isAttracting()) {
        return;
    }
    const auto valid = positions().validState(state_);
    setState(valid);
    placeSurface(valid);
}

// MARK: State and position

void SlidePanelController::setState(const SlidePanelStateRef& state) { state_ = state; }

bool SlidePanelController::isAttracting() const { return attraction_ && attraction_->isRunning(); }

CGPoint SlidePanelController::surfaceLocation() const { return surfaceView_->frame().origin; }

void SlidePanelController::setSurfaceLocation(const CGPoint& location) {
    if (!std::isfinite(location.x) || !std::isfinite(location.y)) {
        return;
    }
    setSurfaceTop(location.y);
    auto frame = surfaceView_->frame();
    frame.origin.x = location.x;
    surfaceView_->setFrame(frame);
}

CGPoint SlidePanelController::surfaceLocation(const SlidePanelStateRef& forState) const {
    return {0, positions().surfaceTop(forState)};
}

void SlidePanelController::notifyDidMove() {
    if (auto* listener = delegateAs<SlidePanelDidMoveDelegate>(delegate())) {
        listener->slidePanelDidMove(self());
    }
}

// MARK: Content

void SlidePanelController::set(const std::shared_ptr<uikit::UIViewController>& contentViewController) {
    if (contentViewController == contentViewController_) {
        return;
    }
    if (const auto previous = std::move(contentViewController_)) {
        previous->willMove(nullptr);
        surfaceView_->setContentView(nullptr);
        previous->removeFromParent();
    }
    contentViewController_ = contentViewController;
    if (contentViewController) {
        addChild(contentViewController);
        surfaceView_->setContentView(contentViewController->view());
        contentViewController->didMove(self());
    }
    invalidateLayout();
}

void SlidePanelController::track(const std::shared_ptr<uikit::UIScrollView>& scrollView) {
    trackingScrollView_ = scrollView;
}

// MARK: Moves

void SlidePanelController::move(const SlidePanelStateRef& to, bool animated, Completion completion) {
    assert(foundation::isMainThread());
    const auto target = positions().validState(to);
    // A move takes over from whatever moved the surface before.
    dragging_ = false;
    stopAttraction();
    endTransitionAnimator();
    const auto from = state_;
    if (!animated) {
        setState(target);
        placeSurface(target);
        notifyDidMove();
        if (completion) {
            completion();
        }
        return;
    }
    if (from == SlidePanelState::hidden() || target == SlidePanelState::hidden()) {
        runTransition(target, std::move(completion));
        return;
    }
    attract(target, 0, std::move(completion));
}

void SlidePanelController::show(bool animated, Completion completion) {
    move(layout_->initialState(), animated, std::move(completion));
}

void SlidePanelController::hide(bool animated, Completion completion) {
    move(SlidePanelState::hidden(), animated, std::move(completion));
}

std::shared_ptr<uikit::UIViewPropertyAnimator>
SlidePanelController::animatorForPresenting(const SlidePanelStateRef& to) {
    if (auto* supplier = delegateAs<SlidePanelPresentingAnimatorDelegate>(delegate())) {
        if (auto animator = supplier->slidePanelAnimatorForPresenting(self(), to)) {
            return animator;
        }
    }
    return uikit::UIViewPropertyAnimator::make(presentingDuration,
                                               std::make_shared<uikit::UISpringTimingParameters>(1.0));
}

std::shared_ptr<uikit::UIViewPropertyAnimator>
SlidePanelController::animatorForDismissing(coregraphics::CGVector with) {
    if (auto* supplier = delegateAs<SlidePanelDismissingAnimatorDelegate>(delegate())) {
        if (auto animator = supplier->slidePanelAnimatorForDismissing(self(), with)) {
            return animator;
        }
    }
    const coregraphics::CGVector velocity{std::isfinite(with.dx) ? with.dx : 0, std::isfinite(with.dy) ? with.dy : 0};
    return uikit::UIViewPropertyAnimator::make(dismissingDuration,
                                               std::make_shared<uikit::UISpringTimingParameters>(1.0, velocity));
}

void SlidePanelController::runTransition(const SlidePanelStateRef& to, Completion completion) {
    const auto animator =
        to == SlidePanelState::hidden() ? animatorForDismissing(removalVelocity_) : animatorForPresenting(to);
    removalVelocity_ = {};
    std::weak_ptr<SlidePanelController> weakSelf = self();
    animator->addAnimations([weakSelf, to] {
        if (const auto panel = weakSelf.lock()) {
            panel->setState(to);
            panel->placeSurface(to);
        }
    });
    const auto* identity = animator.get();
    animator->addCompletion([weakSelf, identity, completion = std::move(completion)](uikit::UIViewAnimatingPosition) {
        if (const auto panel = weakSelf.lock()) {
            if (panel->transitionAnimator_.get() == identity) {
                panel->transitionAnimator_.reset();
            }
            panel->notifyDidMove();
        }
        if (completion) {
            completion();
        }
    });
    transitionAnimator_ = animator;
    if (!transitionAnimatorSuspended_) {
        animator->startAnimation();
    }
}

void SlidePanelController::endTransitionAnimator() {
    const auto animator = transitionAnimator_;
    if (!animator) {
        return;
    }
    // Its move ends where it is, with its completion, so that whoever waits for it (a modal
    // transition) is not left waiting.
    if (animator->state() == uikit::UIViewAnimatingState::inactive) {
        animator->startAnimation();
    }
    if (animator->state() == uikit::UIViewAnimatingState::active) {
        animator->stopAnimation(false);
    }
    if (animator->state() == uikit::UIViewAnimatingState::stopped) {
        animator->finishAnimation(uikit::UIViewAnimatingPosition::current);
    }
    if (transitionAnimator_ == animator) {
        transitionAnimator_.reset();
    }
}

void SlidePanelController::attract(const SlidePanelStateRef& to, CGFloat velocity, Completion completion) {
    stopAttraction();
    const CGFloat from = surfaceTop();
    const CGFloat target = positions().surfaceTop(to);
    setState(to);
    std::weak_ptr<SlidePanelController> weakSelf = self();
    auto spring = SpringAnimator::make(
        from, target, velocity, behavior_->spring(),
        [weakSelf](double value) {
            if (const auto panel = weakSelf.lock()) {
                panel->setSurfaceTop(value);
                panel->notifyDidMove();
            }
        },
        [weakSelf, completion = std::move(completion)](bool finished) {
            if (const auto panel = weakSelf.lock()) {
                panel->attraction_.reset();
                if (finished) {
                    panel->notifyDidMove();
                }
            }
            if (completion) {
                completion();
            }
        });
    attraction_ = spring;
    spring->start();
}

void SlidePanelController::stopAttraction() {
    if (auto attraction = std::move(attraction_)) {
        attraction->stop();
    }
}

// MARK: Removal

void SlidePanelController::remove() {
    const auto me = self();
    if (auto* listener = delegateAs<SlidePanelWillRemoveDelegate>(delegate())) {
        listener->slidePanelWillRemove(me);
    }
    std::weak_ptr<SlidePanelController> weakSelf = me;
    auto didRemove = [weakSelf] {
        if (const auto panel = weakSelf.lock()) {
            if (auto* listener = delegateAs<SlidePanelDidRemoveDelegate>(panel->delegate())) {
                listener->slidePanelDidRemove(panel);
            }
        }
    };
    if (!parent()) {
        // Presented: its presenter takes it (and anything it presents) away.
        if (const auto presenter = presentingViewController()) {
            presenter->dismiss(true, didRemove);
            return;
        }
        hide(true, didRemove);
        return;
    }
    hide(true, [weakSelf, didRemove] {
        if (const auto panel = weakSelf.lock()) {
            panel->willMove(nullptr);
            panel->view()->removeFromSuperview();
            panel->removeFromParent();
        }
        didRemove();
    });
}

// MARK: User input

void SlidePanelController::handlePan(uikit::UIPanGestureRecognizer& recognizer) {
    using State = uikit::UIGestureRecognizerState;
    switch (recognizer.state()) {
    case State::began:
        beginDrag(recognizer);
        return;
    case State::changed:
        if (!dragging_) {
            return;
        }
        if (sharedScrollView_) {
            shareDragWithScrollView(recognizer.translation(viewIfLoaded().get()).y);
        } else {
            setSurfaceTop(SlidePanelDrag::surfaceTop(positions(), *behavior_, dragStartTop_,
                                                     recognizer.translation(viewIfLoaded().get()).y));
            notifyDidMove();
        }
        return;
    case State::ended:
    case State::cancelled:
        endDrag(recognizer);
        return;
    default:
        return;
    }
}

void SlidePanelController::beginDrag(uikit::UIPanGestureRecognizer& recognizer) {
    const auto root = viewIfLoaded();
    // The surface belongs to a transition while one runs.
    dragging_ = root && !transitionAnimator_;
    sharedScrollView_.reset();
    if (!dragging_) {
        return;
    }
    stopAttraction();
    removalVelocity_ = {};
    dragStartTop_ = surfaceTop();
    lastTranslation_ = recognizer.translation(root.get()).y;
    panelMovedInDrag_ = false;
    if (const auto scrollView = trackingScrollView()) {
        const auto location = recognizer.location(scrollView.get());
        if (scrollView->isDescendant(*root) && scrollView->point(location)) {
            sharedScrollView_ = scrollView;
            // Where the content was before its own pan moved it for this first step.
            contentOffset_ = std::clamp(scrollView->contentOffset().y + lastTranslation_,
                                        scrollView->minimumContentOffset().y, scrollView->maximumContentOffset().y);
            lastTranslation_ = 0;
            shareDragWithScrollView(recognizer.translation(root.get()).y);
        }
    }
}

void SlidePanelController::shareDragWithScrollView(CGFloat translation) {
    const auto& scrollView = sharedScrollView_;
    const CGFloat step = std::isfinite(translation) ? translation - lastTranslation_ : 0;
    lastTranslation_ = std::isfinite(translation) ? translation : lastTranslation_;
    const auto places = positions();
    const CGFloat minOffset = scrollView->minimumContentOffset().y;
    const CGFloat maxOffset = scrollView->maximumContentOffset().y;
    CGFloat top = surfaceTop();
    if (step < 0) {
        // Up: the panel rises to its highest state, then the content scrolls.
        const CGFloat panelPart = std::max(step, std::min<CGFloat>(0, places.topMost() - top));
        top += panelPart;
        contentOffset_ = std::min(maxOffset, contentOffset_ - (step - panelPart));
    } else if (step > 0) {
        // Down: the content scrolls back to its top, then the panel goes down.
        const CGFloat contentPart = std::min(step, std::max<CGFloat>(0, contentOffset_ - minOffset));
        contentOffset_ -= contentPart;
        top = std::min(places.hiddenTop(), top + (step - contentPart));
    }
    contentOffset_ = std::clamp(contentOffset_, minOffset, maxOffset);
    // The scroll view's own pan has moved the content by the whole step: this puts it right.
    scrollView->setContentOffset({scrollView->contentOffset().x, contentOffset_});
    if (top != surfaceTop()) {
        panelMovedInDrag_ = true;
        setSurfaceTop(top);
        notifyDidMove();
    }
}

void SlidePanelController::endDrag(uikit::UIPanGestureRecognizer& recognizer) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    const auto root = viewIfLoaded();
    if (const auto scrollView = std::exchange(sharedScrollView_, nullptr)) {
        scrollView->setContentOffset({scrollView->contentOffset().x, contentOffset_});
        // A drag that only scrolled the content leaves the panel where it rests.
        if (!panelMovedInDrag_) {
            return;
        }
    }
    const bool cancelled = recognizer.state() == uikit::UIGestureRecognizerState::cancelled;
    const auto release = SlidePanelDrag::release(positions(), *behavior_, state_, surfaceTop(),
                                                 cancelled || !root ? 0 : recognizer.velocity(root.get()).y,
                                                 removalInteractionEnabled_ && !cancelled);
    if (release.remove) {
        removalVelocity_ = {0, release.normalizedVelocity};
        remove();
        return;
    }
    attract(release.target, release.velocity, nullptr);
}

void SlidePanelController::handleBackdropTap(uikit::UITapGestureRecognizer& /*recognizer*/) { remove(); }

} // namespace vyd
