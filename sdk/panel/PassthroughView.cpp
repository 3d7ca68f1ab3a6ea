#include "sdk/panel/PassthroughView.hpp"

namespace vyd {

std::shared_ptr<uikit::UIView> PassthroughView::hitTest(const uikit::CGPoint& point, const uikit::UIEvent* event) {
    auto hit = UIView::hitTest(point, event);
    if (hit.get() != this) {
        return hit;
    }
    const auto forward = eventForwardingView();
    // Hit-testing one of our own ancestors would come back here for ever.
    if (!forward || isDescendant(*forward)) {
        return nullptr;
    }
    return forward->hitTest(convert(point, forward.get()), event);
}

} // namespace vyd
