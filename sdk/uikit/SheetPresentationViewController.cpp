#include "sdk/uikit/SheetPresentationViewController.hpp"

#include "platform/foundation/FatalError.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/uikit/Palette.hpp"

#include <algorithm>

namespace vyd {

using coregraphics::CGRect;
using uikit::UIGestureRecognizerState;
using uikit::UIView;

namespace {

std::shared_ptr<SheetTransitionProtocol> required(std::shared_ptr<SheetTransitionProtocol> transition) {
    if (!transition) {
        foundation::fatalError("A bottom sheet needs a transition.");
    }
    return transition;
}

// The first direct subview that is a scroll view, in subview order.
std::shared_ptr<uikit::UIScrollView> presentedScrollView(const UIView& presented) {
    for (const auto& subview : presented.subviews()) {
        if (auto scrollView = std::dynamic_pointer_cast<uikit::UIScrollView>(subview)) {
            return scrollView;
        }
    }
    return nullptr;
}

} // namespace

SheetPresentationViewController::SheetPresentationViewController(
    std::shared_ptr<SheetTransitionProtocol> transition,
    const std::shared_ptr<uikit::UIViewController>& presentedViewController,
    const std::shared_ptr<uikit::UIViewController>& presenting)
    : UIPresentationController(presentedViewController, presenting), transition_(required(std::move(transition))),
      handleView_(UIView::make({{0, 0}, handleSize})) {
    handleView_->setBackgroundColor(palette::themedElementBackground());
}

void SheetPresentationViewController::setTransition(std::shared_ptr<SheetTransitionProtocol> transition) {
    transition_ = required(std::move(transition));
}

std::shared_ptr<SheetPresentationViewController> SheetPresentationViewController::self() {
    return std::static_pointer_cast<SheetPresentationViewController>(shared_from_this());
}

const std::shared_ptr<uikit::UIPanGestureRecognizer>& SheetPresentationViewController::panGesture() {
    if (!panGesture_) {
        panGesture_ =
            uikit::UIPanGestureRecognizer::make(self(), &SheetPresentationViewController::pannedPresentedView);
    }
    return panGesture_;
}

const std::shared_ptr<UIView>& SheetPresentationViewController::backgroundView() {
    if (!backgroundView_) {
        backgroundView_ = UIView::make();
        const std::weak_ptr<SheetPresentationViewController> weakSelf = self();
        backgroundView_->addGestureRecognizer(
            uikit::UITapGestureRecognizer::make([weakSelf](uikit::UIGestureRecognizer&) {
                if (const auto strong = weakSelf.lock()) {
                    strong->tappedBackgroundView();
                }
            }));
    }
    return backgroundView_;
}

CGRect SheetPresentationViewController::frameOfPresentedViewInContainerView() const {
    const auto container = containerView();
    const auto presented = presentedView();
    if (!container || !presented) {
        return UIPresentationController::frameOfPresentedViewInContainerView();
    }
    const CGRect containerFrame = container->frame();
    const auto safeArea = container->safeAreaInsets();
    const CGFloat availableHeight = containerFrame.height() - safeArea.top - safeArea.bottom;
    const auto fitting =
        presented->systemLayoutSizeFitting({container->bounds().width(), UIView::layoutFittingCompressedSize().height},
                                           uikit::UILayoutPriority::required, uikit::UILayoutPriority::defaultLow);
    const CGFloat contentHeight = std::min(availableHeight, fitting.height == 0 ? availableHeight : fitting.height);
    const CGFloat sheetHeight = contentHeight + safeArea.bottom;
    return {0, containerFrame.maxY() - sheetHeight, containerFrame.width(), sheetHeight};
}

// With the transition's animation: the sheet's corner radius and the backdrop's colour. Nothing
// changes outside a transition.
void SheetPresentationViewController::animateAlongsideTransition(CGFloat radius, const uikit::UIColor& backdrop) {
    const auto controller = presentedViewController();
    const auto coordinator = controller ? controller->transitionCoordinator() : nullptr;
    if (!coordinator) {
        return;
    }
    const std::weak_ptr<SheetPresentationViewController> weakSelf = self();
    coordinator->animate(
        [weakSelf, radius, backdrop](const uikit::UIViewControllerTransitionCoordinatorContext&) {
            const auto strong = weakSelf.lock();
            if (!strong) {
                return;
            }
            if (const auto presented = strong->presentedView()) {
                presented->layer()->setCornerRadius(radius);
            }
            strong->backgroundView()->setBackgroundColor(backdrop);
        },
        {});
}

void SheetPresentationViewController::presentationTransitionWillBegin() {
    UIPresentationController::presentationTransitionWillBegin();
    if (const auto container = containerView()) {
        container->addSubview(backgroundView());
    }
    if (const auto presented = presentedView()) {
        presented->addSubview(handleView_);
    }
    animateAlongsideTransition(cornerRadius, uikit::UIColor::black().withAlphaComponent(0.25));
}

void SheetPresentationViewController::dismissalTransitionWillBegin() {
    UIPresentationController::dismissalTransitionWillBegin();
    animateAlongsideTransition(0, uikit::UIColor::clear());
}

void SheetPresentationViewController::containerViewDidLayoutSubviews() {
    UIPresentationController::containerViewDidLayoutSubviews();
    const auto presented = presentedView();
    if (!presented) {
        return;
    }
    layoutAccessoryViews();
    setupInteraction();
    presented->layer()->setMaskedCorners(quartzcore::CACornerMask::layerMinXMinYCorner |
                                         quartzcore::CACornerMask::layerMaxXMinYCorner);
    // Content starts below the handle. Set only on a change, so that it does not lay the
    // container out once more, for ever.
    if (const auto controller = presentedViewController()) {
        auto insets = controller->additionalSafeAreaInsets();
        if (insets.top != handleView_->frame().maxY()) {
            insets.top = handleView_->frame().maxY();
            controller->setAdditionalSafeAreaInsets(insets);
        }
    }
}

void SheetPresentationViewController::layoutAccessoryViews() {
    const auto container = containerView();
    if (!container) {
        return;
    }
    if (backgroundView()->frame() != container->bounds()) {
        backgroundView()->setFrame(container->bounds());
    }
    if (const auto presented = presentedView()) {
        auto frame = handleView_->frame();
        frame.origin.x = presented->center().x - frame.width() / 2;
        frame.origin.y = handleTop;
        if (handleView_->frame() != frame) {
            handleView_->setFrame(frame);
        }
        handleView_->layer()->setCornerRadius(frame.height() / 2);
    }
}

void SheetPresentationViewController::setupInteraction() {
    const auto presented = presentedView();
    if (!presented) {
        return;
    }
    const auto scrollView = presentedScrollView(*presented);
    if (scrollView) {
        presented->layoutIfNeeded();
        if (scrollView->frame().height() < scrollView->contentSize().height) {
            scrollView->setDelegate(self());
            return;
        }
    }
    presented->addGestureRecognizer(panGesture());
}

void SheetPresentationViewController::tappedBackgroundView() {
    transition_->setWantsInteractiveStart(false);
    if (const auto controller = presentedViewController()) {
        controller->dismiss(true);
    }
}

void SheetPresentationViewController::startInteractiveDismissal() {
    transition_->setWantsInteractiveStart(true);
    if (const auto controller = presentedViewController()) {
        controller->dismiss(true);
    }
}

// The share of the sheet's height that the finger has pulled it down, taken as the translation
// over the height: 1 - (height - t) / height would read a pull of exactly 30 % as a little more.
void SheetPresentationViewController::updateDismissal(const uikit::UIPanGestureRecognizer& recognizer,
                                                      const UIView& presented) {
    const CGFloat height = presented.frame().height();
    if (height <= 0) {
        return;
    }
    transition_->updateInteractiveTransition(recognizer.translation(&presented).y / height);
}

void SheetPresentationViewController::endDismissal() {
    if (transition_->dismissProgress() > dismissThreshold) {
        transition_->finishInteractiveTransition();
    } else {
        transition_->cancelInteractiveTransition();
    }
}

void SheetPresentationViewController::pannedPresentedView(uikit::UIPanGestureRecognizer& recognizer) {
    const auto presented = presentedView();
    const auto container = containerView();
    if (!presented || !container) {
        return;
    }
    switch (recognizer.state()) {
    case UIGestureRecognizerState::began:
        startInteractiveDismissal();
        break;
    case UIGestureRecognizerState::changed:
        // Not while the sheet is lifted above where it rests.
        if (container->frame().maxY() <= presented->frame().maxY()) {
            updateDismissal(recognizer, *presented);
        }
        break;
    case UIGestureRecognizerState::ended:
    case UIGestureRecognizerState::cancelled:
    case UIGestureRecognizerState::failed:
        endDismissal();
        break;
    default:
        break;
    }
}

void SheetPresentationViewController::scrollViewWillBeginDragging(uikit::UIScrollView& scrollView) {
    if (scrollView.contentOffset().y <= 0) {
        startInteractiveDismissal();
    }
}

void SheetPresentationViewController::scrollViewDidScroll(uikit::UIScrollView& scrollView) {
    const auto presented = presentedView();
    if (!presented) {
        return;
    }
    const auto offset = scrollView.contentOffset();
    if (offset.y < 0) {
        // The content does not move down past its top while the sheet follows the finger.
        scrollView.setContentOffset({offset.x, -scrollView.safeAreaInsets().top}, false);
    }
    updateDismissal(*scrollView.panGestureRecognizer(), *presented);
}

void SheetPresentationViewController::scrollViewDidEndDragging(uikit::UIScrollView& /*scrollView*/,
                                                               bool /*willDecelerate*/) {
    endDismissal();
}

} // namespace vyd
