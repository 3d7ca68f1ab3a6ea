#pragma once

// An object that announces its changes: `objectWillChange()` sends before any of its published
// properties takes a new value. Observable objects are reference types held by std::shared_ptr.

#include "platform/combine/PassthroughSubject.hpp"

#include <memory>

namespace combine {

using ObservableObjectPublisher = PassthroughSubject<Void>;

class ObservableObject {
public:
    ObservableObject() = default;
    virtual ~ObservableObject() = default;
    ObservableObject(const ObservableObject&) = delete;
    ObservableObject& operator=(const ObservableObject&) = delete;

    const ObservableObjectPublisher& objectWillChange() const { return objectWillChange_; }

private:
    ObservableObjectPublisher objectWillChange_;
};

// A property of an observable object that announces its changes. Setting it sends the owner's
// objectWillChange, then the new value to the subscribers of `publisher()`, then stores it, in
// the platform's order (a subscriber reading the property still sees the old value). Reads and
// writes belong to one thread at a time, as on the platform.
template <class T>
class Published {
public:
    Published(ObservableObject& owner, T initial) : owner_(owner), value_(std::make_shared<T>(std::move(initial))) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const T& get() const { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return value_.get(); }

    void set(T value) {
        owner_.objectWillChange().send();
        changes_.send(value);
        *value_ = std::move(value);
    }
    Published& operator=(T value) {
        set(std::move(value));
        return *this;
    }

    // The current value on subscription, then every new value (the platform's `$property`).
    // A subscription made after the property is gone receives nothing.
    Publisher<T> publisher() const {
        std::weak_ptr<const T> current = value_;
        PassthroughSubject<T> changes = changes_;
        return Publisher<T>([current, changes](typename Publisher<T>::Receiver receiver) {
            const auto value = current.lock();
            if (!value) {
                return AnyCancellable();
            }
            receiver(*value);
            return changes.sink(std::move(receiver));
        });
    }

private:
    ObservableObject& owner_;
    PassthroughSubject<T> changes_;
    std::shared_ptr<T> value_;
};

} // namespace combine
