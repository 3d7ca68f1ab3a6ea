#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace uikit::layout {

// An unknown of a linear system, shared by every copy of the handle: two copies are the same
// variable, two separately constructed ones never are. The solver writes the solution into it on
// `Solver::updateVariables()`; until then (and for a variable no constraint mentions any more) it
// keeps the last value written, 0 at first.
class Variable {
public:
    explicit Variable(std::string name = {});

    // Debug name used in descriptions and messages; an unnamed variable shows as "v<id>".
    const std::string& name() const noexcept;
    std::string displayName() const;

    double value() const noexcept;
    void setValue(double value) noexcept;

    // Unique for the life of the process; equal for copies of the same variable.
    std::uint64_t id() const noexcept;

    friend bool operator==(const Variable& lhs, const Variable& rhs) noexcept { return lhs.data_ == rhs.data_; }

    struct Hash {
        std::size_t operator()(const Variable& variable) const noexcept;
    };

private:
    struct Data;
    std::shared_ptr<Data> data_;
};

} // namespace uikit::layout
