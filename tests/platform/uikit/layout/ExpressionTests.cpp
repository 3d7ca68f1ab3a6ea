#include <cmath>

#include "tests/platform/uikit/layout/SolverTestSupport.hpp"

namespace layouttest {
namespace {

TEST(LayoutExpressionTest, ArithmeticBuildsTermsAndConstant) {
    Variable x("x");
    Variable y("y");
    Expression e = 2.0 * x + y * 3 - (x - 8) / 2 + 1;
    ASSERT_EQ(e.terms().size(), 3u);
    EXPECT_EQ(e.constant(), 5.0);
    x.setValue(4);
    y.setValue(-1);
    EXPECT_DOUBLE_EQ(e.value(), 8.0 - 3.0 - 2.0 + 5.0);
    EXPECT_EQ((-e).constant(), -5.0);
}

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

TEST(LayoutExpressionTest, DescriptionsNameVariablesRelationAndPriority) {
    Variable left("left");
    Variable width;
    Constraint c(left + 2.0 * width, RelationalOperator::LessOrEqual, 320, 750, "fits");
    EXPECT_EQ(width.displayName(), numbered("v", width.id()));
    EXPECT_EQ(c.description(),
              std::string("fits: left + 2 * ").append(width.displayName()).append(" - 320 <= 0 (priority 750)"));
    EXPECT_EQ(Expression(-4.5).description(), "-4.5");
}

TEST(LayoutExpressionTest, IdentityIsSharedByCopiesOnly) {
    Variable a("same");
    Variable b = a;
    Variable c("same");
    b.setValue(7);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_EQ(a.value(), 7.0);

    Constraint first(a, RelationalOperator::Equal, 1);
    Constraint copy = first;
    Constraint twin(a, RelationalOperator::Equal, 1);
    Constraint weaker = first.withPriority(250);
    EXPECT_TRUE(first == copy);
    EXPECT_FALSE(first == twin);
    EXPECT_FALSE(first == weaker);
    EXPECT_EQ(weaker.priority(), 250.0);
    EXPECT_FALSE(weaker.isRequired());
    EXPECT_TRUE(first.isRequired());
}

} // namespace
} // namespace layouttest
