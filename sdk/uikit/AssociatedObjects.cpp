#include "sdk/uikit/AssociatedObjects.hpp"

namespace vyd {

template <>
std::optional<AssociationPolicy> fromRawValue<AssociationPolicy>(std::int64_t raw) {
    for (const auto policy : {AssociationPolicy::assign, AssociationPolicy::copy, AssociationPolicy::copyNonatomic,
                              AssociationPolicy::retain, AssociationPolicy::retainNonatomic}) {
        if (rawValue(policy) == raw) {
            return policy;
        }
    }
    return std::nullopt;
}

std::any ao_get(const foundation::NSObject& object, const void* pkey) {
    return foundation::objc_getAssociatedObject(object, pkey);
}

void ao_set(foundation::NSObject& object, std::any value, const void* pkey, AssociationPolicy policy) {
    foundation::objc_setAssociatedObject(object, pkey, std::move(value), objc(policy));
}

void ao_removeAll(foundation::NSObject& object) { foundation::objc_removeAssociatedObjects(object); }

} // namespace vyd
