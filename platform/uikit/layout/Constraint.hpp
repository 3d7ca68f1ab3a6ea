#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/uikit/layout/Expression.hpp"
#include "platform/uikit/layout/Strength.hpp"

namespace uikit::layout {

enum class RelationalOperator { LessOrEqual, Equal, GreaterOrEqual };

// "<=", "==" or ">="
const char* symbolOf(RelationalOperator relation) noexcept;

// `lhs relation rhs` at a priority (see Strength.hpp), kept as the normalised
// `expression() relation 0` with expression = lhs - rhs, one term per variable. Immutable; copies
// share identity, which is what the solver tracks (two constraints built from equal expressions
// are two constraints).
class Constraint {
public:
    // `lhs` by value: an expression made for the constraint is moved into it, not copied.
    Constraint(Expression lhs, RelationalOperator relation, const Expression& rhs = {},
               double priority = Strength::required, std::string name = {});

    const Expression& expression() const noexcept;
    RelationalOperator relation() const noexcept;
    double priority() const noexcept;
    bool isRequired() const noexcept { return Strength::isRequired(priority()); }
    // Optional debug name, shown first in the description.
    const std::string& name() const noexcept;

    // e.g. "chain: x1 - x0 - 10 == 0 (priority 1000)"
    std::string description() const;

    // The same relation at another priority: a new constraint with its own identity.
    Constraint withPriority(double priority) const;

    std::uint64_t id() const noexcept;

    friend bool operator==(const Constraint& lhs, const Constraint& rhs) noexcept { return lhs.data_ == rhs.data_; }

    struct Hash {
        std::size_t operator()(const Constraint& constraint) const noexcept;
    };

private:
    struct Data;
    explicit Constraint(std::shared_ptr<const Data> data);
    std::shared_ptr<const Data> data_;
};

} // namespace uikit::layout
