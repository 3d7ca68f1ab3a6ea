#include "platform/uikit/UIPresentationController.hpp"

#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace uikit {

namespace {

// The platform's own presentation controllers for the styles other than custom.
class StandardPresentationController final : public UIPresentationController {
public:
    StandardPresentationController(const std::shared_ptr<UIViewController>& presented,
                                   const std::shared_ptr<UIViewController>& presenting, UIModalPresentationStyle style)
        : UIPresentationController(presented, presenting), standardStyle_(style) {}

    bool shouldRemovePresentersView() const override {
        return standardStyle_ == UIModalPresentationStyle::fullScreen ||
               standardStyle_ == UIModalPresentationStyle::currentContext;
    }

    CGRect frameOfPresentedViewInContainerView() const override {
        const auto container = containerView();
        if (!container) {
            return CGRect::zero();
        }
        const CGRect bounds = container->bounds();
        switch (standardStyle_) {
        case UIModalPresentationStyle::pageSheet:
        case UIModalPresentationStyle::formSheet: {
            // A card under the status bar that leaves a strip of the presenter showing.
            const CGFloat top = container->safeAreaInsets().top + sheetGap;
            return {bounds.origin.x, bounds.origin.y + top, bounds.size.width, bounds.size.height - top};
        }
        case UIModalPresentationStyle::currentContext:
        case UIModalPresentationStyle::overCurrentContext:
            if (const auto presenting = presentingViewController(); presenting && presenting->isViewLoaded()) {
                const auto view = presenting->viewIfLoaded();
                return view->convert(view->bounds(), container.get());
            }
            return bounds;
        default:
            return bounds;
        }
    }

private:
    static constexpr CGFloat sheetGap = 10;
    UIModalPresentationStyle standardStyle_;
};

} // namespace

UIPresentationController::UIPresentationController(const std::shared_ptr<UIViewController>& presentedViewController,
                                                   const std::shared_ptr<UIViewController>& presenting)
    : presented_(presentedViewController), presenting_(presenting) {}

UIPresentationController::~UIPresentationController() = default;

void UIPresentationController::attach(const std::shared_ptr<UIViewController>& presented,
                                      const std::shared_ptr<UIViewController>& presenting,
                                      UIModalPresentationStyle style) {
    presented_ = presented;
    presenting_ = presenting;
    style_ = style;
}

UITraitCollection UIPresentationController::traitCollection() const {
    if (containerView_) {
        return containerView_->traitCollection();
    }
    return UITraitCollection::current();
}

std::shared_ptr<UIView> UIPresentationController::presentedView() const {
    const auto presented = presentedViewController();
    return presented ? presented->view() : nullptr;
}

CGRect UIPresentationController::frameOfPresentedViewInContainerView() const {
    return containerView_ ? containerView_->bounds() : CGRect::zero();
}

std::shared_ptr<UIPresentationController>
UIPresentationController::makeStandard(const std::shared_ptr<UIViewController>& presentedViewController,
                                       const std::shared_ptr<UIViewController>& presenting,
                                       UIModalPresentationStyle style) {
    auto controller = std::make_shared<StandardPresentationController>(presentedViewController, presenting, style);
    static_cast<UIPresentationController&>(*controller).style_ = style;
    return controller;
}

} // namespace uikit
