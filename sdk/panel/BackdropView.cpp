#include "sdk/panel/BackdropView.hpp"

namespace vyd {

void BackdropView::didInit() {
    UIView::didInit();
    setBackgroundColor(uikit::UIColor::black());
    setAlpha(0);
    dismissalTapGestureRecognizer_ = uikit::UITapGestureRecognizer::make();
    dismissalTapGestureRecognizer_->setEnabled(false);
    addGestureRecognizer(dismissalTapGestureRecognizer_);
}

} // namespace vyd
