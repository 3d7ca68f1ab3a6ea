#pragma once

// Properties of views that keep state across evaluations.
//
// A view value is made again at every evaluation, but its state lives with its identity in the
// tree: when a view is installed, its state properties get storage of their own; when it is
// updated, the new value is assigned over the kept one and the assignment leaves that storage
// in place. Copies made otherwise (a closure capturing the view, say) share the storage, so an
// action that writes a state property writes the view's state.
//
// - State<T>: a value owned by the view; writing it re-evaluates the view.
// - StateObject<T>: an observable object made once per identity, on first use.
// - EnvironmentObject<T>: the object of type T that an ancestor put in the environment; reading
//   it when there is none is a fatal error.
// - Environment<&EnvironmentValues::member>: a value of the environment.
// Reading one of the two object properties during `body` makes a change of that object
// re-evaluate the view (and only the views that read it).

#include "platform/swiftui/GraphContext.hpp"

#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace swiftui {

namespace detail {
// Dereferencing for the object properties, through their `get()`.
template <class Derived, class T>
struct ObjectAccess {
    T& operator*() const { return *static_cast<const Derived&>(*this).get(); }
    T* operator->() const { return static_cast<const Derived&>(*this).get().get(); }
};
} // namespace detail

template <class T>
class State {
    struct Box {
        T value;
        std::weak_ptr<detail::StateOwner> owner;
    };

public:
    State() requires std::default_initializable<T> : State(T{}) {}
    State(T initial) : box_(std::make_shared<Box>(Box{std::move(initial), {}})) {} // NOLINT: as `@State var x = value`
    State(const State& other)
        : box_(detail::installingState() ? std::make_shared<Box>(Box{other.box_->value, detail::installingOwner()})
                                         : other.box_) {}
    // The storage belongs to the identity: assigning a new view value keeps it.
    State& operator=(const State&) { return *this; }

    const T& get() const { return box_->value; }
    const T& operator*() const { return box_->value; }
    const T* operator->() const { return &box_->value; }

    void set(T value) const {
        box_->value = std::move(value);
        if (const auto owner = box_->owner.lock()) {
            owner->invalidate(currentTransaction());
        }
    }

private:
    std::shared_ptr<Box> box_;
};

template <class T>
requires std::derived_from<T, combine::ObservableObject>
class StateObject : public detail::ObjectAccess<StateObject<T>, T> {
    struct Slot {
        std::function<std::shared_ptr<T>()> make;
        std::shared_ptr<T> object;
    };

public:
    explicit StateObject(std::function<std::shared_ptr<T>()> make)
        : slot_(std::make_shared<Slot>(Slot{std::move(make), nullptr})) {}
    StateObject(const StateObject& other)
        : slot_(detail::installingState() ? std::make_shared<Slot>(Slot{other.slot_->make, nullptr}) : other.slot_) {}
    StateObject& operator=(const StateObject&) { return *this; }

    const std::shared_ptr<T>& get() const {
        if (!slot_->object) {
            slot_->object = slot_->make();
        }
        detail::noteObservation(slot_->object);
        return slot_->object;
    }

private:
    std::shared_ptr<Slot> slot_;
};

template <class T>
requires std::derived_from<T, combine::ObservableObject>
class EnvironmentObject : public detail::ObjectAccess<EnvironmentObject<T>, T> {
    struct Slot {
        std::weak_ptr<detail::StateOwner> owner;
        std::shared_ptr<T> object;
    };

public:
    EnvironmentObject() : slot_(std::make_shared<Slot>()) {}
    EnvironmentObject(const EnvironmentObject& other)
        : slot_(detail::installingState() ? std::make_shared<Slot>(Slot{detail::installingOwner(), nullptr})
                                          : other.slot_) {}
    EnvironmentObject& operator=(const EnvironmentObject&) { return *this; }

    // The view's environment decides, during its evaluation and (for actions run later) while
    // the view is in the tree; afterwards the last object found.
    const std::shared_ptr<T>& get() const {
        if (const auto* environment = detail::environmentOf(slot_->owner)) {
            const auto found = environment->objects.find(typeid(T));
            slot_->object = found == environment->objects.end() ? nullptr : std::static_pointer_cast<T>(found->second);
        }
        if (!slot_->object) {
            detail::missingEnvironmentObject(typeid(T));
        }
        detail::noteObservation(slot_->object);
        return slot_->object;
    }

private:
    std::shared_ptr<Slot> slot_;
};

template <auto Member>
class Environment {
    using Value = std::remove_cvref_t<decltype(std::declval<EnvironmentValues&>().*Member)>;
    struct Slot {
        std::weak_ptr<detail::StateOwner> owner;
        Value value;
    };

public:
    Environment() : slot_(std::make_shared<Slot>()) {}
    Environment(const Environment& other)
        : slot_(detail::installingState() ? std::make_shared<Slot>(Slot{detail::installingOwner(), Value()})
                                          : other.slot_) {}
    Environment& operator=(const Environment&) { return *this; }

    const Value& get() const {
        if (const auto* environment = detail::environmentOf(slot_->owner)) {
            slot_->value = environment->*Member;
        }
        return slot_->value;
    }
    const Value& operator*() const { return get(); }
    const Value* operator->() const { return &get(); }

private:
    std::shared_ptr<Slot> slot_;
};

} // namespace swiftui
