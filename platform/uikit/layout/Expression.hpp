#pragma once

#include <string>
#include <vector>

#include "platform/uikit/layout/Variable.hpp"

namespace uikit::layout {

// coefficient * variable
struct Term {
    Variable variable;
    double coefficient = 1.0;
};

// A linear expression: sum of terms plus a constant. Built naturally from variables and numbers:
//   Expression e = 2.0 * width + left - 8;
// A variable may appear in several terms; constraints merge them. Products of two expressions
// are deliberately not provided: the solver handles linear systems only.
class Expression {
public:
    Expression(double constant = 0.0);    // NOLINT: numbers take part in arithmetic implicitly
    Expression(const Variable& variable); // NOLINT
    Expression(const Term& term);         // NOLINT
    Expression(std::vector<Term> terms, double constant);

    const std::vector<Term>& terms() const noexcept { return terms_; }
    double constant() const noexcept { return constant_; }

    // One term per variable (coefficients added up, first occurrence keeps its place); terms
    // whose coefficient is zero or negligibly small are dropped.
    Expression simplified() const&;
    // The same, made in the expression's own terms.
    Expression simplified() &&;

    // The current value given the variables' values.
    double value() const;

    // e.g. "2 * width + left - 8"
    std::string description() const;

    Expression& operator+=(const Expression& other);
    Expression& operator-=(const Expression& other);
    Expression& operator*=(double factor);

private:
    std::vector<Term> terms_;
    double constant_ = 0.0;
};

Expression operator+(Expression lhs, const Expression& rhs);
Expression operator-(Expression lhs, const Expression& rhs);
Expression operator-(Expression operand);
Expression operator*(Expression lhs, double factor);
Expression operator*(double factor, Expression rhs);
// Dividing by zero yields non-finite coefficients, which the solver rejects.
Expression operator/(Expression lhs, double divisor);

} // namespace uikit::layout
