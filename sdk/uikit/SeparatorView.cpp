#include "sdk/uikit/SeparatorView.hpp"

namespace vyd {

void SeparatorView::didInit() {
    UIView::didInit();
    setup();
    setupConstraints();
}

void SeparatorView::setup() {
    setBackgroundColor(uikit::UIColor::black().withAlphaComponent(0.12));
    setTranslatesAutoresizingMaskIntoConstraints(false);
}

void SeparatorView::setupConstraints() { heightAnchor().constraintEqualToConstant(1)->setActive(true); }

} // namespace vyd
