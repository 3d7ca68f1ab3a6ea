#include "platform/uikit/UILayoutGuide.hpp"

#include <cstdio>

namespace uikit {

std::string UILayoutGuide::layoutDescription() const {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "UILayoutGuide:%p", static_cast<const void*>(this));
    return identifier_.empty() ? buffer : std::string(buffer) + "'" + identifier_ + "'";
}

std::weak_ptr<LayoutItem> UILayoutGuide::weakLayoutItem() const {
    return std::const_pointer_cast<UILayoutGuide>(weak_from_this().lock());
}

} // namespace uikit
