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
            variables.emplace_back("x" + std::to_string(i));
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

} // namespace
} // namespace layouttest
