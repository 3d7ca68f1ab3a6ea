#pragma once

// What state properties need of the tree that keeps them: the identity whose storage they
// are, the environment of the view being evaluated, and where to report what a view reads.

#include "platform/combine/ObservableObject.hpp"
#include "platform/swiftui/Animation.hpp"
#include "platform/swiftui/EnvironmentValues.hpp"

#include <memory>
#include <string>
#include <typeindex>

namespace swiftui::detail {

// The tree's side of a view's identity: state writes invalidate the view through it.
class StateOwner {
public:
    virtual ~StateOwner() = default;
    virtual void invalidate(const Transaction& transaction) = 0;
    // The environment of the view, while it is in the tree.
    virtual const EnvironmentValues* environment() const = 0;
};

// True while a view is installed in the tree; its state properties' copies then get storage of
// their own, owned by `installingOwner()`.
bool installingState();
std::weak_ptr<StateOwner> installingOwner();

// The environment of the view whose body runs on this thread, if one does; else that of the
// view that `owner` stands for, while it is in the tree.
const EnvironmentValues* evaluatingEnvironment();
const EnvironmentValues* environmentOf(const std::weak_ptr<StateOwner>& owner);
// The view whose body runs on this thread depends on the object: a change of the object
// re-evaluates it. Nothing happens outside an evaluation.
void noteObservation(const std::shared_ptr<combine::ObservableObject>& object);

// A fatal error of the platform: the message on standard error, then abort.
[[noreturn]] void fatalError(const std::string& message);
[[noreturn]] void missingEnvironmentObject(std::type_index type);

} // namespace swiftui::detail
