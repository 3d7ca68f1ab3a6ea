#pragma once

// The systems the solver benchmarks solve: a sign-in screen of about fifty constraints, a row of
// a thousand views, a chain of a thousand variables, and the checks that a benchmark measured a
// right answer. Templates take any solver with the interface of uikit::layout::Solver.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/uikit/layout/Constraint.hpp"
#include "platform/uikit/layout/Expression.hpp"
#include "platform/uikit/layout/Strength.hpp"
#include "platform/uikit/layout/Variable.hpp"

namespace vyd::bench::solver {

using uikit::layout::Constraint;
using uikit::layout::Expression;
using uikit::layout::RelationalOperator;
using uikit::layout::Variable;
namespace Strength = uikit::layout::Strength;

constexpr int kChainLength = 1000;
constexpr double kGap = 8;

inline Constraint eq(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
    return Constraint(lhs, RelationalOperator::Equal, rhs, priority);
}
inline Constraint le(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
    return Constraint(lhs, RelationalOperator::LessOrEqual, rhs, priority);
}
inline Constraint ge(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
    return Constraint(lhs, RelationalOperator::GreaterOrEqual, rhs, priority);
}

struct Box {
    Variable left;
    Variable top;
    Variable width;
    Variable height;

    Expression right() const { return left + width; }
    Expression bottom() const { return top + height; }
    Expression centerX() const { return left + width / 2; }
};

// A sign-in screen: header, logo, title, subtitle, two buttons, two small icons and a footer
// inside a root view, with the hugging and compression-style preferences of real layouts. The
// root's width is left to the caller (a required constraint or an edit variable).
struct Screen {
    Box root;
    std::vector<Box> boxes = std::vector<Box>(9);
    std::vector<Constraint> constraints;

    Screen() {
        Box& header = boxes[0];
        Box& logo = boxes[1];
        Box& title = boxes[2];
        Box& subtitle = boxes[3];
        Box& primary = boxes[4];
        Box& secondary = boxes[5];
        Box& footer = boxes[6];
        Box& icon = boxes[7];
        Box& badge = boxes[8];
        constraints = {
            eq(root.left, 0),
            eq(root.top, 0),
            eq(root.height, 812),
            eq(header.left, root.left),
            eq(header.right(), root.right()),
            eq(header.top, root.top),
            eq(header.height, 56),
            eq(logo.centerX(), root.centerX()),
            eq(logo.top, header.bottom() + 24),
            eq(logo.width, 64),
            eq(logo.height, logo.width),
            ge(title.left, root.left + 16),
            le(title.right(), root.right() - 16),
            eq(title.centerX(), root.centerX()),
            eq(title.top, logo.bottom() + 16),
            eq(title.width, 220, Strength::defaultLow),
            ge(title.width, 100, Strength::defaultHigh),
            eq(title.height, 28),
            eq(subtitle.left, root.left + 16),
            eq(subtitle.right(), root.right() - 16),
            eq(subtitle.top, title.bottom() + 8),
            ge(subtitle.height, 20),
            eq(subtitle.height, 40, Strength::defaultLow),
            eq(primary.left, root.left + 16),
            eq(primary.right(), root.right() - 16),
            eq(primary.height, 52),
            ge(primary.top, subtitle.bottom() + 24),
            eq(primary.top, subtitle.bottom() + 200, Strength::defaultLow),
            eq(secondary.left, primary.left),
            eq(secondary.width, primary.width),
            eq(secondary.height, primary.height),
            eq(secondary.top, primary.bottom() + 12),
            le(secondary.bottom(), footer.top - 16),
            eq(footer.left, root.left),
            eq(footer.width, root.width),
            eq(footer.height, 34),
            eq(footer.bottom(), root.bottom()),
            eq(icon.left, root.left + 16),
            eq(icon.top, footer.top - 40),
            eq(icon.width, 24),
            eq(icon.height, 24),
            eq(badge.left, icon.right() + kGap),
            eq(badge.top, icon.top),
            eq(badge.width, icon.width),
            eq(badge.height, icon.height),
            le(badge.right(), root.right() - 16),
            ge(logo.top, header.bottom()),
            le(title.width, 320, 999),
            le(subtitle.height, 60),
        };
    }
};

// A thousand views in a row, each as wide as it may be up to 40 points, as high as wide,
// 8 points after the one before.
struct ThousandViews {
    std::vector<Box> views = std::vector<Box>(kChainLength);
    std::vector<Constraint> constraints;

    ThousandViews() {
        for (int i = 0; i < kChainLength; ++i) {
            const Box& view = views[i];
            if (i == 0) {
                constraints.push_back(eq(view.top, 20));
            } else {
                constraints.push_back(eq(view.left, views[i - 1].right() + kGap));
                constraints.push_back(eq(view.top, views[i - 1].top));
            }
            constraints.push_back(le(view.width, 40));
            constraints.push_back(eq(view.width, 44, Strength::defaultLow));
            constraints.push_back(eq(view.height, view.width));
        }
    }
};

// A thousand variables, each 10 after the one before (required), the first one wishing weakly
// to be at 0: every variable follows the first.
struct Chain {
    std::vector<Variable> x = std::vector<Variable>(kChainLength);
    std::vector<Constraint> constraints;

    Chain() {
        constraints.push_back(eq(x[0], 0, Strength::defaultLow));
        for (int i = 1; i < kChainLength; ++i) {
            constraints.push_back(eq(x[i], x[i - 1] + 10));
        }
    }
};

// The system the layout engine makes of a thousand views in a row inside a root view of 10,000
// by 100 that translates its frame: each view 8 by 8 at the root's top, 2 after the one before,
// the first `head` after the root's leading edge.
struct ViewChain {
    Box root;
    std::vector<Box> views = std::vector<Box>(kChainLength);
    std::vector<Constraint> constraints;

    explicit ViewChain(bool withHead = true, double head = 0) {
        constraints = {eq(root.left, 0), eq(root.top, 0), eq(root.width, 10000), eq(root.height, 100)};
        for (int i = 0; i < kChainLength; ++i) {
            const Box& view = views[i];
            if (i == 0 && withHead) {
                constraints.push_back(headAt(head));
            } else if (i > 0) {
                constraints.push_back(eq(view.left, views[i - 1].right() + 2));
            }
            constraints.push_back(eq(view.width, 8));
            constraints.push_back(eq(view.top, root.top));
            constraints.push_back(eq(view.height, 8));
        }
    }

    Constraint headAt(double head) const { return eq(views[0].left, root.left + head); }
};

template <class Solver>
void addAll(Solver& solver, const std::vector<Constraint>& constraints, benchmark::State& state) {
    for (const Constraint& constraint : constraints) {
        if (!solver.addConstraint(constraint).ok()) {
            state.SkipWithError("a constraint was refused");
            return;
        }
    }
}

// A benchmark of a wrong answer measures nothing.
inline void expectValue(benchmark::State& state, const Variable& variable, double expected) {
    if (std::fabs(variable.value() - expected) > 1e-6) {
        state.SkipWithError("the solver produced a wrong layout");
    }
}

// The screen built and solved at a width of 375, once per iteration.
template <class Solver>
void solveScreen(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        Solver solver;
        addAll(solver, screen.constraints, state);
        (void)solver.addConstraint(eq(screen.root.width, 375));
        solver.updateVariables();
        benchmark::DoNotOptimize(screen.boxes[5].top.value());
    }
    // 56 header + 24 + 64 logo + 16 + 28 title + 8 + 40 subtitle + 200 + 52 primary + 12
    expectValue(state, screen.boxes[5].top, 500);
}

// The row of a thousand views built and solved from its first view's left at 0, once per
// iteration.
template <class Solver>
void solveThousandViews(benchmark::State& state) {
    ThousandViews row;
    for (auto _ : state) {
        Solver solver;
        addAll(solver, row.constraints, state);
        (void)solver.addConstraint(eq(row.views[0].left, 0));
        solver.updateVariables();
        benchmark::DoNotOptimize(row.views.back().left.value());
    }
    expectValue(state, row.views.back().left, (kChainLength - 1) * (40 + kGap));
}

} // namespace vyd::bench::solver
