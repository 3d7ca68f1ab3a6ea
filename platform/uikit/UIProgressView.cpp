#include "platform/uikit/UIProgressView.hpp"

#include <algorithm>
#include <cmath>

namespace uikit {

UIProgressView::UIProgressView(UIProgressViewStyle style) : UIView(CGRect::zero()), style_(style) {}

void UIProgressView::setProgress(float progress, bool) {
    if (std::isnan(progress)) {
        return;
    }
    progress_ = std::clamp(progress, 0.0f, 1.0f);
}

CGSize UIProgressView::intrinsicContentSize() const {
    return {noIntrinsicMetric, style_ == UIProgressViewStyle::bar ? 2.5 : 4.0};
}

} // namespace uikit
