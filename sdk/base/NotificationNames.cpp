#include "sdk/base/NotificationNames.hpp"

#include "sdk/catalogue/L10n.hpp"

namespace vyd::NotificationNames {

const foundation::NotificationName& userIdDidChanged() {
    static const foundation::NotificationName name = L10n::Notifications::Name::userIdDidChange();
    return name;
}

const foundation::NotificationName& authNativeResult() {
    static const foundation::NotificationName name = L10n::Notifications::Name::authNativeResult();
    return name;
}

const foundation::NotificationName& traitCollectionDidChange() {
    static const foundation::NotificationName name = L10n::Notifications::Name::traitCollectionDidChange();
    return name;
}

} // namespace vyd::NotificationNames
