#include "sdk/panel/SurfaceView.hpp"

namespace vyd {

using uikit::UIView;

void SurfaceView::didInit() {
    UIView::didInit();
    setBackgroundColor(uikit::UIColor::clear());
    // Autoresizing keeps both in place however the core resizes the surface, without waiting
    // for a layout pass.
    const auto size = bounds().size;
    containerView_ = UIView::make({0, 0, size.width, size.height});
    containerView_->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleWidth |
                                        uikit::UIViewAutoresizing::flexibleHeight);
    containerView_->setClipsToBounds(true);
    containerView_->layer()->setMaskedCorners(quartzcore::CACornerMask::layerMinXMinYCorner |
                                              quartzcore::CACornerMask::layerMaxXMinYCorner);
    addSubview(containerView_);

    grabberHandle_ = UIView::make({(size.width - grabberHandleSize.width) / 2, grabberHandlePadding,
                                   grabberHandleSize.width, grabberHandleSize.height});
    grabberHandle_->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleLeftMargin |
                                        uikit::UIViewAutoresizing::flexibleRightMargin);
    grabberHandle_->setBackgroundColor(uikit::UIColor(0.76, 1));
    grabberHandle_->layer()->setCornerRadius(grabberHandleSize.height / 2);
    addSubview(grabberHandle_);
    setAppearance(appearance_);
}

void SurfaceView::setAppearance(SurfaceAppearance appearance) {
    appearance_ = std::move(appearance);
    containerView_->setBackgroundColor(appearance_.backgroundColor);
    containerView_->layer()->setCornerRadius(appearance_.cornerRadius);
}

void SurfaceView::setContentView(const std::shared_ptr<UIView>& view) {
    const auto previous = contentView();
    if (previous == view) {
        return;
    }
    if (previous) {
        previous->removeFromSuperview();
    }
    contentView_ = view;
    if (!view) {
        return;
    }
    // The handle stays above whatever the content draws.
    containerView_->addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    uikit::NSLayoutConstraint::activate({
        view->topAnchor().constraintEqualTo(containerView_->topAnchor()),
        view->leadingAnchor().constraintEqualTo(containerView_->leadingAnchor()),
        view->trailingAnchor().constraintEqualTo(containerView_->trailingAnchor()),
        view->bottomAnchor().constraintEqualTo(containerView_->bottomAnchor()),
    });
}

} // namespace vyd
