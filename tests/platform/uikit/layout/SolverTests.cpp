#include <cmath>
#include <vector>

#include "tests/platform/uikit/layout/SolverTestSupport.hpp"

namespace layouttest {
namespace {

TEST(LayoutSolverTest, RequiredEquationsDetermineEveryVariable) {
    Solver solver;
    Variable x("x");
    Variable y("y");
    Variable z("z");
    ASSERT_TRUE(addAll(solver, {eq(z, (x + y) / 2), eq(y, x + 5), eq(2.0 * x, 20)}));
    EXPECT_DOUBLE_EQ(x.value(), 10);
    EXPECT_DOUBLE_EQ(y.value(), 15);
    EXPECT_DOUBLE_EQ(z.value(), 12.5);
    EXPECT_EQ(solver.constraintCount(), 3u);
}

TEST(LayoutSolverTest, InequalitiesBoundWhatAPreferenceAsksFor) {
    struct Case {
        double target;
        double expected;
    };
    Variable x("x");
    // The bounds 10 <= x <= 20 written both ways round, to cover both slack signs.
    std::vector<std::vector<Constraint>> boundForms{{ge(x, 10), le(x, 20)}, {le(10 - x, 0), ge(20 - x, 0)}};
    for (const std::vector<Constraint>& bounds : boundForms) {
        for (Case c : std::vector<Case>{{-40, 10}, {10, 10}, {15, 15}, {20, 20}, {500, 20}}) {
            Solver solver;
            ASSERT_TRUE(addAll(solver, {eq(x, c.target, 500)}));
            ASSERT_TRUE(addAll(solver, bounds));
            EXPECT_NEAR(x.value(), c.expected, 1e-9) << "target " << c.target;
            for (const Constraint& bound : bounds) {
                EXPECT_TRUE(holds(bound)) << bound.description();
            }
        }
    }
}

// A stronger priority wins over any number of weaker ones pulling the other way.
TEST(LayoutSolverTest, HigherPriorityBeatsAnyNumberOfLowerOnes) {
    struct Case {
        double strong;
        double weak;
        int weakCount;
    };
    for (Case c : std::vector<Case>{{999, 998, 6}, {750, 250, 20}, {251, 250, 40}, {2, 1, 100}}) {
        Solver solver;
        Variable x("x");
        ASSERT_TRUE(solver.addConstraint(eq(x, 0, c.strong)).ok());
        for (int i = 0; i < c.weakCount; ++i) {
            ASSERT_TRUE(solver.addConstraint(eq(x, 1000, c.weak)).ok());
        }
        solver.updateVariables();
        EXPECT_NEAR(x.value(), 0, 1e-9) << c.strong << " against " << c.weakCount << " x " << c.weak;
    }
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

TEST(LayoutSolverTest, PreferencesStillCountWhereRequiredConstraintsLeaveRoom) {
    Solver solver;
    Variable left("left");
    Variable width("width");
    Variable right("right");
    ASSERT_TRUE(
        addAll(solver, {eq(right, left + width), ge(width, 40), le(right, 300), eq(left, 20, Strength::defaultHigh),
                        eq(width, 1000, Strength::defaultLow), eq(left, 0, 999)}));
    EXPECT_NEAR(left.value(), 0, 1e-9);
    EXPECT_NEAR(width.value(), 300, 1e-9);
    EXPECT_NEAR(right.value(), 300, 1e-9);
}

TEST(LayoutSolverTest, SuggestedValuesMoveTheSolutionWithinRequiredBounds) {
    Solver solver;
    Variable left("left");
    Variable width("width");
    Variable right("right");
    ASSERT_TRUE(
        addAll(solver, {eq(right, left + width), ge(width, 0), le(right, 500), eq(width, 100, Strength::defaultLow)}));
    ASSERT_TRUE(solver.addEditVariable(left, 999).ok());
    struct Step {
        double suggestion;
        double left;
        double width;
    };
    for (Step step : std::vector<Step>{
             {0, 0, 100}, {300, 300, 100}, {450, 450, 50}, {600, 500, 0}, {-20, -20, 100}, {100, 100, 100}}) {
        ASSERT_TRUE(solver.suggestValue(left, step.suggestion).ok());
        solver.updateVariables();
        EXPECT_NEAR(left.value(), step.left, 1e-9) << step.suggestion;
        EXPECT_NEAR(width.value(), step.width, 1e-9) << step.suggestion;
        EXPECT_NEAR(right.value(), step.left + step.width, 1e-9) << step.suggestion;
    }
}

TEST(LayoutSolverTest, StrongerEditWinsAndRemovingItHandsBackControl) {
    Solver solver;
    Variable a("a");
    Variable b("b");
    ASSERT_TRUE(addAll(solver, {eq(b, a + 10), eq(a, 5, Strength::defaultLow)}));
    ASSERT_TRUE(solver.addEditVariable(a, Strength::defaultHigh).ok());
    ASSERT_TRUE(solver.addEditVariable(b, 500).ok());
    EXPECT_TRUE(solver.hasEditVariable(b));
    ASSERT_TRUE(solver.suggestValue(b, 100).ok());
    ASSERT_TRUE(solver.suggestValue(a, 40).ok());
    solver.updateVariables();
    EXPECT_NEAR(a.value(), 40, 1e-9);
    EXPECT_NEAR(b.value(), 50, 1e-9);

    ASSERT_TRUE(solver.removeEditVariable(a).ok());
    solver.updateVariables();
    EXPECT_NEAR(b.value(), 100, 1e-9);
    ASSERT_TRUE(solver.removeEditVariable(b).ok());
    solver.updateVariables();
    EXPECT_NEAR(a.value(), 5, 1e-9);
    EXPECT_EQ(solver.constraintCount(), 2u);
}

TEST(LayoutSolverTest, EditMisuseIsReportedWithoutChangingTheSolution) {
    Solver solver;
    Variable x("x");
    ASSERT_TRUE(addAll(solver, {eq(x, 3, Strength::defaultLow)}));
    EXPECT_EQ(solver.suggestValue(x, 1).status, SolverStatus::UnknownEditVariable);
    EXPECT_EQ(solver.removeEditVariable(x).status, SolverStatus::UnknownEditVariable);
    for (double priority : {1000.0, 0.0, -5.0, 2000.0, std::nan("")}) {
        SolverResult result = solver.addEditVariable(x, priority);
        EXPECT_EQ(result.status, SolverStatus::InvalidEditPriority) << priority;
        EXPECT_NE(result.message.find("x"), std::string::npos);
    }
    ASSERT_TRUE(solver.addEditVariable(x, 900).ok());
    EXPECT_EQ(solver.addEditVariable(x, 800).status, SolverStatus::DuplicateEditVariable);
    EXPECT_EQ(solver.suggestValue(x, INFINITY).status, SolverStatus::InvalidConstraint);
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 3, 1e-9); // the edit starts where the variable was
    ASSERT_TRUE(solver.suggestValue(x, 8).ok());
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 8, 1e-9);
}

TEST(LayoutSolverTest, RemovingAConstraintRestoresThePreviousSolution) {
    Variable x("x");
    Variable y("y");
    std::vector<Constraint> intruders{eq(x, 100, Strength::defaultHigh), le(x, 20), eq(x, 30), ge(y, x + 70),
                                      le(x + y, 0)};
    for (const Constraint& intruder : intruders) {
        Solver solver;
        ASSERT_TRUE(addAll(solver, {ge(x, 10), eq(x, 50, Strength::defaultLow), eq(y, x + 1, 300)}));
        ASSERT_TRUE(addAll(solver, {intruder}));
        EXPECT_TRUE(holds(intruder));
        EXPECT_FALSE(std::abs(x.value() - 50) < 1e-9 && std::abs(y.value() - 51) < 1e-9)
            << intruder.description() << " changed nothing";
        ASSERT_TRUE(solver.removeConstraint(intruder).ok());
        EXPECT_FALSE(solver.hasConstraint(intruder));
        solver.updateVariables();
        EXPECT_NEAR(x.value(), 50, 1e-9) << intruder.description();
        EXPECT_NEAR(y.value(), 51, 1e-9) << intruder.description();
    }
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

TEST(LayoutSolverTest, ConstantsChangeInPlaceAsReplacingTheConstraintWould) {
    Solver solver;
    Variable x("x");
    Variable y("y");
    Constraint low = ge(x, 10);
    Constraint high = le(x, 20);
    Constraint link = eq(y, x + 5);
    Constraint wish = eq(x, 0, Strength::defaultLow);
    ASSERT_TRUE(addAll(solver, {low, high, link, wish}));
    EXPECT_NEAR(x.value(), 10, 1e-9);
    struct Step {
        Constraint& current;
        Constraint replacement;
        SolverStatus status;
        double x;
        double y;
    };
    std::vector<Step> steps = {
        {wish, eq(x, 30, Strength::defaultLow), SolverStatus::Ok, 20, 25},
        {link, eq(y, x + 7), SolverStatus::Ok, 20, 27},
        {high, le(x, 25), SolverStatus::Ok, 25, 32},
        {low, ge(x, 26), SolverStatus::UnsatisfiableConstraint, 25, 32},
        {high, le(x, 5), SolverStatus::Ok, 5, 12},
    };
    for (Step& step : steps) {
        SCOPED_TRACE(step.replacement.description());
        SolverResult result = solver.replaceConstraint(step.current, step.replacement);
        EXPECT_EQ(result.status, step.status) << result.message;
        EXPECT_FALSE(solver.hasConstraint(step.current));
        EXPECT_EQ(solver.hasConstraint(step.replacement), result.ok());
        solver.updateVariables();
        EXPECT_NEAR(x.value(), step.x, 1e-9);
        EXPECT_NEAR(y.value(), step.y, 1e-9);
        if (result.ok()) {
            step.current = step.replacement;
        }
    }
    // An equation the others imply: moving it contradicts them.
    Constraint copy = eq(y, x + 7, Strength::required, "copy");
    ASSERT_TRUE(solver.addConstraint(copy).ok());
    EXPECT_EQ(solver.replaceConstraint(copy, eq(y, x + 8)).status, SolverStatus::UnsatisfiableConstraint);
    EXPECT_EQ(solver.replaceConstraint(copy, eq(y, x + 8)).status, SolverStatus::UnknownConstraint);
    // Another relation is another constraint: it is removed and added.
    EXPECT_TRUE(solver.replaceConstraint(high, ge(x, 8)).ok());
    solver.updateVariables();
    EXPECT_NEAR(x.value(), 30, 1e-9);
}

TEST(LayoutSolverTest, UnsatisfiableRequiredConstraintIsReportedAndLeftOut) {
    Variable x("x");
    Variable y("y");
    Variable z("z");
    struct Case {
        std::vector<Constraint> setup;
        Constraint conflict;
    };
    std::vector<Case> cases{
        {{eq(x, 10)}, eq(x, 20, Strength::required, "conflict")},
        {{ge(x, 10)}, le(x, 5, Strength::required, "conflict")},
        {{eq(x + y, 10), eq(x, 3)}, eq(y, 3, Strength::required, "conflict")},
        {{ge(x, y + 1), ge(y, z + 1)}, ge(z, x, Strength::required, "conflict")},
        {{le(x, 0)}, ge(x, 1, Strength::required, "conflict")},
    };
    for (const Case& c : cases) {
        Solver solver;
        std::vector<Constraint> setup = c.setup;
        setup.push_back(eq(x, 40, Strength::defaultLow));
        setup.push_back(eq(y, x + 1, Strength::defaultLow));
        ASSERT_TRUE(addAll(solver, setup));
        double xBefore = x.value();
        double yBefore = y.value();
        SolverResult result = solver.addConstraint(c.conflict);
        EXPECT_EQ(result.status, SolverStatus::UnsatisfiableConstraint) << c.conflict.description();
        EXPECT_NE(result.message.find(c.conflict.description()), std::string::npos) << result.message;
        EXPECT_FALSE(solver.hasConstraint(c.conflict));
        solver.updateVariables();
        for (const Constraint& constraint : c.setup) {
            EXPECT_TRUE(holds(constraint)) << constraint.description();
        }
        // The preferences are as well met as before: the failed attempt left no trace.
        EXPECT_NEAR(x.value(), xBefore, 1e-9) << c.conflict.description();
        EXPECT_NEAR(y.value(), yBefore, 1e-9) << c.conflict.description();
        EXPECT_EQ(solver.removeConstraint(c.conflict).status, SolverStatus::UnknownConstraint);
        Variable w("w");
        Constraint later = eq(w, x + 7);
        ASSERT_TRUE(addAll(solver, {later}));
        EXPECT_TRUE(holds(later));
    }
}

TEST(LayoutSolverTest, ConstantOnlyConstraintsAreJudgedByTheirValue) {
    struct Case {
        Constraint constraint;
        SolverStatus expected;
    };
    Variable x("x");
    std::vector<Case> cases{
        {eq(0, 0), SolverStatus::Ok},
        {eq(5, 0), SolverStatus::UnsatisfiableConstraint},
        {ge(3, 0), SolverStatus::Ok},
        {ge(-3, 0), SolverStatus::UnsatisfiableConstraint},
        {eq(x - x, 5), SolverStatus::UnsatisfiableConstraint},
        {eq(1e-12 * x, 0), SolverStatus::Ok},
        {eq(5, 0, Strength::defaultLow), SolverStatus::Ok}, // a preference that cannot be met
    };
    for (const Case& c : cases) {
        Solver solver;
        ASSERT_TRUE(addAll(solver, {eq(x, 4, 100)}));
        EXPECT_EQ(solver.addConstraint(c.constraint).status, c.expected) << c.constraint.description();
        solver.updateVariables();
        EXPECT_NEAR(x.value(), 4, 1e-9) << c.constraint.description();
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

TEST(LayoutSolverTest, ChainOfAThousandVariablesSolvesAndFollowsItsHead) {
    constexpr int kCount = 1000;
    Solver solver;
    std::vector<Variable> x;
    for (int i = 0; i < kCount; ++i) {
        x.emplace_back(numbered("x", static_cast<std::uint64_t>(i)));
    }
    Constraint anchor = eq(x[0], 0);
    ASSERT_TRUE(solver.addConstraint(anchor).ok());
    for (int i = 0; i + 1 < kCount; ++i) {
        ASSERT_TRUE(solver.addConstraint(eq(x[i + 1], x[i] + 10)).ok()) << i;
    }
    solver.updateVariables();
    for (int i = 0; i < kCount; ++i) {
        ASSERT_NEAR(x[i].value(), 10.0 * i, 1e-6) << i;
    }

    ASSERT_TRUE(solver.removeConstraint(anchor).ok());
    ASSERT_TRUE(solver.addEditVariable(x[0], Strength::defaultHigh).ok());
    for (double head : {100.0, -50.0, 12345.0}) {
        ASSERT_TRUE(solver.suggestValue(x[0], head).ok());
        solver.updateVariables();
        EXPECT_NEAR(x[kCount - 1].value(), head + 10.0 * (kCount - 1), 1e-6);
        EXPECT_NEAR(x[kCount / 2].value(), head + 10.0 * (kCount / 2), 1e-6);
    }
}

TEST(LayoutSolverTest, ResetForgetsEverything) {
    Solver solver;
    Variable x("x");
    Constraint ten = eq(x, 10);
    ASSERT_TRUE(addAll(solver, {ten}));
    ASSERT_TRUE(solver.addEditVariable(x, 500).ok());
    solver.reset();
    EXPECT_FALSE(solver.hasConstraint(ten));
    EXPECT_FALSE(solver.hasEditVariable(x));
    EXPECT_EQ(solver.constraintCount(), 0u);
    EXPECT_EQ(x.value(), 10.0);
    ASSERT_TRUE(addAll(solver, {eq(x, 20)}));
    EXPECT_EQ(x.value(), 20.0);
    ASSERT_TRUE(solver.addConstraint(ten).status == SolverStatus::UnsatisfiableConstraint);
}

} // namespace
} // namespace layouttest
