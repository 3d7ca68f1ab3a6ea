#pragma once
#include "platform/foundation/NotificationCenter.hpp"

// The SDK's notification names, each made once from the catalogue on first use.
namespace vyd::NotificationNames {

// Posted by the session store when the user identifier is set; no object.
const foundation::NotificationName& userIdDidChanged();
// Posted after a return link was handled; user info "isSuccess" holds a bool.
const foundation::NotificationName& authNativeResult();
// Posted when the interface style changes; no object.
const foundation::NotificationName& traitCollectionDidChange();

} // namespace vyd::NotificationNames
