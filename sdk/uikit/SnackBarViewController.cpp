#include "sdk/uikit/SnackBarViewController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/quartzcore/CATransaction.hpp"
#include "platform/uikit/UIView.hpp"

namespace vyd {

using uikit::UIView;
using uikit::UIViewAnimationOptions;

SnackBarViewController::SnackBarViewController(const std::string& text)
    : panGestureRecognizer_(uikit::UIPanGestureRecognizer::make()),
      transitionAnimationDuration_(quartzcore::CATransaction::animationDuration()),
      snackBarView_(SnackBarView::make(text)) {}

void SnackBarViewController::didInit() {
    UIViewController::didInit();
    snackBarView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    setView(snackBarView_);
    const auto self = std::static_pointer_cast<SnackBarViewController>(shared_from_this());
    panGestureRecognizer_->addTarget(self, &SnackBarViewController::panGesture);
    panGestureRecognizer_->setDelegate(self);
    snackBarView_->addGestureRecognizer(panGestureRecognizer_);
}

void SnackBarViewController::showSnackBarOn(const std::shared_ptr<uikit::UIViewController>& parentViewController) {
    if (!parentViewController) {
        return;
    }
    parentController_ = parentViewController;
    if (isSnackBarShown_) {
        hideSnackBar(false);
    }
    const auto self = std::static_pointer_cast<SnackBarViewController>(shared_from_this());
    const auto parentView = parentViewController->view();
    parentViewController->addChild(self);
    parentView->addSubview(snackBarView_);
    snackBarView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    didMove(parentViewController);
    isSnackBarShown_ = true;

    // The bar's top on the parent view's bottom edge, out of sight.
    const auto vertical = snackBarView_->topAnchor().constraintEqualTo(
        parentView->safeAreaLayoutGuide()->bottomAnchor(), parentView->safeAreaInsets().bottom);
    uikit::NSLayoutConstraint::activate({
        snackBarView_->leadingAnchor().constraintEqualTo(parentView->leadingAnchor(), edgeInset),
        snackBarView_->trailingAnchor().constraintEqualTo(parentView->trailingAnchor(), -edgeInset),
        vertical,
    });
    parentView->layoutIfNeeded();
    snackBarBottomConstraint_ = vertical;

    foundation::DispatchQueue::main().async([self, vertical, parentView] {
        vertical->setConstant(-edgeInset - self->snackBarView_->frame().height());
        UIView::animate(
            self->transitionAnimationDuration_, 0, UIViewAnimationOptions::curveEaseOut,
            [parentView] { parentView->layoutIfNeeded(); },
            [self](bool) {
                foundation::DispatchQueue::main().asyncAfter(visibleDuration, [self] { self->slideDown(); });
            });
    });
}

void SnackBarViewController::hideSnackBar(bool animated) {
    if (animated) {
        slideDown();
        return;
    }
    isSnackBarShown_ = false;
    leaveParent();
}

void SnackBarViewController::slideDown() {
    const auto self = std::static_pointer_cast<SnackBarViewController>(shared_from_this());
    foundation::DispatchQueue::main().async([self] {
        if (const auto& constraint = self->snackBarBottomConstraint_) {
            const auto superview = self->snackBarView_->superview();
            constraint->setConstant(superview ? superview->safeAreaInsets().bottom : 0);
        }
        const std::weak_ptr<uikit::UIViewController> weakParent = self->parentController_;
        UIView::animate(
            self->transitionAnimationDuration_, 0, UIViewAnimationOptions::curveEaseIn,
            [weakParent] {
                if (const auto parent = weakParent.lock()) {
                    parent->view()->layoutIfNeeded();
                }
            },
            [self](bool) {
                self->isSnackBarShown_ = false;
                self->leaveParent();
            });
    });
}

void SnackBarViewController::leaveParent() {
    willMove(nullptr);
    snackBarView_->removeFromSuperview();
    removeFromParent();
}

void SnackBarViewController::panGesture(uikit::UIPanGestureRecognizer& recognizer) {
    const auto translation = recognizer.translation(snackBarView_.get());
    if (recognizer.state() == uikit::UIGestureRecognizerState::ended &&
        snackBarView_->frame().height() / 2 < translation.y) {
        slideDown();
    }
}

} // namespace vyd
