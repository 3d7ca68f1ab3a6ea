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
    const std::string& name() const noexcept { return data_->name; }
    std::string displayName() const;

    // Inline: a layout pass reads and writes every view's four values.
    double value() const noexcept { return data_->value; }
    void setValue(double value) noexcept { data_->value = value; }

    // Unique for the life of the process; equal for copies of the same variable.
    std::uint64_t id() const noexcept { return data_->id; }

    friend bool operator==(const Variable& lhs, const Variable& rhs) noexcept { return lhs.data_ == rhs.data_; }

    struct Hash {
        std::size_t operator()(const Variable& variable) const noexcept;
    };

private:
    struct Data {
        std::string name;
        double value = 0.0;
        std::uint64_t id = 0;
    };
    std::shared_ptr<Data> data_;
};

} // namespace uikit::layout
