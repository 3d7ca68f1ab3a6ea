#pragma once

// The root object type and the runtime's associated objects: values that code attaches to an
// object under a key (the address of a variable of its own), as stored properties that the
// object's class does not declare. They live as long as the object, or until replaced or removed.
//
// Values are held as std::any. The policy is kept with each value as the platform keeps it;
// every policy holds its value here (a copy of a shared_ptr keeps the object alive, so `assign`
// is safer than on the platform, where its value may dangle). Safe from any thread.

#include <any>
#include <cstdint>
#include <map>
#include <memory>

namespace foundation {

// The platform's raw values.
enum class objc_AssociationPolicy : std::uintptr_t {
    assign = 0,
    retainNonatomic = 1,
    copyNonatomic = 3,
    retain = 769,
    copy = 771,
};

class NSObject {
public:
    NSObject() = default;
    virtual ~NSObject();
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;

private:
    friend void objc_setAssociatedObject(NSObject& object, const void* key, std::any value,
                                         objc_AssociationPolicy policy);
    friend std::any objc_getAssociatedObject(const NSObject& object, const void* key);
    friend void objc_removeAssociatedObjects(NSObject& object);

    struct Association {
        std::any value;
        objc_AssociationPolicy policy;
    };
    // Made on the first association; most objects never get one.
    std::unique_ptr<std::map<const void*, Association>> associations_;
};

// Associates `value` under `key`; an empty value removes the association.
void objc_setAssociatedObject(NSObject& object, const void* key, std::any value, objc_AssociationPolicy policy);
// The value under `key`; empty when there is none.
std::any objc_getAssociatedObject(const NSObject& object, const void* key);
// Removes every association of the object.
void objc_removeAssociatedObjects(NSObject& object);

} // namespace foundation
