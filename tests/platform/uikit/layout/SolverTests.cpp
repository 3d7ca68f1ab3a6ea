#include <cmath>
#include <utility>
#include <vector>

#include "tests/platform/uikit/layout/SolverTestSupport.hpp"

namespace layouttest {
namespace {

TEST(LayoutExpressionTest, ConstraintMergesTermsOfOneVariableAndDropsZeros) {
    Variable x("x");
    Variable y("y");
    Constraint c(x + x + y, RelationalOperator::Equal, 2.0 * x + 1e-12 * x - 3);
    // lhs - rhs = -1e-12 * x + y + 3: x is rounding residue, y stays once.
    ASSERT_EQ(c.expression().terms().size(), 1u);
    EXPECT_TRUE(c.expression().terms()[0].variable == y);
    EXPECT_EQ(c.expression().constant(), 3.0);
    EXPECT_EQ(c.expression().description(), "y + 3");
}

// Weighted sums would give in here: the weaker errors add up to ten times the stronger one.
TEST(LayoutSolverTest, PriorityLevelsAreStrictAcrossManyVariables) {
    Solver solver;
    Variable width("width");
    std::vector<Variable> followers(10);
    ASSERT_TRUE(solver.addConstraint(eq(width, 100, 751)).ok());
    for (const Variable& follower : followers) {
        ASSERT_TRUE(addAll(solver, {eq(follower, 0), eq(follower, width, Strength::defaultHigh)}));
    }
    solver.updateVariables();
    EXPECT_NEAR(width.value(), 100, 1e-9);

    // With the stronger preference gone the followers' level decides.
    Solver other;
    ASSERT_TRUE(other.addConstraint(eq(width, 100, 749)).ok());
    for (const Variable& follower : followers) {
        ASSERT_TRUE(addAll(other, {eq(follower, 0), eq(follower, width, Strength::defaultHigh)}));
    }
    other.updateVariables();
    EXPECT_NEAR(width.value(), 0, 1e-9);
}

TEST(LayoutSolverTest, RedundantCopiesKeepHoldingUntilTheLastIsRemoved) {
    Solver solver;
    Variable x("x");
    Variable y("y");
    Constraint first = eq(x, 10);
    Constraint second = eq(2.0 * x, 20);
    Constraint implied = eq(y, x);
    Constraint also = eq(y, 10);
    ASSERT_TRUE(addAll(solver, {first, second, implied, also, eq(x, 99, 999)}));
    EXPECT_NEAR(x.value(), 10, 1e-9);
    ASSERT_TRUE(solver.removeConstraint(first).ok());
    ASSERT_TRUE(solver.removeConstraint(also).ok());
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 10, 1e-9);
    EXPECT_NEAR(y.value(), 10, 1e-9);
    ASSERT_TRUE(solver.removeConstraint(second).ok());
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 99, 1e-9);
    EXPECT_NEAR(y.value(), 99, 1e-9);
}

TEST(LayoutSolverTest, ConstantOnlyConstraintsAreJudgedByTheirValue) {
    Variable x("x");
    const std::pair<Constraint, SolverStatus> cases[] = {
        {eq(0, 0), SolverStatus::Ok},
        {ge(-3, 0), SolverStatus::UnsatisfiableConstraint},
        {eq(x - x, 5), SolverStatus::UnsatisfiableConstraint},
        {eq(1e-12 * x, 0), SolverStatus::Ok},
        {eq(5, 0, Strength::defaultLow), SolverStatus::Ok}, // a preference that cannot be met
    };
    for (const auto& [constraint, expected] : cases) {
        Solver solver;
        ASSERT_TRUE(addAll(solver, {eq(x, 4, 100)}));
        EXPECT_EQ(solver.addConstraint(constraint).status, expected) << constraint.description();
        solver.updateVariables();
        EXPECT_NEAR(x.value(), 4, 1e-9) << constraint.description();
    }
}

TEST(LayoutSolverTest, BadInputIsRefusedWithAStatus) {
    Solver solver;
    Variable x("x");
    Constraint kept = eq(x, 1);
    ASSERT_TRUE(addAll(solver, {kept}));
    EXPECT_EQ(solver.addConstraint(kept).status, SolverStatus::DuplicateConstraint);
    EXPECT_EQ(solver.removeConstraint(eq(x, 1)).status, SolverStatus::UnknownConstraint);
    std::vector<Constraint> invalid{
        eq(std::nan("") * x, 0), eq(x, INFINITY),  eq(x / 0.0, 1),         eq(x, 1e16), eq(x, 2, 0),
        eq(x, 2, -250),          eq(x, 2, 1000.5), eq(x, 2, std::nan("")),
    };
    for (const Constraint& constraint : invalid) {
        SolverResult result = solver.addConstraint(constraint);
        EXPECT_EQ(result.status, SolverStatus::InvalidConstraint) << constraint.description();
        EXPECT_FALSE(result.message.empty());
        EXPECT_FALSE(solver.hasConstraint(constraint));
    }
    solver.updateVariables();
    EXPECT_EQ(x.value(), 1.0);
    ASSERT_TRUE(solver.removeConstraint(kept).ok());
    EXPECT_EQ(solver.removeConstraint(kept).status, SolverStatus::UnknownConstraint);
    EXPECT_EQ(solver.constraintCount(), 0u);
}

} // namespace
} // namespace layouttest
