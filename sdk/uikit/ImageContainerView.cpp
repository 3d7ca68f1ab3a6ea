#include "sdk/uikit/ImageContainerView.hpp"

#include "sdk/uikit/ViewHelpers.hpp"

namespace vyd {

void ImageContainerView::didInit() {
    UIView::didInit();
    addSubview(imageView_);
    pinToEdges(imageView_);
}

} // namespace vyd
