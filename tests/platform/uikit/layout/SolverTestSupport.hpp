#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/uikit/layout/Solver.hpp"

namespace layouttest {

using namespace uikit::layout;

inline Constraint eq(const Expression& lhs, const Expression& rhs, double priority = Strength::required,
                     std::string name = {}) {
    return Constraint(lhs, RelationalOperator::Equal, rhs, priority, std::move(name));
}

inline Constraint ge(const Expression& lhs, const Expression& rhs, double priority = Strength::required,
                     std::string name = {}) {
    return Constraint(lhs, RelationalOperator::GreaterOrEqual, rhs, priority, std::move(name));
}

// Adds every constraint, failing the test on the first one the solver refuses.
inline ::testing::AssertionResult addAll(Solver& solver, const std::vector<Constraint>& constraints) {
    for (const Constraint& constraint : constraints) {
        SolverResult result = solver.addConstraint(constraint);
        if (!result.ok()) {
            return ::testing::AssertionFailure() << constraint.description() << ": " << result.message;
        }
    }
    solver.updateVariables();
    return ::testing::AssertionSuccess();
}

// Whether the constraint holds for the variables' current values.
inline bool holds(const Constraint& constraint, double tolerance = 1e-6) {
    double value = constraint.expression().value();
    switch (constraint.relation()) {
    case RelationalOperator::LessOrEqual:
        return value <= tolerance;
    case RelationalOperator::GreaterOrEqual:
        return value >= -tolerance;
    case RelationalOperator::Equal:
        break;
    }
    return std::abs(value) <= tolerance;
}

} // namespace layouttest
