#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tests/platform/uikit/layout/SolverTestSupport.hpp"

namespace layouttest {
namespace {

// Random systems that are feasible by construction: every constraint is made to hold at a
// hidden witness point, inequalities often exactly (degenerate vertices are where a simplex
// cycles if it can).
class RandomSystem {
public:
    explicit RandomSystem(std::uint32_t seed) : random_(seed) {}

    int below(int bound) { return static_cast<int>(random_() % static_cast<std::uint32_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }

    void make(int variableCount, int constraintCount) {
        variables.clear();
        witness.clear();
        required.clear();
        for (int i = 0; i < variableCount; ++i) {
            variables.emplace_back(numbered("x", static_cast<std::uint64_t>(i)));
            witness.push_back(between(-50, 50));
        }
        for (int c = 0; c < constraintCount; ++c) {
            Expression expression;
            double atWitness = 0;
            for (int i = 0; i < variableCount; ++i) {
                int coefficient = below(3) == 0 ? between(-3, 3) : 0;
                expression += coefficient * Expression(variables[i]);
                atWitness += coefficient * witness[i];
            }
            auto relation = static_cast<RelationalOperator>(below(3));
            double slack = below(3) == 0 ? 0 : between(1, 20);
            double rhs = atWitness;
            if (relation == RelationalOperator::LessOrEqual) {
                rhs += slack;
            } else if (relation == RelationalOperator::GreaterOrEqual) {
                rhs -= slack;
            }
            required.emplace_back(expression, relation, rhs);
        }
    }

    // A constraint that contradicts `existing`: same expression, relation pushed out of reach.
    static Constraint contradiction(const Constraint& existing) {
        const Expression& e = existing.expression();
        switch (existing.relation()) {
        case RelationalOperator::LessOrEqual:
            return Constraint(e, RelationalOperator::GreaterOrEqual, 1, Strength::required, "conflict");
        case RelationalOperator::GreaterOrEqual:
            return Constraint(e, RelationalOperator::LessOrEqual, -1, Strength::required, "conflict");
        case RelationalOperator::Equal:
            break;
        }
        return Constraint(e, RelationalOperator::Equal, 5, Strength::required, "conflict");
    }

    std::mt19937 random_;
    std::vector<Variable> variables;
    std::vector<double> witness;
    std::vector<Constraint> required;
};

// Each variable pulled towards a target at a priority of its own: the lexicographic optimum is
// then a single point, so two solvers holding the same constraints must agree exactly.
std::vector<Constraint> distinctPins(RandomSystem& system, double basePriority) {
    std::vector<Constraint> pins;
    for (std::size_t i = 0; i < system.variables.size(); ++i) {
        pins.push_back(eq(system.variables[i], system.between(-80, 80), basePriority + static_cast<double>(i)));
    }
    return pins;
}

TEST(LayoutSolverPropertyTest, FeasibleRequiredSystemsAreAllSatisfied) {
    RandomSystem system(20240611);
    for (int trial = 0; trial < 300; ++trial) {
        system.make(system.between(2, 8), system.between(1, 14));
        Solver solver;
        ASSERT_TRUE(addAll(solver, system.required)) << "trial " << trial;
        for (const Constraint& constraint : system.required) {
            ASSERT_TRUE(holds(constraint)) << "trial " << trial << ": " << constraint.description();
        }
        // Pinning every variable to the witness at one preference level has a unique optimum with
        // zero error: the witness itself.
        for (std::size_t i = 0; i < system.variables.size(); ++i) {
            ASSERT_TRUE(solver.addConstraint(eq(system.variables[i], system.witness[i], 10)).ok());
        }
        solver.updateVariables();
        for (std::size_t i = 0; i < system.variables.size(); ++i) {
            ASSERT_NEAR(system.variables[i].value(), system.witness[i], 1e-6) << "trial " << trial << " variable " << i;
        }
    }
}

TEST(LayoutSolverPropertyTest, IncrementalChangesAgreeWithSolvingFromScratch) {
    RandomSystem system(7);
    for (int trial = 0; trial < 150; ++trial) {
        system.make(system.between(2, 7), system.between(2, 12));
        std::vector<Constraint> pins = distinctPins(system, 100);
        Solver incremental;
        ASSERT_TRUE(addAll(incremental, pins));
        ASSERT_TRUE(addAll(incremental, system.required));

        // Remove a random half, then put some back.
        std::vector<Constraint> kept;
        std::vector<Constraint> removed;
        for (const Constraint& constraint : system.required) {
            if (system.below(2) == 0) {
                ASSERT_TRUE(incremental.removeConstraint(constraint).ok());
                removed.push_back(constraint);
            } else {
                kept.push_back(constraint);
            }
        }
        for (const Constraint& constraint : removed) {
            if (system.below(2) == 0) {
                ASSERT_TRUE(incremental.addConstraint(constraint).ok());
                kept.push_back(constraint);
            }
        }
        // Edit one variable through several values; the fresh solver gets the last one as a
        // preference of the same priority.
        const Variable& edited =
            system.variables[static_cast<std::size_t>(system.below(static_cast<int>(system.variables.size())))];
        ASSERT_TRUE(incremental.addEditVariable(edited, 900).ok());
        double suggestion = 0;
        for (int step = 0; step < 4; ++step) {
            suggestion = system.between(-100, 100);
            ASSERT_TRUE(incremental.suggestValue(edited, suggestion).ok());
        }
        // Move some constants in place, of required constraints and of pins alike; a required
        // one that no longer fits is left out, as adding it would be.
        for (std::vector<Constraint>* list : {&kept, &pins}) {
            for (std::size_t i = 0; i < list->size();) {
                const Constraint current = (*list)[i];
                Constraint moved(current.expression() + system.between(-10, 10), current.relation(), 0,
                                 current.priority());
                SolverResult result =
                    system.below(3) == 0 ? incremental.replaceConstraint(current, moved) : SolverResult{};
                if (!result.ok()) {
                    ASSERT_EQ(result.status, SolverStatus::UnsatisfiableConstraint) << result.message;
                    list->erase(list->begin() + static_cast<std::ptrdiff_t>(i));
                    continue;
                }
                if (incremental.hasConstraint(moved)) {
                    (*list)[i] = moved;
                }
                ++i;
            }
        }
        incremental.updateVariables();
        std::vector<double> values;
        for (const Variable& variable : system.variables) {
            values.push_back(variable.value());
        }
        for (const Constraint& constraint : kept) {
            ASSERT_TRUE(holds(constraint)) << "trial " << trial << ": " << constraint.description();
        }

        Solver fresh;
        std::vector<Constraint> all = kept;
        all.insert(all.end(), pins.begin(), pins.end());
        all.push_back(eq(edited, suggestion, 900));
        std::reverse(all.begin(), all.end());
        ASSERT_TRUE(addAll(fresh, all));
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_NEAR(system.variables[i].value(), values[i], 1e-6) << "trial " << trial << " variable " << i;
        }
    }
}

TEST(LayoutSolverPropertyTest, ContradictionsAreRefusedWithoutDisturbingTheSolution) {
    RandomSystem system(99);
    for (int trial = 0; trial < 150; ++trial) {
        system.make(system.between(2, 7), system.between(1, 12));
        Solver solver;
        ASSERT_TRUE(addAll(solver, distinctPins(system, 200)));
        ASSERT_TRUE(addAll(solver, system.required));
        std::vector<double> before;
        for (const Variable& variable : system.variables) {
            before.push_back(variable.value());
        }
        const Constraint& victim =
            system.required[static_cast<std::size_t>(system.below(static_cast<int>(system.required.size())))];
        Constraint conflict = RandomSystem::contradiction(victim);
        SolverResult result = solver.addConstraint(conflict);
        ASSERT_EQ(result.status, SolverStatus::UnsatisfiableConstraint)
            << "trial " << trial << ": " << conflict.description();
        solver.updateVariables();
        for (std::size_t i = 0; i < before.size(); ++i) {
            ASSERT_NEAR(system.variables[i].value(), before[i], 1e-6) << "trial " << trial;
        }
        // Without the required constraints the former conflict fits, unless it has no variable.
        for (const Constraint& constraint : system.required) {
            ASSERT_TRUE(solver.removeConstraint(constraint).ok());
        }
        if (!conflict.expression().terms().empty()) {
            ASSERT_TRUE(addAll(solver, {conflict})) << "trial " << trial;
            EXPECT_TRUE(holds(conflict));
        }
    }
}

// Any mix of operations, priorities that share levels and constraints that may conflict: every
// call returns, every required constraint the solver holds is met, and no value goes astray.
TEST(LayoutSolverPropertyTest, RandomOperationSequencesKeepRequiredConstraintsMet) {
    RandomSystem system(424242);
    const double priorities[] = {1000, 1000, 1000, 999, 750, 750, 250, 250, 1};
    int refused = 0;
    for (int trial = 0; trial < 60; ++trial) {
        system.make(system.between(2, 6), 0);
        Solver solver;
        std::vector<Constraint> present;
        for (int step = 0; step < 60; ++step) {
            int action = system.below(10);
            if (action < 6) {
                Expression expression = system.between(-30, 30);
                for (const Variable& variable : system.variables) {
                    expression += system.between(-2, 2) * Expression(variable);
                }
                Constraint constraint(expression, static_cast<RelationalOperator>(system.below(3)), 0,
                                      priorities[system.below(9)]);
                SolverResult result = solver.addConstraint(constraint);
                if (result.ok()) {
                    present.push_back(constraint);
                } else {
                    ASSERT_EQ(result.status, SolverStatus::UnsatisfiableConstraint) << result.message;
                    ASSERT_TRUE(constraint.isRequired());
                    ++refused;
                }
            } else if (action < 8 && !present.empty()) {
                auto victim = present.begin() + system.below(static_cast<int>(present.size()));
                ASSERT_TRUE(solver.removeConstraint(*victim).ok());
                present.erase(victim);
            } else {
                const Variable& variable =
                    system.variables[static_cast<std::size_t>(system.below(static_cast<int>(system.variables.size())))];
                if (!solver.hasEditVariable(variable)) {
                    ASSERT_TRUE(solver.addEditVariable(variable, priorities[3 + system.below(6)]).ok());
                } else if (system.below(4) == 0) {
                    ASSERT_TRUE(solver.removeEditVariable(variable).ok());
                } else {
                    ASSERT_TRUE(solver.suggestValue(variable, system.between(-200, 200)).ok());
                }
            }
            solver.updateVariables();
            for (const Constraint& constraint : present) {
                if (constraint.isRequired()) {
                    ASSERT_TRUE(holds(constraint, 1e-5))
                        << "trial " << trial << " step " << step << ": " << constraint.description();
                }
            }
            for (const Variable& variable : system.variables) {
                ASSERT_TRUE(std::isfinite(variable.value()));
            }
        }
        EXPECT_EQ(solver.constraintCount(), present.size());
    }
    EXPECT_GT(refused, 20); // the sequences do run into conflicts
}

} // namespace
} // namespace layouttest
