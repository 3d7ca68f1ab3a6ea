#include "platform/uikit/UIBarButtonItem.hpp"

#include "platform/uikit/UIView.hpp"

namespace uikit {

void UIBarButtonItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (customView_) {
        customView_->setUserInteractionEnabled(enabled);
    }
}

} // namespace uikit
