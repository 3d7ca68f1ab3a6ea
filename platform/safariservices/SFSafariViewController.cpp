#include "platform/safariservices/SFSafariViewController.hpp"

#include "platform/uikit/UIView.hpp"

namespace safariservices {

void SFSafariViewController::loadView() {
    UIViewController::loadView();
    doneButton_ = uikit::UIButton::make(uikit::UIButtonType::system);
    doneButton_->setTitle("Done", uikit::UIControlState::normal);
    doneButton_->setFrame({{8, 0}, {64, 44}});
    doneButton_->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleRightMargin |
                                     uikit::UIViewAutoresizing::flexibleBottomMargin);
    std::weak_ptr<SFSafariViewController> weak = std::static_pointer_cast<SFSafariViewController>(shared_from_this());
    doneButton_->addTarget(
        [weak](uikit::UIControl&, const uikit::UIEvent*) {
            if (auto controller = weak.lock()) {
                controller->done();
            }
        },
        uikit::UIControlEvents::touchUpInside);
    view()->addSubview(doneButton_);
}

std::shared_ptr<uikit::UIButton> SFSafariViewController::doneButton() {
    loadViewIfNeeded();
    return doneButton_;
}

void SFSafariViewController::done() {
    // The delegate hears of it once the browser view is gone, whether it was presented or not.
    // Held until the dismissal ends, which releases it from its presenter.
    auto controller = std::static_pointer_cast<SFSafariViewController>(shared_from_this());
    auto finish = [controller] {
        if (auto delegate = controller->delegate()) {
            delegate->safariViewControllerDidFinish(*controller);
        }
    };
    if (presentingViewController()) {
        dismiss(true, finish);
    } else {
        finish();
    }
}

} // namespace safariservices
