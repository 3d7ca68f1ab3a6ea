#pragma once

// The solver as it was before its rows were stored side by side (rows in a hash map by basic
// symbol, cells of three words, one lookup per variable on update, rows grown by doubling), kept
// as it was so that bench/solver_workloads.cpp sets each figure against it in the same run.
// Built for that benchmark only.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/uikit/layout/Constraint.hpp"
#include "platform/uikit/layout/Expression.hpp"
#include "platform/uikit/layout/Strength.hpp"
#include "platform/uikit/layout/Variable.hpp"

namespace uikit::layout::reference {

enum class SolverStatus {
    Ok,
    // A required constraint that contradicts the required constraints already in the solver. It
    // was left out; everything else stays solved.
    UnsatisfiableConstraint,
    DuplicateConstraint,
    UnknownConstraint,
    // A coefficient or constant that is not finite or whose magnitude exceeds 1e15, or a priority
    // outside (0, 1000]. Nothing was changed.
    InvalidConstraint,
    DuplicateEditVariable,
    UnknownEditVariable,
    // Edit variables are preferences: their priority must be in (0, 1000).
    InvalidEditPriority,
    // Numerical trouble kept the simplex from reaching an optimum within its pivot budget. The
    // solver is still consistent (required constraints hold); preferences may not be optimal.
    DidNotConverge,
};

struct SolverResult {
    SolverStatus status = SolverStatus::Ok;
    // Empty on success; otherwise a sentence naming the constraint or variable concerned.
    std::string message;

    bool ok() const noexcept { return status == SolverStatus::Ok; }
    explicit operator bool() const noexcept { return ok(); }
};

// An incremental constraint solver (the Cassowary algorithm of Badros, Borning and Stuckey):
// a simplex tableau kept feasible and optimal as constraints come and go, with slack variables
// for inequalities, error variables for preferences, dummy markers for required equations, an
// artificial variable to test a new required constraint, and the dual simplex to re-solve after
// an edit variable is moved.
//
// Nothing here throws for bad input: every operation reports a SolverResult. Pivot selection
// follows Bland's rule (lowest symbol id enters and, on ties, leaves), which cannot cycle, and
// every optimisation also has a pivot budget as a last guard against numerical trouble.
//
// Not thread-safe: use one solver from one thread (layout runs on the main thread). A solver
// that was moved from may only be destroyed or assigned to.
//
//   Variable left("left"), width("width");
//   Solver solver;
//   solver.addConstraint(Constraint(left, RelationalOperator::Equal, 16));
//   solver.addConstraint(Constraint(width, RelationalOperator::GreaterOrEqual, 44));
//   solver.addConstraint(Constraint(left + width, RelationalOperator::LessOrEqual, 320));
//   solver.addConstraint(Constraint(width, RelationalOperator::Equal, 1000, Strength::defaultLow));
//   solver.updateVariables();  // left 16, width 304
class Solver {
public:
    Solver();
    ~Solver();
    Solver(Solver&&) noexcept;
    Solver& operator=(Solver&&) noexcept;
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Adds the constraint and re-solves. An unsatisfiable required constraint is reported
    // (UnsatisfiableConstraint, with the constraint's description in the message) and not kept.
    SolverResult addConstraint(const Constraint& constraint);
    // Removes the constraint and re-solves; what it had displaced comes back.
    SolverResult removeConstraint(const Constraint& constraint);
    bool hasConstraint(const Constraint& constraint) const;
    // Constraints currently in the solver, edit variables not included.
    std::size_t constraintCount() const;

    // Makes the variable editable at the given preference priority, starting from its current
    // value(). suggestValue then moves it, re-solving incrementally with the dual simplex.
    SolverResult addEditVariable(const Variable& variable, double priority);
    SolverResult removeEditVariable(const Variable& variable);
    bool hasEditVariable(const Variable& variable) const;
    SolverResult suggestValue(const Variable& variable, double value);

    // Writes the current solution into every variable that some constraint or edit mentions.
    void updateVariables();

    // Forgets every constraint and edit variable. Variables keep their last values.
    void reset();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace uikit::layout::reference
