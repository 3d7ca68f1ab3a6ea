#include "platform/foundation/NSObject.hpp"

#include <mutex>
#include <utility>

namespace foundation {
namespace {

// One lock for every object, as the runtime has: associations are rare and short to touch.
std::mutex& associationsMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

NSObject::~NSObject() = default;

void objc_setAssociatedObject(NSObject& object, const void* key, std::any value, objc_AssociationPolicy policy) {
    std::any replaced; // released after the lock: its destructor may touch associations
    std::lock_guard lock(associationsMutex());
    if (!value.has_value()) {
        if (object.associations_) {
            if (const auto it = object.associations_->find(key); it != object.associations_->end()) {
                replaced = std::move(it->second.value);
                object.associations_->erase(it);
            }
        }
        return;
    }
    if (!object.associations_) {
        object.associations_ = std::make_unique<std::map<const void*, NSObject::Association>>();
    }
    auto& slot = (*object.associations_)[key];
    replaced = std::exchange(slot.value, std::move(value));
    slot.policy = policy;
}

std::any objc_getAssociatedObject(const NSObject& object, const void* key) {
    std::lock_guard lock(associationsMutex());
    if (!object.associations_) {
        return {};
    }
    const auto it = object.associations_->find(key);
    return it == object.associations_->end() ? std::any() : it->second.value;
}

void objc_removeAssociatedObjects(NSObject& object) {
    std::unique_ptr<std::map<const void*, NSObject::Association>> removed;
    std::lock_guard lock(associationsMutex());
    removed = std::move(object.associations_);
}

} // namespace foundation
