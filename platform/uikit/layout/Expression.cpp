#include "platform/uikit/layout/Expression.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>
#include <utility>

namespace uikit::layout {

namespace {

// Coefficients below this are rounding residue, not intent (a layout works in points).
constexpr double kNegligible = 1e-8;
// Up to this many terms (a layout's expressions have two to four), looking along the terms met
// so far costs less than indexing them.
constexpr std::size_t kShortExpression = 16;

} // namespace

Expression::Expression(double constant) : constant_(constant) {}

Expression::Expression(const Variable& variable) : terms_{Term{variable, 1.0}} {}

Expression::Expression(const Term& term) : terms_{term} {}

Expression::Expression(std::vector<Term> terms, double constant) : terms_(std::move(terms)), constant_(constant) {}

Expression Expression::simplified() && {
    if (terms_.size() > kShortExpression) {
        return std::as_const(*this).simplified();
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < terms_.size(); ++i) {
        const auto end = terms_.begin() + static_cast<std::ptrdiff_t>(kept);
        const auto same =
            std::find_if(terms_.begin(), end, [&](const Term& term) { return term.variable == terms_[i].variable; });
        if (same != end) {
            same->coefficient += terms_[i].coefficient;
            continue;
        }
        if (kept != i) {
            terms_[kept] = std::move(terms_[i]);
        }
        ++kept;
    }
    terms_.erase(terms_.begin() + static_cast<std::ptrdiff_t>(kept), terms_.end());
    std::erase_if(terms_, [](const Term& term) { return std::fabs(term.coefficient) < kNegligible; });
    return std::move(*this);
}

Expression Expression::simplified() const& {
    std::vector<Term> merged;
    merged.reserve(terms_.size());
    if (terms_.size() <= kShortExpression) {
        for (const Term& term : terms_) {
            const auto same = std::find_if(merged.begin(), merged.end(),
                                           [&](const Term& kept) { return kept.variable == term.variable; });
            if (same == merged.end()) {
                merged.push_back(term);
            } else {
                same->coefficient += term.coefficient;
            }
        }
    } else {
        std::unordered_map<std::uint64_t, std::size_t> index;
        for (const Term& term : terms_) {
            auto [it, inserted] = index.emplace(term.variable.id(), merged.size());
            if (inserted) {
                merged.push_back(term);
            } else {
                merged[it->second].coefficient += term.coefficient;
            }
        }
    }
    std::erase_if(merged, [](const Term& term) { return std::fabs(term.coefficient) < kNegligible; });
    return Expression(std::move(merged), constant_);
}

double Expression::value() const {
    double result = constant_;
    for (const Term& term : terms_) {
        result += term.coefficient * term.variable.value();
    }
    return result;
}

std::string Expression::description() const {
    std::ostringstream out;
    out.precision(12);
    bool first = true;
    for (const Term& term : terms_) {
        double magnitude = std::fabs(term.coefficient);
        bool negative = std::signbit(term.coefficient);
        if (first) {
            out << (negative ? "-" : "");
        } else {
            out << (negative ? " - " : " + ");
        }
        if (magnitude != 1.0) {
            out << magnitude;
            out << " * ";
        }
        out << term.variable.displayName();
        first = false;
    }
    if (first) {
        out << constant_;
    } else if (constant_ != 0.0) {
        out << (constant_ < 0 ? " - " : " + ");
        out << std::fabs(constant_);
    }
    return out.str();
}

Expression& Expression::operator+=(const Expression& other) {
    terms_.insert(terms_.end(), other.terms_.begin(), other.terms_.end());
    constant_ += other.constant_;
    return *this;
}

Expression& Expression::operator-=(const Expression& other) {
    // By index, with room made first: `other` may be this expression.
    const std::size_t count = other.terms_.size();
    terms_.reserve(terms_.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        terms_.push_back(Term{other.terms_[i].variable, -other.terms_[i].coefficient});
    }
    constant_ -= other.constant_;
    return *this;
}

Expression& Expression::operator*=(double factor) {
    for (Term& term : terms_) {
        term.coefficient *= factor;
    }
    constant_ *= factor;
    return *this;
}

Expression operator+(Expression lhs, const Expression& rhs) { return lhs += rhs; }

Expression operator-(Expression lhs, const Expression& rhs) { return lhs -= rhs; }

Expression operator-(Expression operand) { return operand *= -1.0; }

Expression operator*(Expression lhs, double factor) { return lhs *= factor; }

Expression operator*(double factor, Expression rhs) { return rhs *= factor; }

Expression operator/(Expression lhs, double divisor) { return lhs *= 1.0 / divisor; }

} // namespace uikit::layout
