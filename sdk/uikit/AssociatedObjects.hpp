#pragma once

// Values attached to any platform object under a key of the caller's own (the address of a
// variable), through the runtime's associated objects.

#include "platform/foundation/NSObject.hpp"
#include "sdk/base/RawValue.hpp"

#include <any>
#include <cstdint>
#include <optional>

namespace vyd {

// The runtime's association policies, with its raw values.
enum class AssociationPolicy : std::uintptr_t {
    assign = 0,
    copy = 771,
    copyNonatomic = 3,
    retain = 769,
    retainNonatomic = 1,
};

constexpr std::int64_t rawValue(AssociationPolicy policy) { return static_cast<std::int64_t>(policy); }
template <>
std::optional<AssociationPolicy> fromRawValue<AssociationPolicy>(std::int64_t raw);
// The same policy as the runtime's type.
constexpr foundation::objc_AssociationPolicy objc(AssociationPolicy policy) {
    return static_cast<foundation::objc_AssociationPolicy>(policy);
}

// The value under the key; empty when there is none.
std::any ao_get(const foundation::NSObject& object, const void* pkey);
// Associates the value under the key, replacing what was there.
void ao_set(foundation::NSObject& object, std::any value, const void* pkey,
            AssociationPolicy policy = AssociationPolicy::retainNonatomic);
// The same for a value that may be absent: with none, the association already there stays.
template <class T>
void ao_setOptional(foundation::NSObject& object, const std::optional<T>& value, const void* pkey,
                    AssociationPolicy policy = AssociationPolicy::retainNonatomic) {
    if (value) {
        ao_set(object, *value, pkey, policy);
    }
}
// Removes every value associated with the object.
void ao_removeAll(foundation::NSObject& object);

} // namespace vyd
