#pragma once
#include <memory>
#include <vector>

namespace vyd {

// The root of every delegate protocol that may be registered with the delegate manager. Derive
// from it virtually, so that a class adopting several such protocols is one object to the
// manager and can be found through any of them.
class DelegateObject {
public:
    virtual ~DelegateObject() = default;
};

// A registry of delegates keyed by object identity. Registered objects are held strongly until
// removed.
class DelegateManagerProtocol {
public:
    virtual ~DelegateManagerProtocol() = default;

    // Stores the object under its identity; adding the same object again replaces its entry.
    // An absent value (nullptr) is ignored.
    virtual void addDelegate(const std::shared_ptr<DelegateObject>& delegate) = 0;
    // Removes the entry of that identity; an absent or unknown value is ignored.
    virtual void removeDelegate(const std::shared_ptr<DelegateObject>& delegate) = 0;
    // The registered objects, in no particular order.
    virtual std::vector<std::shared_ptr<DelegateObject>> registeredDelegates() const = 0;

    // Calls `action` once, synchronously, with every registered object that is a T. The set is
    // taken before the first call, so an action may add or remove delegates.
    template <class T, class Action>
    void notifyDelegates(Action&& action) const {
        for (const auto& delegate : registeredDelegates()) {
            if (auto typed = std::dynamic_pointer_cast<T>(delegate)) {
                action(*typed);
            }
        }
    }
};

} // namespace vyd
